#pragma once

#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>
#include <QTemporaryFile>
#include <atomic>
#include <memory>

#include "packs/Catalogue.h"

class QNetworkReply;
class QThread;

namespace velta {

// Catalogues and packs fetched over HTTP on the event loop: the show goes on while they come.
// A pack is written to a temporary file as it arrives and counts as downloaded only when it
// has exactly the catalogue's size and SHA-256. Redirects are followed up to a limit; a
// secure connection that fails, a stall, a server error or a wrong size ends the download
// with the reason in Spanish.
class PackDownloader : public QObject {
    Q_OBJECT
  public:
    explicit PackDownloader(QObject* parent = nullptr);
    ~PackDownloader() override;

    // No data for this long ends a transfer.
    static constexpr int kDefaultStallMs = 30000;
    void setStallLimit(int milliseconds) { stallMs_ = milliseconds; }
    static constexpr int kMostRedirects = 5;

    void fetchCatalogue(const QUrl& address);
    void download(const CatalogueEntry& entry);
    // Ends the transfer under way; it reports `failed` with "se canceló la descarga".
    void cancel();
    bool busy() const { return !reply_.isNull() || checking_; }
    // The downloaded pack file is no longer needed.
    void discardPack() { file_.reset(); }

  Q_SIGNALS:
    void catalogueReady(const velta::Catalogue& catalogue);
    void catalogueFailed(const QString& message);
    void progress(qint64 received, qint64 total);
    // The pack file, checked; it lives until the next download or this object's end.
    void downloaded(const QString& file);
    // The whole message for the operator; the same for catalogueFailed.
    void failed(const QString& message);

  private:
    // Forgets the transfer under way without a word: a new one replaces it.
    void drop();
    QNetworkReply* get(const QUrl& address);
    // Why a finished transfer failed, or empty.
    QString transferProblem(QNetworkReply* reply) const;
    void takeChunk();
    void catalogueFinished(const QUrl& address);
    void packFinished();
    void checked();
    void fail(const QString& problem);

    QNetworkAccessManager network_;
    QPointer<QNetworkReply> reply_;
    int stallMs_ = kDefaultStallMs;
    bool cancelled_ = false;
    QString stopReason_;  // why this side ended the transfer
    CatalogueEntry entry_;
    std::unique_ptr<QTemporaryFile> file_;
    QThread* checking_ = nullptr;  // the hash of a downloaded pack, worked out meanwhile
    std::atomic<bool> stopChecking_{false};
    std::atomic<bool> matches_{false};
    qint64 received_ = 0;
    QByteArray catalogueBytes_;
};

}  // namespace velta
