#include "packs/PackDownload.h"

#include <QDir>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QThread>

#include "packs/PackFormat.h"
#include "platform/Errors.h"
#include "platform/Guard.h"

namespace velta {

namespace {
constexpr qint64 kReadBuffer = 256 * 1024;
}

PackDownloader::PackDownloader(QObject* parent) : QObject(parent) {}

PackDownloader::~PackDownloader() {
    drop();
}

void PackDownloader::drop() {
    if (reply_) {
        reply_->disconnect(this);
        reply_->abort();
        reply_->deleteLater();
        reply_.clear();
    }
    if (checking_) {
        stopChecking_ = true;
        checking_->wait();
        delete checking_;
        checking_ = nullptr;
    }
}

QNetworkReply* PackDownloader::get(const QUrl& address) {
    QNetworkRequest request(address);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(kMostRedirects);
    request.setTransferTimeout(stallMs_);
    cancelled_ = false;
    stopReason_.clear();
    received_ = 0;
    reply_ = network_.get(request);
    return reply_;
}

void PackDownloader::cancel() {
    if (reply_) {
        cancelled_ = true;
        reply_->abort();
    }
    if (checking_) {
        cancelled_ = true;
        stopChecking_ = true;
    }
}

QString PackDownloader::transferProblem(QNetworkReply* reply) const {
    if (cancelled_) {
        return QStringLiteral("se canceló la descarga");
    }
    if (!stopReason_.isEmpty()) {
        return stopReason_;
    }
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    switch (reply->error()) {
        case QNetworkReply::NoError:
            return QString();
        case QNetworkReply::OperationCanceledError:  // the transfer timeout aborts the reply
        case QNetworkReply::TimeoutError:
            return QStringLiteral("no llegaron datos durante %1 s").arg((stallMs_ + 999) / 1000);
        case QNetworkReply::TooManyRedirectsError:
            return QStringLiteral("el servidor redirige demasiadas veces");
        case QNetworkReply::InsecureRedirectError:
            return QStringLiteral("el servidor redirige a una dirección no segura");
        case QNetworkReply::SslHandshakeFailedError:
            return QStringLiteral(
                "la conexión segura con el servidor falló (su certificado no es "
                "válido)");
        default:
            break;
    }
    if (status >= 400) {
        return QStringLiteral("el servidor respondió con el error %1").arg(status);
    }
    return QStringLiteral("falló la conexión (%1)").arg(reply->errorString());
}

void PackDownloader::fetchCatalogue(const QUrl& address) {
    drop();
    catalogueBytes_.clear();
    QNetworkReply* reply = get(address);
    connect(reply, &QNetworkReply::readyRead, this, [this, reply] {
        guarded([this, reply] {
            catalogueBytes_ += reply->readAll();
            if (catalogueBytes_.size() > kLargestCatalogue) {
                stopReason_ =
                    QStringLiteral("el catálogo pasa de %1").arg(shownSize(kLargestCatalogue));
                reply->abort();
            }
        });
    });
    connect(reply, &QNetworkReply::finished, this,
            [this, address] { guarded([this, address] { catalogueFinished(address); }); });
}

void PackDownloader::catalogueFinished(const QUrl& address) {
    QNetworkReply* reply = reply_;
    reply->deleteLater();
    reply_.clear();
    QString problem = transferProblem(reply);
    if (problem.isEmpty()) {
        catalogueBytes_ += reply->readAll();
        try {
            Q_EMIT catalogueReady(parseCatalogue(catalogueBytes_, reply->url()));
            return;
        } catch (const PackError& e) {
            problem = e.message();
        }
    }
    Q_EMIT catalogueFailed(QStringLiteral("No se pudo leer el catálogo de temas de %1: %2.")
                               .arg(address.toDisplayString(), withoutFinalStop(problem)));
}

void PackDownloader::download(const CatalogueEntry& entry) {
    drop();
    entry_ = entry;
    file_ = std::make_unique<QTemporaryFile>(
        QDir::temp().filePath(QStringLiteral("velta-tema-XXXXXX.zip")));
    if (!file_->open()) {
        Q_EMIT failed(QStringLiteral("No se descargó el tema \"%1\": no se puede crear un archivo "
                                     "temporal. No se instaló nada.")
                          .arg(entry.entry));
        return;
    }
    QNetworkReply* reply = get(entry.url);
    // The network thread waits while this much is unread: each turn of the event loop takes
    // a small piece, however fast the server sends.
    reply->setReadBufferSize(kReadBuffer);
    connect(reply, &QNetworkReply::readyRead, this, [this] { guarded([this] { takeChunk(); }); });
    connect(reply, &QNetworkReply::finished, this, [this] { guarded([this] { packFinished(); }); });
}

void PackDownloader::takeChunk() {
    const QByteArray chunk = reply_->readAll();
    if (reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt() >= 400) {
        return;  // an error page: the status is the message
    }
    received_ += chunk.size();
    if (received_ > entry_.size) {
        stopReason_ = QStringLiteral("el servidor envía más de los %1 que anuncia el catálogo")
                          .arg(shownSize(entry_.size));
        reply_->abort();
        return;
    }
    if (file_->write(chunk) != chunk.size()) {
        stopReason_ = QStringLiteral("no se puede escribir el archivo temporal");
        reply_->abort();
        return;
    }
    Q_EMIT progress(received_, entry_.size);
}

void PackDownloader::packFinished() {
    QNetworkReply* reply = reply_;
    reply->deleteLater();
    reply_.clear();
    QString problem = transferProblem(reply);
    const bool cutShort = reply->error() == QNetworkReply::RemoteHostClosedError;
    if ((problem.isEmpty() || cutShort) && received_ != entry_.size) {
        problem = QStringLiteral("llegaron %1 de los %2 que anuncia el catálogo")
                      .arg(shownSize(received_), shownSize(entry_.size));
    }
    if (problem.isEmpty() && !file_->flush()) {
        problem = QStringLiteral("no se puede escribir el archivo temporal");
    }
    if (!problem.isEmpty()) {
        fail(problem);
        return;
    }
    // The hash of a large pack takes a while: it is worked out on a thread of its own, so
    // the board never waits for it.
    file_->close();
    stopChecking_ = false;
    matches_ = false;
    checking_ = QThread::create([this, path = file_->fileName(), expected = entry_.sha256] {
        QFile file(path);
        QCryptographicHash hash(QCryptographicHash::Sha256);
        QByteArray block(256 * 1024, Qt::Uninitialized);
        if (!file.open(QIODevice::ReadOnly)) {
            return;
        }
        qint64 got = 0;
        while (!stopChecking_ && (got = file.read(block.data(), block.size())) > 0) {
            hash.addData(QByteArrayView(block.constData(), got));
        }
        matches_ = got == 0 && hash.result().toHex() == expected;
    });
    connect(checking_, &QThread::finished, this, [this] { guarded([this] { checked(); }); });
    checking_->start();
}

void PackDownloader::checked() {
    checking_->wait();
    delete checking_;
    checking_ = nullptr;
    if (cancelled_) {
        fail(QStringLiteral("se canceló la descarga"));
    } else if (!matches_) {
        fail(QStringLiteral("lo que llegó no coincide con el SHA-256 del catálogo"));
    } else {
        Q_EMIT downloaded(file_->fileName());
    }
}

void PackDownloader::fail(const QString& problem) {
    file_.reset();
    Q_EMIT failed(QStringLiteral("No se descargó el tema \"%1\": %2. No se instaló nada.")
                      .arg(entry_.entry, withoutFinalStop(problem)));
}

}  // namespace velta
