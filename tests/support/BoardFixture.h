#pragma once

// The board with its program folder, scripted dialogs and recorded sound, for the GUI tests.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "BoardView.h"
#include "RecordingControlLink.h"
#include "RecordingSoundOutput.h"
#include "ScriptedDialogs.h"
#include "TempProgramFolder.h"
#include "app/Show.h"
#include "board/Uvelta.h"
#include "platform/ProgramFolder.h"

namespace velta::test {

// Points XDG_RUNTIME_DIR at a folder of this test program's own, so a copy of the program
// running elsewhere never holds the single-instance lock the board asks for. It must run
// before the first TForm1; the folder lives until the test program ends.
inline void usePrivateRuntimeFolder() {
    static const QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
}

// The five answers of a complete card, 100 points in all.
inline QStringList standardAnswers() {
    return {QStringLiteral("Uno,40"), QStringLiteral("Dos,30"), QStringLiteral("Tres,15"),
            QStringLiteral("Cuatro,10"), QStringLiteral("Cinco,5")};
}

// What RecordingSoundOutput::effects() holds after a command that played one effect.
inline QStringList played(const QString& effect) {
    return {programPath(effect)};
}

// Saves a picture for people to look over, in "screenshots" under the build folder (under
// the temporary folder when run outside CTest); true once it is written.
inline bool saveScreenshot(const QImage& picture, const QString& name) {
    const QString folder =
        qEnvironmentVariable("VELTA_BUILD_DIR", QDir::tempPath()) + QStringLiteral("/screenshots/");
    return QDir().mkpath(folder) && picture.save(folder + name);
}
inline bool saveScreenshot(QWidget* window, const QString& name) {
    return saveScreenshot(window->grab().toImage(), name);
}

// A board window on a throw-away program folder, with scripted dialogs, recorded sounds
// and a stand-in control window that is not shown. Write the files the test needs into
// `folder`, then start(). Made with a count, the folder holds normal cards 1..count.
struct BoardFixture {
    explicit BoardFixture(int cards = 0) {
        usePrivateRuntimeFolder();
        prepareApplication();
        writeCards(cards);
    }

    TempProgramFolder folder;
    ScriptedDialogs dialogs;
    RecordingSoundOutput sound;
    RecordingControlLink control;
    std::unique_ptr<TForm1> board;

    // Normal cards 1..count, "Pregunta N" with the standard answers.
    void writeCards(int count) const {
        for (int n = 1; n <= count; ++n) {
            folder.writeRound(n, QStringLiteral("Pregunta %1").arg(n), standardAnswers());
        }
    }

    // Creates and shows the board; true once it is on screen. What the start-up played
    // is forgotten, so a test sees the sounds of its own commands.
    bool start() {
        board = std::make_unique<TForm1>();
        board->setControlLink(&control);
        control.follow(*board);
        board->show();
        const bool exposed = QTest::qWaitForWindowExposed(board.get()) &&
                             QTest::qWaitFor([this] { return board->picturesReady(); });
        sound.clear();
        return exposed;
    }

    // A key typed by the operator: it goes to the focused control, as on the desktop.
    void press(char key) const {
        QWidget* focused = QApplication::focusWidget();
        QTest::keyClick(focused ? focused : board.get(), key);
    }
    void type(const char* keys) const {
        for (; *keys; ++keys) {
            press(*keys);
        }
    }
};

}  // namespace velta::test
