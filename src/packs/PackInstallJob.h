#pragma once

#include <QObject>
#include <QString>
#include <atomic>
#include <optional>

#include "packs/PackInstall.h"

class QThread;

namespace velta {

// One install of a pack file on a thread of its own, so a large pack never holds up the
// board: progress and the outcome come back on the event loop.
class PackInstallJob : public QObject {
    Q_OBJECT
  public:
    explicit PackInstallJob(QObject* parent = nullptr);
    // Cancels an install under way and waits for its thread: nothing is left half placed.
    ~PackInstallJob() override;

    // `offered`: the catalogue entry a downloaded pack must be.
    void start(const QString& archive, const std::optional<CatalogueEntry>& offered = {});
    void cancel() { cancel_ = true; }
    bool busy() const { return thread_ != nullptr; }

  Q_SIGNALS:
    void progress(qint64 done, qint64 total);
    void installed(const velta::PackInstallResult& result);
    // The whole message for the operator.
    void failed(const QString& message);

  private:
    void finish();

    QThread* thread_ = nullptr;
    std::atomic<bool> cancel_{false};
    std::atomic<int> lastPercent_{-1};
    QString archive_;
    std::optional<CatalogueEntry> offered_;
    // Written by the thread, read once it has ended.
    std::optional<PackInstallResult> result_;
    QString error_;
};

}  // namespace velta
