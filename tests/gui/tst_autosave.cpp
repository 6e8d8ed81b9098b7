// The game in progress kept on disk: the file's round trip over game situations played on
// the board, the board brought back to each, a card that changed or is gone since, a
// damaged file, and the writing itself (one file, removed at a clean exit).
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "ConsoleFixture.h"
#include "app/AutoSave.h"
#include "content/TextFiles.h"
#include "game/GameSnapshot.h"
#include "platform/ProgramFolder.h"

using namespace velta;
using velta::test::BoardView;
using velta::test::ConsoleFixture;

namespace {

// Plays a situation on a started board and control window.
void play(ConsoleFixture& f, const QString& situation) {
    if (situation == QLatin1String("mid-card")) {
        f.type("s13x");
    } else if (situation == QLatin1String("after an award")) {
        f.type("s12z");
    } else if (situation == QLatin1String("double, then triple")) {
        f.type("s1zs2cs1z1s4");
    } else if (situation == QLatin1String("easy mode")) {
        f.type("f2c");
    } else if (situation == QLatin1String("fast money half-way")) {
        f.type("s1z");
        QTest::mouseClick(f.find<QPushButton>("SpeedButton12"), Qt::LeftButton);
        f.find<QLineEdit>("Edit33")->setText(QStringLiteral("Manzana"));
        QTest::mouseClick(f.find<QPushButton>("SpeedButton75"), Qt::LeftButton);
        f.find<QLineEdit>("Edit34")->setText(QStringLiteral("35"));
        QTest::mouseClick(f.find<QPushButton>("SpeedButton81"), Qt::LeftButton);
        f.find<QLineEdit>("Edit36")->setText(QStringLiteral("20"));
    } else if (situation == QLatin1String("a tie-break")) {
        f.type("s1zr2");
    }
    f.board->splashTick();
}

}  // namespace

class AutoSaveTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void situationsComeBack_data();
    void situationsComeBack();
    void damagedLinesAreRefused_data();
    void damagedLinesAreRefused();
    void aCardThatChangedOrIsGone();
    void writtenOnChangeRemovedAtExit();
    void offeredAtTheNextStart_data();
    void offeredAtTheNextStart();
    void restoredGameTakesTheKeys();
    void savedCardThatNeverExisted();
};

void AutoSaveTest::situationsComeBack_data() {
    QTest::addColumn<QString>("situation");
    for (const char* s : {"mid-card", "after an award", "double, then triple", "easy mode",
                          "fast money half-way", "a tie-break"}) {
        QTest::newRow(s) << QString::fromLatin1(s);
    }
}

// The snapshot of a played situation, written and read back, restores on a fresh board to
// the same snapshot: the same card, rows, pot, strikes, multiplier, scores and keys.
void AutoSaveTest::situationsComeBack() {
    QFETCH(QString, situation);
    QString lines;
    QStringList labels;
    {
        ConsoleFixture f(6);
        f.folder.writeRound(1, QStringLiteral("Desempate"), velta::test::standardAnswers(), true);
        QVERIFY(f.startWithConsole());
        play(f, situation);
        const GameSnapshot saved = f.board->snapshot();
        lines = saved.toLines().join(QStringLiteral("\r\n"));
        BoardView b(*f.board);
        labels << b.Label16->text() << b.Label17->text() << b.Label19->text() << b.Label20->text();
    }
    ConsoleFixture f(6);
    f.folder.writeRound(1, QStringLiteral("Desempate"), velta::test::standardAnswers(), true);
    QVERIFY(f.startWithConsole());
    QString problem;
    const auto read = GameSnapshot::fromLines(splitLines(lines), &problem);
    QVERIFY2(read, qPrintable(problem));
    f.sound.clear();
    f.board->restore(*read);
    QCOMPARE(f.board->snapshot().toLines().join(QStringLiteral("\r\n")), lines);
    BoardView b(*f.board);
    QCOMPARE(
        (QStringList{b.Label16->text(), b.Label17->text(), b.Label19->text(), b.Label20->text()}),
        labels);
    QCOMPARE(f.find<QLabel>("LPtosIzq")->text(), labels[2]);
    QVERIFY(f.sound.effects().isEmpty());  // brought back silently
    // The game goes on from there: the next S puts up the card after.
    if (situation == QLatin1String("mid-card")) {
        QCOMPARE(f.find<QLineEdit>("Edit1")->text(), QStringLiteral("Pregunta 1"));
        f.press('2');
        QCOMPARE(b.Label17->text(), QStringLiteral("85"));
    }
    // The operator's fast-money panel comes back open, with what was typed in it.
    if (situation == QLatin1String("fast money half-way")) {
        QVERIFY(f.find<QWidget>("Panel18")->isVisible());
        QCOMPARE(f.find<QLineEdit>("Edit33")->text(), QStringLiteral("Manzana"));
        QCOMPARE(f.find<QLineEdit>("Edit36")->text(), QStringLiteral("20"));
    }
}

