#pragma once

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "RecordingSoundOutput.h"
#include "ScriptedDialogs.h"
#include "TempProgramFolder.h"
#include "board/Uvelta.h"

namespace velta::test {

// What every start-up test needs: a fresh program folder, dialogs and sound output for each
// test function, and a board started on them. Header only: the support library does not
// link the windows.
class StartupFixture : public QObject {
  protected:
    // A copy of the program running elsewhere on this machine must not hold our lock. The
    // folder outlives the lock, which is released when the program ends.
    static void usePrivateRuntimeFolder() {
        static const QTemporaryDir runtime;
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    }

    void setUpFolder() {
        folder_ = std::make_unique<TempProgramFolder>();
        dialogs_ = std::make_unique<ScriptedDialogs>();
        sound_ = std::make_unique<RecordingSoundOutput>();
    }

    void tearDown() {
        board_.reset();
        sound_.reset();
        dialogs_.reset();
        folder_.reset();
    }

    // Creates and shows the board on the test's program folder; returns once the pictures
    // behind the cover, which arrive right after its first paint, are in place.
    TForm1& start() {
        board_ = std::make_unique<TForm1>();
        board_->show();
        if (board_->isSingleInstance() &&
            !QTest::qWaitFor([this] { return board_->picturesReady(); })) {
            QTest::qFail("the pictures behind the cover never arrived", __FILE__, __LINE__);
        }
        return *board_;
    }

    std::unique_ptr<TempProgramFolder> folder_;
    std::unique_ptr<ScriptedDialogs> dialogs_;
    std::unique_ptr<RecordingSoundOutput> sound_;
    std::unique_ptr<TForm1> board_;
};

}  // namespace velta::test
