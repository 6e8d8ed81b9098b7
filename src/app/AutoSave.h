#pragma once

#include <QMutex>
#include <QObject>
#include <QString>
#include <QThread>
#include <functional>

#include "game/GameSnapshot.h"

namespace velta {

class TForm1;

// Writes the file of the game in progress from a thread of its own: the latest text handed
// over is written (through the atomic writer, synced to disk) and any older one waiting is
// dropped, so a key never waits for the disk.
class SnapshotWriter : public QObject {
    Q_OBJECT
  public:
    explicit SnapshotWriter(const QString& path);

    // Hands the text over; it is written soon after, in the writer's thread.
    void submit(const QString& text);
    // Waits until nothing is left to write.
    void flush();
    // Milliseconds of the last write with its sync.
    double lastWriteMs() const;

  private:
    void writePending();

    const QString path_;
    mutable QMutex mutex_;
    QString pending_;
    bool scheduled_ = false;
    bool writing_ = false;
    double lastWriteMs_ = 0;
};

// Keeps the game in progress on disk, in "Config\Partida.txt": when the game says it
// changed, the board's snapshot is taken once per pass of the event loop and written when
// it differs from the last one written. A clean exit removes the file; at the next
// start after an unclean one the operator is offered to continue where the show was.
class AutoSave : public QObject {
    Q_OBJECT
  public:
    explicit AutoSave(TForm1& board);
    ~AutoSave() override;

    static QString path();

    // Takes the snapshot and hands it to the writer when it changed.
    void check();
    // A clean exit: nothing left to write, and the file goes.
    void finish();
    // At start, once the cover is up: an unfinished game is offered back ("Sí" restores it,
    // "No" keeps it aside under a dated name); a damaged file is put aside and said once.
    void offerRestore();

    SnapshotWriter& writer() { return *writer_; }

  private:
    void scheduleCheck();
    void setAside(const QString& why);

    TForm1& board_;
    QThread thread_;
    SnapshotWriter* writer_;
    GameSnapshot lastWritten_;
    bool checkScheduled_ = false;
    bool finished_ = false;
};

}  // namespace velta
