#include "packs/PackInstallJob.h"

#include <QFileInfo>
#include <QThread>

#include "platform/Errors.h"
#include "platform/Guard.h"

namespace velta {

PackInstallJob::PackInstallJob(QObject* parent) : QObject(parent) {}

PackInstallJob::~PackInstallJob() {
    if (thread_) {
        cancel_ = true;
        thread_->wait();
        delete thread_;
    }
}

void PackInstallJob::start(const QString& archive, const std::optional<CatalogueEntry>& offered) {
    if (thread_) {
        return;
    }
    archive_ = archive;
    offered_ = offered;
    cancel_ = false;
    lastPercent_ = -1;
    result_.reset();
    error_.clear();
    thread_ = QThread::create([this] {
        const auto report = [this](qint64 done, qint64 total) {
            // One event per percent: the event loop is not flooded by a large pack.
            const int percent = total > 0 ? int(done * 100 / total) : 100;
            if (lastPercent_.exchange(percent) != percent) {
                QMetaObject::invokeMethod(
                    this, [this, done, total] { Q_EMIT progress(done, total); },
                    Qt::QueuedConnection);
            }
        };
        try {
            result_ = installPack(archive_, report, &cancel_, offered_ ? &*offered_ : nullptr);
        } catch (const std::exception& e) {
            error_ = installFailedMessage(
                offered_ ? offered_->entry : QFileInfo(archive_).fileName(), errorMessage(e));
        }
    });
    connect(thread_, &QThread::finished, this, [this] { guarded([this] { finish(); }); });
    thread_->start();
}

void PackInstallJob::finish() {
    thread_->wait();
    delete thread_;
    thread_ = nullptr;
    if (result_) {
        Q_EMIT installed(*result_);
    } else {
        Q_EMIT failed(error_);
    }
}

}  // namespace velta
