// One running copy of the program: a second start ends at once and leaves the first alone,
// only the copy that runs plays the intro, and its keys reach the key row from the start.

#include <QApplication>
#include <QElapsedTimer>
#include <QLockFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#include <vector>

#include "StartupFixture.h"
#include "board/Uvelta.h"
#include "platform/ProgramFolder.h"
#include "platform/SingleInstance.h"
#include "sound/Sound.h"

using namespace velta;
using velta::test::BoardView;

namespace {

// The process id written in the lock file at `path`; 0 while nobody holds it.
qint64 lockHolder(const QString& path) {
    QLockFile probe(path);
    qint64 pid = 0;
    QString host;
    QString application;
    return probe.getLockInfo(&pid, &host, &application) ? pid : 0;
}

// The built program, started on the offscreen platform with the given runtime folder.
void startProgram(QProcess& process, const QString& runtimeFolder) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeFolder);
    process.setProcessEnvironment(env);
    process.setProgram(qEnvironmentVariable("VELTA_PROGRAM_DIR") + QStringLiteral("/velta"));
    process.start();
}

// A key typed by the operator goes to the control that has the focus.
void type(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* focused = QApplication::focusWidget();
    QVERIFY(focused);
    QTest::keyClick(focused, key, modifiers);
}

}  // namespace

class BoardInstanceTest : public test::StartupFixture {
    Q_OBJECT

  private Q_SLOTS:
    // Runs first: later boards of this program hold the lock for good.
    void boardOfASecondCopyStaysSilent();
    void introLoopsOnce();
    void secondProgramEndsAndFirstRunsOn();
    void lettersPressTheirKeys_data();
    void lettersPressTheirKeys();
    void disabledAndUnknownKeysDoNothing();
    void lettersGoIntoATeamName();
};

void BoardInstanceTest::boardOfASecondCopyStaysSilent() {
    QLockFile firstCopy(SingleInstance::lockPath());
    QVERIFY(firstCopy.tryLock(0));
    fixture_->board = std::make_unique<TForm1>();
    QVERIFY(!fixture_->board->isSingleInstance());
    QCOMPARE(fixture_->dialogs.shown,
             QStringList{QStringLiteral("notice: Este programa ya se está ejecutando.")});
    QVERIFY(QMetaObject::invokeMethod(BoardView(*fixture_->board).Timer12, "timeout"));
    QCOMPARE(fixture_->sound.calls, QStringList());
}

void BoardInstanceTest::introLoopsOnce() {
    BoardView board(start());
    QVERIFY(board->isSingleInstance());
    QCOMPARE(fixture_->sound.calls, QStringList());
    QVERIFY(QMetaObject::invokeMethod(board.Timer12, "timeout"));
    QCOMPARE(fixture_->sound.calls,
             QStringList{QStringLiteral("loop:") + programPath(effects::kIntro)});
    QVERIFY(!board.Timer12->isActive());
    QCOMPARE(fixture_->dialogs.shown, QStringList());
}

