#include "app/AutoSave.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

#include "board/Uvelta.h"
#include "content/TextFiles.h"
#include "editing/GameSettings.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "platform/ProgramFolder.h"

namespace velta {

namespace {
const QString kFile = QStringLiteral("Config\\Partida.txt");
}  // namespace

SnapshotWriter::SnapshotWriter(const QString& path) : path_(path) {}

void SnapshotWriter::submit(const QString& text) {
    QMutexLocker lock(&mutex_);
    pending_ = text;
    if (!scheduled_) {
        scheduled_ = true;
        QMetaObject::invokeMethod(
            this, [this] { writePending(); }, Qt::QueuedConnection);
    }
}

void SnapshotWriter::writePending() {
    QString text;
    {
        QMutexLocker lock(&mutex_);
        text = pending_;
        scheduled_ = false;
        writing_ = true;
    }
    QElapsedTimer timer;
    timer.start();
    try {
        QDir().mkpath(QFileInfo(normalizeSeparators(path_)).absolutePath());
        writeTextFile(path_, text);
    } catch (const FileError&) {
        // The next change tries again; the show goes on meanwhile.
    }
    QMutexLocker lock(&mutex_);
    lastWriteMs_ = timer.nsecsElapsed() / 1e6;
    writing_ = false;
}

void SnapshotWriter::flush() {
    for (;;) {
        {
            QMutexLocker lock(&mutex_);
            if (!scheduled_ && !writing_) {
                return;
            }
        }
        QThread::msleep(1);
    }
}

double SnapshotWriter::lastWriteMs() const {
    QMutexLocker lock(&mutex_);
    return lastWriteMs_;
}

QString AutoSave::path() {
    return programPath(kFile);
}

AutoSave::AutoSave(TForm1& board) : QObject(&board), board_(board) {
    writer_ = new SnapshotWriter(path());
    writer_->moveToThread(&thread_);
    connect(&thread_, &QThread::finished, writer_, &QObject::deleteLater);
    thread_.start();
    // A show that has not begun leaves nothing to continue: the file appears with the first
    // change.
    lastWritten_ = board_.snapshot();
    connect(&board_.game(), &Game::changed, this, &AutoSave::scheduleCheck);
}

AutoSave::~AutoSave() {
    writer_->flush();
    thread_.quit();
    thread_.wait();
}

// A command changes the game in several steps; one check follows them once it is done.
void AutoSave::scheduleCheck() {
    if (checkScheduled_ || finished_) {
        return;
    }
    checkScheduled_ = true;
    QTimer::singleShot(0, this, [this] {
        checkScheduled_ = false;
        check();
    });
}

void AutoSave::check() {
    if (finished_) {
        return;
    }
    // A check that finds the game as it was written costs a comparison, not a write-out.
    GameSnapshot now = board_.snapshot();
    if (now == lastWritten_) {
        return;
    }
    writer_->submit(now.toLines().join(QStringLiteral("\r\n")));
    lastWritten_ = std::move(now);
}

void AutoSave::finish() {
    finished_ = true;
    writer_->flush();
    QFile::remove(normalizeSeparators(path()));
}

void AutoSave::setAside(const QString& why) {
    const QString aside = programPath(
        QStringLiteral("Config\\Partida-%1.txt")
            .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"))));
    QFile::rename(normalizeSeparators(path()), normalizeSeparators(aside));
    if (!why.isEmpty()) {
        dialogs().notice(
            QStringLiteral("No se pudo leer la partida guardada \"%1\": %2. Se "
                           "guardó aparte como \"%3\" y el juego empieza de nuevo.")
                .arg(QDir::toNativeSeparators(path()), why, QDir::toNativeSeparators(aside)));
    }
}

void AutoSave::offerRestore() {
    if (!QFileInfo::exists(normalizeSeparators(path()))) {
        return;
    }
    QString why;
    std::optional<GameSnapshot> saved;
    try {
        saved = GameSnapshot::fromLines(readTextLines(path()), &why);
    } catch (const FileError& e) {
        why = errorMessage(e);
    }
    if (!saved) {
        setAside(why);
        return;
    }
    const GameSettings& s = board_.settings();
    const QString question =
        QStringLiteral(
            "La partida anterior no terminó normalmente. ¿Desea continuar donde se "
            "quedó?\n\n%1: %2\n%3: %4")
            .arg(s.leftTeamName, saved->leftScore, s.rightTeamName, saved->rightScore);
    if (dialogs().ask(question, true)) {
        board_.restore(*saved);
        lastWritten_ = board_.snapshot();
    } else {
        setAside(QString());
    }
}

}  // namespace velta