void AutoSaveTest::damagedLinesAreRefused_data() {
    QTest::addColumn<QString>("change");  // name=value replaced in a good snapshot
    QTest::newRow("another file") << "partida=2";
    QTest::newRow("a score of letters") << "izquierda=ABC";
    QTest::newRow("a negative round") << "ronda=-3";
    QTest::newRow("rows of another length") << "destapadas=101";
    QTest::newRow("a flag that is neither") << "dobles=si";
    QTest::newRow("a line without a name") << "=1";
}

void AutoSaveTest::damagedLinesAreRefused() {
    QFETCH(QString, change);
    QStringList lines = GameSnapshot().toLines();
    const QString name = change.section(QLatin1Char('='), 0, 0);
    for (QString& line : lines) {
        if (!name.isEmpty() && line.startsWith(name + QLatin1Char('='))) {
            line = change;
        }
    }
    if (name.isEmpty()) {
        lines << change;
    }
    QString problem;
    QVERIFY(!GameSnapshot::fromLines(lines, &problem));
    QVERIFY(!problem.isEmpty());
    QVERIFY(GameSnapshot::fromLines(GameSnapshot().toLines(), &problem));
}

// A card that changed since shows its texts as they are now with the saved rows uncovered
// and the saved pot; a card that is gone leaves the scores and counters on the cover.
void AutoSaveTest::aCardThatChangedOrIsGone() {
    ConsoleFixture f(3);
    QVERIFY(f.startWithConsole());
    f.type("ss12");
    const GameSnapshot saved = f.board->snapshot();
    f.folder.writeRound(2, QStringLiteral("Cambiada"), {"Nuevo,70", "Otro,30"});
    f.board->restore(saved);
    BoardView b(*f.board);
    QCOMPARE(b.Label16->text(), QStringLiteral("Cambiada"));
    QCOMPARE(b.rows[0].answer->text(), QStringLiteral("Nuevo"));
    QVERIFY(!b.rows[0].cover->isVisible());
    QCOMPARE(b.Label17->text(), QStringLiteral("70"));  // what the audience saw

    QFile::remove(f.folder.file(QStringLiteral("Rondas/ronda2.txt")));
    QFile::remove(f.folder.file(QStringLiteral("Rondas/ronda3.txt")));
    GameSnapshot gone = saved;
    gone.leftScore = QStringLiteral("140");
    f.board->restore(gone);
    QVERIFY(b.Image2->isVisible());
    QCOMPARE(b.Label19->text(), QStringLiteral("140"));
    QCOMPARE(f.board->state().RoundNumber, 2);
    QCOMPARE(f.board->state().GameQuestionCount, 2);
}

// Each change is written once, through the writer's own thread; a clean exit removes it.
void AutoSaveTest::writtenOnChangeRemovedAtExit() {
    ConsoleFixture f(2);
    QVERIFY(f.startWithConsole());
    AutoSave save(*f.board);
    const QString file = normalizeSeparators(AutoSave::path());
    // Nothing played yet: nothing to continue, no file.
    save.check();
    save.writer().flush();
    QVERIFY(!QFile::exists(file));
    f.press('s');
    QTRY_VERIFY(f.folder.readBytes(QStringLiteral("Config/Partida.txt")).contains("ronda=1\r\n"));
    const QByteArray before = f.folder.readBytes(QStringLiteral("Config/Partida.txt"));
    f.press('1');
    QTRY_VERIFY(f.folder.readBytes(QStringLiteral("Config/Partida.txt")) != before);
    save.finish();
    QVERIFY(!QFile::exists(file));
    f.press('s');
    QTest::qWait(20);
    QVERIFY(!QFile::exists(file));
}

void AutoSaveTest::offeredAtTheNextStart_data() {
    QTest::addColumn<QString>("file");  // "good" or "damaged"
    QTest::addColumn<bool>("yes");
    QTest::newRow("continue") << "good" << true;
    QTest::newRow("start fresh") << "good" << false;
    QTest::newRow("damaged") << "damaged" << false;
}