void BoardInstanceTest::secondProgramEndsAndFirstRunsOn() {
    QVERIFY2(!qEnvironmentVariableIsEmpty("VELTA_PROGRAM_DIR"),
             "VELTA_PROGRAM_DIR must name the folder of the built program");
    QTemporaryDir runtime;
    const QString lock = runtime.filePath(QStringLiteral("VELTA.exe.lock"));
    QProcess first;
    startProgram(first, runtime.path());
    QVERIFY(first.waitForStarted());
    QTRY_COMPARE_WITH_TIMEOUT(lockHolder(lock), first.processId(), 10000);

    QProcess second;
    QElapsedTimer clock;
    clock.start();
    startProgram(second, runtime.path());
    QVERIFY(second.waitForFinished(5000));
    QVERIFY2(clock.elapsed() < 3000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    QVERIFY(second.readAllStandardError().contains("Este programa ya se está ejecutando."));
    QCOMPARE(first.state(), QProcess::Running);
    QCOMPARE(lockHolder(lock), first.processId());

    // A copy that dies without cleaning up never blocks the next start.
    first.kill();
    QVERIFY(first.waitForFinished());
    QProcess third;
    startProgram(third, runtime.path());
    QTRY_COMPARE_WITH_TIMEOUT(lockHolder(lock), third.processId(), 10000);
    QCOMPARE(third.state(), QProcess::Running);
    third.kill();
    QVERIFY(third.waitForFinished());
}

void BoardInstanceTest::lettersPressTheirKeys_data() {
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::newRow("m") << Qt::KeyboardModifiers();
    QTest::newRow("M") << Qt::KeyboardModifiers(Qt::ShiftModifier);
    QTest::newRow("Alt+m") << Qt::KeyboardModifiers(Qt::AltModifier);
    QTest::newRow("Alt+M") << (Qt::AltModifier | Qt::ShiftModifier);
}

void BoardInstanceTest::lettersPressTheirKeys() {
    QFETCH(Qt::KeyboardModifiers, modifiers);
    BoardView board(start());
    QVERIFY(QTest::qWaitForWindowActive(&board.board));
    QCOMPARE(QApplication::focusWidget(), board.Button3);
    QSignalSpy menu(board.SpeedButton14, &KeyButton::clicked);
    QSignalSpy keyList(board.SpeedButton36, &KeyButton::clicked);
    type(Qt::Key_M, modifiers);
    QCOMPARE(menu.count(), 1);
    QVERIFY(board.Panel5->isVisible());
    type(Qt::Key_K, modifiers);
    QCOMPARE(keyList.count(), 1);
    QVERIFY(board.Panel14->isVisible());
    QCOMPARE(menu.count(), 1);
    QCOMPARE(QApplication::focusWidget(), board.Button3);
}

void BoardInstanceTest::disabledAndUnknownKeysDoNothing() {
    BoardView board(start());
    QVERIFY(QTest::qWaitForWindowActive(&board.board));
    // A is disabled until a card is up; Q and W belong to no key.
    QVERIFY(!board.SpeedButton9->isEnabled());
    std::vector<std::unique_ptr<QSignalSpy>> keys;
    for (KeyButton* key : board->findChildren<KeyButton*>()) {
        keys.push_back(std::make_unique<QSignalSpy>(key, &KeyButton::clicked));
    }
    type(Qt::Key_A);
    type(Qt::Key_A, Qt::AltModifier);
    type(Qt::Key_Q);
    type(Qt::Key_W, Qt::AltModifier);
    for (const auto& spy : keys) {
        QCOMPARE(spy->count(), 0);
    }
    QCOMPARE(board->state().RoundNumber, 0);
    QCOMPARE(fixture_->dialogs.shown, QStringList());
}

void BoardInstanceTest::lettersGoIntoATeamName() {
    BoardView board(start());
    QVERIFY(QTest::qWaitForWindowActive(&board.board));
    board->toggleCoverOrGame();
    QVERIFY(board.Edit16->isVisible());
    board.Edit16->setFocus();
    board.Edit16->end(false);
    QSignalSpy keyList(board.SpeedButton36, &KeyButton::clicked);
    QSignalSpy menu(board.SpeedButton14, &KeyButton::clicked);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral(" KM"));
    QCOMPARE(board.Edit16->text(), QStringLiteral("Los Verdes KM"));
    QCOMPARE(keyList.count(), 0);
    QCOMPARE(menu.count(), 0);
    // Alt + letter is a command even there, and types nothing.
    type(Qt::Key_K, Qt::AltModifier);
    QCOMPARE(keyList.count(), 1);
    QCOMPARE(board.Edit16->text(), QStringLiteral("Los Verdes KM"));
}

QTEST_MAIN(BoardInstanceTest)
#include "tst_board_startup_instance.moc"