// "Sí" brings the game back; "No" and a damaged file keep the old file aside under a dated
// name and the show starts fresh.
void AutoSaveTest::offeredAtTheNextStart() {
    QFETCH(QString, file);
    QFETCH(bool, yes);
    ConsoleFixture f(3);
    GameSnapshot saved;
    saved.gameView = true;
    saved.cardNumber = 2;
    saved.state.RoundNumber = 2;
    saved.state.GameQuestionCount = 2;
    saved.leftScore = QStringLiteral("180");
    saved.rightScore = QStringLiteral("140");
    saved.enabledKeys = QStringLiteral("aszcx345");
    QString text = saved.toLines().join(QStringLiteral("\r\n"));
    if (file == QLatin1String("damaged")) {
        text.replace(QStringLiteral("izquierda=180"), QStringLiteral("izquierda=mucho"));
    }
    f.folder.writeBytes(QStringLiteral("Config/Partida.txt"), text.toLatin1());
    QVERIFY(f.startWithConsole());
    AutoSave save(*f.board);
    f.dialogs.answers << yes;
    save.offerRestore();
    BoardView b(*f.board);
    if (file == QLatin1String("good")) {
        QCOMPARE(f.dialogs.questions(),
                 QStringList{QStringLiteral("La partida anterior no terminó normalmente. ¿Desea "
                                            "continuar donde se quedó?\n\nLos Verdes: 180\n"
                                            "Los Púrpuras: 140 [Sí]")});
    } else {
        QCOMPARE(f.dialogs.notices().size(), 1);
        QVERIFY(f.dialogs.notices().constFirst().contains(QStringLiteral("izquierda")));
    }
    QCOMPARE(b.Label19->text(), yes ? QStringLiteral("180") : QStringLiteral("00"));
    QCOMPARE(b.Label16->text(), yes ? QStringLiteral("Pregunta 2") : QStringLiteral("?"));
    const QStringList aside =
        QDir(f.folder.file(QStringLiteral("Config"))).entryList({QStringLiteral("Partida-*.txt")});
    QCOMPARE(aside.size(), yes ? 0 : 1);
    QCOMPARE(QFile::exists(f.folder.file(QStringLiteral("Config/Partida.txt"))), yes);
}

namespace {

// A saved game on card `number`, written where the next start finds it.
void writeSavedGame(ConsoleFixture& f, int number) {
    GameSnapshot saved;
    saved.gameView = true;
    saved.cardNumber = number;
    saved.state.RoundNumber = number;
    saved.state.GameQuestionCount = 2;
    saved.leftScore = QStringLiteral("180");
    saved.rightScore = QStringLiteral("140");
    saved.enabledKeys = QStringLiteral("aszcx345");
    f.folder.writeBytes(QStringLiteral("Config/Partida.txt"),
                        saved.toLines().join(QStringLiteral("\r\n")).toLatin1());
}

}  // namespace

// After "Sí" the keys play the game once the board is the active window: they never type
// into a team name.
void AutoSaveTest::restoredGameTakesTheKeys() {
    ConsoleFixture f(3);
    writeSavedGame(f, 2);
    // As at a start, when the question comes up before the board ever had the keyboard and
    // the control window is open.
    QVERIFY(f.startBoth());
    f.board->focusWidget()->clearFocus();
    f.console->open();
    AutoSave save(*f.board);
    f.dialogs.answers << true;
    save.offerRestore();
    BoardView b(*f.board);
    f.board->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.board.get()));
    QCOMPARE(QApplication::focusWidget(), b.Button3);
    QTest::keyClick(QApplication::focusWidget(), '1');
    QVERIFY(!b.rows[0].cover->isVisible());
    QCOMPARE(b.Edit16->text(), QStringLiteral("Los Verdes"));
}

// A saved game whose card number no file ever had comes back on the cover, its scores kept,
// as a card removed since does.
void AutoSaveTest::savedCardThatNeverExisted() {
    ConsoleFixture f(3);
    writeSavedGame(f, 999999999);
    QVERIFY(f.startWithConsole());
    AutoSave save(*f.board);
    f.dialogs.answers << true;
    save.offerRestore();
    BoardView b(*f.board);
    QVERIFY(b.Image2->isVisible());
    QVERIFY(!b.Panel1->isVisible());
    QCOMPARE(b.Label19->text(), QStringLiteral("180"));
    QVERIFY(f.dialogs.errors().isEmpty());
    // The next S finds no card after it and stays on the cover; A goes back to the last one.
    f.press('a');
    QCOMPARE(b.Label16->text(), QStringLiteral("Pregunta 3"));
}

QTEST_MAIN(AutoSaveTest)
#include "tst_autosave.moc"
