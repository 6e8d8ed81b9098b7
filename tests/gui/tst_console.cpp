// The control window beside the board: a game driven from its keys, the host view that
// follows the board, the marks, mirrors and reassign menu, the settings area with each
// operation's file and its effect on the board, the options, the "Sala" panel and "Monitor
// Dual".
//
// Run as it is, the offscreen platform shows two monitors; with VELTA_TEST_SCREENS=1 it shows
// one (CTest runs "Monitor Dual" both ways).
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTcpServer>
#include <QWebSocket>
#include <QtTest>

#include "ConsoleFixture.h"
#include "OffscreenScreens.h"
#include "StartupFixture.h"
#include "board/ImageBox.h"
#include "editing/Colours.h"
#include "editing/GameSettings.h"
#include "editing/RoomSettings.h"
#include "editing/SettingsStore.h"
#include "platform/ProgramFolder.h"
#include "room/Room.h"
#include "sound/Sound.h"

using namespace velta;
using velta::test::BoardView;
using velta::test::ConsoleFixture;

namespace {

const bool kScreens = velta::test::useOffscreenScreens(
    qEnvironmentVariableIntValue("VELTA_TEST_SCREENS") == 1
        ? QList<QRect>{QRect(0, 0, 1366, 768)}
        : QList<QRect>{QRect(0, 0, 1366, 768), QRect(1366, 0, 1024, 768)});

// Over the five cards of fresh(5): card 2 with three answers, and one extra card.
void writeShow(const ConsoleFixture& f) {
    f.folder.writeRound(2, QStringLiteral("Pregunta 2"), {"Sol,50", "Luna,30", "Mar,20", ",", ","});
    f.folder.writeRound(
        1, QStringLiteral("Algo que llevas a la playa"),
        {"Bloqueador,38", "Toalla,27", "Traje de baño,16", "Sombrilla,12", "Lentes,7"}, true);
}

// Stands in for the desktop's file manager: records the folders it is asked to open.
class OpenedFolders : public QObject {
    Q_OBJECT
  public:
    QList<QUrl> urls;
  public Q_SLOTS:
    void open(const QUrl& url) { urls << url; }
};

}  // namespace

class ConsoleTest : public velta::test::ConsoleTestCase {
    Q_OBJECT

  private Q_SLOTS:
    void init();

    void aGameFromTheConsoleKeys();
    void hostViewFollowsTheBoard_data();
    void hostViewFollowsTheBoard();
    void hostViewWithoutSync();
    void hostViewReportsAnUnreadableCardOnce();
    void twinsFollowTheBoardsKeys();
    void strikeKeysWaitForThePicture_data();
    void strikeKeysWaitForThePicture();
    void mirrorsFollowEveryScoreChange();
    void undoAndRedoOnBothWindows();
    void reassignMenuOfTheConsole();
    void keyListAndClosing();
    void settingsShowWhatIsInForce();
    void startUpWithEveryMarker();
    void titleAndColours_data();
    void titleAndColours();
    void emptyTitleKeepsTheTitleInForce();
    void coverAndFrame_data();
    void coverAndFrame();
    void pictureChosenAgainIsReadAgain_data();
    void pictureChosenAgainIsReadAgain();
    void teamNames();
    void roundFolder_data();
    void roundFolder();
    void options_data();
    void options();
    void optionThatCannotBeStored_data();
    void optionThatCannotBeStored();
    void roomPanel();
    void faceOffButtons();
    void monitorDual();
    void screenshots();

  private:
    void type(const char* keys) { f_->type(keys); }
};

void ConsoleTest::init() {
    QVERIFY(kScreens);
    writeShow(fresh(5));
}

// The operator plays with the keyboard on the console: every key reaches the board through
// its twin, the host sees the answers, and the focus stays on the console.
void ConsoleTest::aGameFromTheConsoleKeys() {
    QVERIFY(f().startWithConsole());
    BoardView b = board();
    type("s");
    QCOMPARE(b.Label16->text(), QStringLiteral("Pregunta 1"));
    QCOMPARE(f().find<QLabel>("Label32")->text(), QStringLiteral("ronda1.txt"));
    QCOMPARE(f().find<QLineEdit>("Edit2")->text(), QStringLiteral("Uno"));
    QCOMPARE(f().find<QLineEdit>("Edit13")->text(), QStringLiteral("5"));
    type("12");
    QCOMPARE(b.Label17->text(), QStringLiteral("70"));
    QVERIFY(f().find<QLineEdit>("Edit2")->font().underline());
    QVERIFY(f().find<QPushButton>("SB2")->font().bold());
    type("xz");
    QCOMPARE(b->state().StrikeCount, 1);
    QCOMPARE(b.Label19->text(), QStringLiteral("70"));
    QCOMPARE(f().find<QLabel>("LPtosIzq")->text(), QStringLiteral("70"));
    // The numbered buttons uncover answers on the board too.
    type("s");
    QTest::mouseClick(f().find<QPushButton>("SB1"), Qt::LeftButton);
    QCOMPARE(b.Label17->text(), QStringLiteral("50"));
    type("c");
    QCOMPARE(f().find<QLabel>("LPtosDer")->text(), QStringLiteral("50"));
    QCOMPARE(QApplication::focusWidget(), f().sink());
    QVERIFY(f().dialogs.shown.isEmpty());
}

void ConsoleTest::hostViewFollowsTheBoard_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("question");
    const auto row = [](const char* tag, const char* keys, const char* file, const char* question) {
        QTest::newRow(tag) << QString(keys) << QString(file) << QString(question);
    };
    row("S", "s", "ronda1.txt", "Pregunta 1");
    row("S S A", "ssa", "ronda1.txt", "Pregunta 1");
    row("S V", "sv", "ronda2.txt", "Pregunta 2");
    row("S R", "sr", "xronda1.txt", "Algo que llevas a la playa");
    row("pending card 4, S", "4s", "ronda4.txt", "Pregunta 4");
}

void ConsoleTest::hostViewFollowsTheBoard() {
    QFETCH(QString, keys);
    QFETCH(QString, fileName);
    QFETCH(QString, question);
    QVERIFY(f().startWithConsole());
    for (const QChar key : keys) {
        if (key == '4') {
            // What the question editor does when it shows card 4.
            f().board->setPendingCard(QStringLiteral("ronda4.txt"));
            continue;
        }
        f().press(key.toLatin1());
    }
    QCOMPARE(f().find<QLabel>("Label32")->text(), fileName);
    QCOMPARE(f().find<QLineEdit>("Edit1")->text(), question);
}

// Without "Sincronizar con el juego" the host view stays; its marks and copies too, but
// the end of a countdown still empties the copy.
void ConsoleTest::hostViewWithoutSync() {
    QVERIFY(f().startWithConsole());
    type("s");
    QTest::mouseClick(f().find<QCheckBox>("CheckBox2"), Qt::LeftButton);
    QVERIFY(!f().console->syncWithGame());
    QCOMPARE(QApplication::focusWidget(), f().sink());
    type("s1xh");
    QCOMPARE(board().Label16->text(), QStringLiteral("Pregunta 2"));
    QCOMPARE(f().find<QLabel>("Label32")->text(), QStringLiteral("ronda1.txt"));
    QVERIFY(!f().find<QLineEdit>("Edit2")->font().underline());
    QVERIFY(!f().find<velta::ImageBox>("Image1")->isVisible());
    board()->countdownTick();
    auto* countdown = f().find<QLabel>("Label53");
    QVERIFY(countdown->text().isEmpty());
    auto* sync = f().find<QCheckBox>("CheckBox2");
    QTest::mouseClick(sync, Qt::LeftButton);
    board()->countdownTick();
    QCOMPARE(countdown->text(), QStringLiteral("4"));
    QTest::mouseClick(sync, Qt::LeftButton);
    for (int tick = 0; tick < 3; ++tick) {
        board()->countdownTick();
    }
    QCOMPARE(countdown->text(), QStringLiteral("4"));
    board()->countdownTick();
    QVERIFY(countdown->text().isEmpty());
}

// The card on the board is gone from its folder by the time this window opens: the message
// comes once, and the fields keep the card before.
void ConsoleTest::hostViewReportsAnUnreadableCardOnce() {
    QVERIFY(f().startWithConsole());
    type("s");
    f().console->hide();
    f().board->activateWindow();
    f().press('s');
    QCOMPARE(f().board->game().cardNumber(), 2);
    QVERIFY(QFile::remove(programPath(QStringLiteral("Rondas/ronda2.txt"))));
    f().console->show();
    QTRY_COMPARE(f().dialogs.errors().size(), 1);
    QVERIFY(f().dialogs.errors().constFirst().contains(QStringLiteral("ronda2.txt")));
    QCOMPARE(f().find<QLabel>("Label32")->text(), QStringLiteral("ronda2.txt"));
    QCOMPARE(f().find<QLineEdit>("Edit1")->text(), QStringLiteral("Pregunta 1"));
    f().console->hide();
    f().console->show();
    QTest::qWait(20);
    QCOMPARE(f().dialogs.errors().size(), 1);
}

void ConsoleTest::twinsFollowTheBoardsKeys() {
    QVERIFY(f().startWithConsole());
    const auto twin = [this](const char* name) { return f().find<KeyButton>(name); };
    QVERIFY(!twin("SpeedButton9")->isEnabled());   // A before the first card
    QVERIFY(!twin("SpeedButton14")->isEnabled());  // M is the board's
    QVERIFY(!twin("SpeedButton34")->isEnabled());  // T: this window is open
    type("s");
    QVERIFY(twin("SpeedButton9")->isEnabled());
    QVERIFY(!twin("SpeedButton19")->isEnabled());  // S disables F
    type("s");                                     // card 2 has three answers
    QVERIFY(!twin("SpeedButton7")->isEnabled());
    QVERIFY(!twin("SpeedButton8")->isEnabled());
    QVERIFY(f().find<QPushButton>("SB5")->isEnabled());
    // A key whose twin is off does nothing; the numbered button only plays the sound.
    f().sound.clear();
    type("5");
    QVERIFY(f().sound.calls.isEmpty());
    QTest::mouseClick(f().find<QPushButton>("SB5"), Qt::LeftButton);
    QCOMPARE(f().sound.effects(), velta::test::played(effects::kAnswer));
    type("s");
    QVERIFY(twin("SpeedButton8")->isEnabled());
    // While the strike picture is up, X is off on both windows: a double tap on the
    // console shows the audience one strike, as on the board.
    type("x");
    QVERIFY(!board().SpeedButton2->isEnabled());
    QVERIFY(!twin("SpeedButton2")->isEnabled());
    type("x");
    QCOMPARE(board()->state().StrikeCount, 1);
    board()->splashTick();
    QVERIFY(twin("SpeedButton2")->isEnabled());
    type("x");
    QCOMPARE(board()->state().StrikeCount, 2);
}

void ConsoleTest::strikeKeysWaitForThePicture_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<bool>("onConsole");
    for (const bool console : {true, false}) {
        const char* where = console ? ", console" : ", board";
        for (const char* keys : {"xx", "xn", "nx", "nn"}) {
            QTest::newRow(QByteArray(keys).append(where)) << QString::fromLatin1(keys) << console;
        }
    }
}

// While the picture of an X or an N is up, another X or N does nothing on either window:
// the audience sees one strike, and the turn is not skipped.
void ConsoleTest::strikeKeysWaitForThePicture() {
    QFETCH(QString, keys);
    QFETCH(bool, onConsole);
    QVERIFY(f().startWithConsole());
    type("s");
    board()->splashTick();
    f().sound.clear();
    const auto press = [this, onConsole](QChar key) {
        QTest::keyClick(onConsole ? QApplication::focusWidget() : board().Button3, key.toLatin1());
    };
    press(keys[0]);
    press(keys[1]);
    QCOMPARE(f().sound.effects(), velta::test::played(effects::kWrong));
    QCOMPARE(board()->state().StrikeCount, keys[0] == 'x' ? 1 : 0);
    board()->splashTick();
    press(keys[1]);
    QCOMPARE(f().sound.effects().size(), 2);
    // Both windows show the key off until the picture goes.
    QVERIFY(!f().find<KeyButton>("SpeedButton17")->isEnabled());
    QVERIFY(!board().SpeedButton17->isEnabled());
    board()->splashTick();
    QVERIFY(f().find<KeyButton>("SpeedButton17")->isEnabled());
    QVERIFY(board().SpeedButton17->isEnabled());
}

void ConsoleTest::mirrorsFollowEveryScoreChange() {
    QVERIFY(f().startWithConsole());
    const auto mirrors = [this] {
        return QStringList{f().find<QLabel>("LPtosIzq")->text(),
                           f().find<QLabel>("LPtosDer")->text()};
    };
    type("s1z");
    QCOMPARE(mirrors(), (QStringList{"40", "00"}));
    type("s1c");
    QCOMPARE(mirrors(), (QStringList{"40", "50"}));
    QTest::mouseClick(f().find<KeyButton>("SpeedButton102"), Qt::LeftButton);
    QTest::mouseClick(f().find<QPushButton>("Button4"), Qt::LeftButton);
    QCOMPARE(mirrors(), (QStringList{"90", "0"}));
    QTest::mouseClick(f().find<QLabel>("Label5"), Qt::LeftButton);  // swap
    QCOMPARE(mirrors(), (QStringList{"0", "90"}));
    f().dialogs.inputs << QStringLiteral("7") << QStringLiteral("8");
    QTest::mouseClick(f().find<QPushButton>("Button7"), Qt::LeftButton);
    QCOMPARE(mirrors(), (QStringList{"7", "8"}));
    // Input boxes ask with the team names the settings hold.
    QCOMPARE(f().dialogs.shown.filter(QStringLiteral("input: ")).size(), 2);
    // A new game's "00" shows too.
    type("sss");
    QCOMPARE(board()->state().GameQuestionCount, 5);
    QCOMPARE(mirrors(), (QStringList{"00", "00"}));
}

// Ctrl+Z and Ctrl+Y work from either window and "Deshacer" from the console: each takes the
// whole game back a command, on both windows, without a sound; in a text field they undo
// the typing instead.
void ConsoleTest::undoAndRedoOnBothWindows() {
    QVERIFY(f().startWithConsole());
    BoardView b = board();
    const auto ctrl = [](QWidget* target, Qt::Key key) {
        QTest::keyClick(target, key, Qt::ControlModifier);
    };
    QWidget* consoleSink = f().find<QPushButton>("Button3");
    const auto shown = [&] {
        return QStringList{b.Label17->text(), b.Label19->text(),
                           f().find<QLabel>("LPtosIzq")->text(),
                           QString::number(b.rows[1].cover->isVisible()),
                           QString::number(f().find<QLineEdit>("Edit6")->font().underline())};
    };
    type("s");
    b->splashTick();
    type("12");
    const QStringList revealed = shown();
    QCOMPARE(revealed, (QStringList{"70", "00", "00", "0", "1"}));
    type("z");
    QCOMPARE(shown(), (QStringList{"00", "70", "70", "0", "1"}));
    QVERIFY(!b.SpeedButton13->isEnabled());
    f().sound.clear();

    ctrl(consoleSink, Qt::Key_Z);
    QCOMPARE(shown(), revealed);
    QVERIFY(b.SpeedButton13->isEnabled());
    ctrl(b.Button3, Qt::Key_Z);
    QCOMPARE(shown(), (QStringList{"40", "00", "00", "1", "0"}));
    click("SpeedButtonDeshacer");
    click("SpeedButtonDeshacer");
    QCOMPARE(b.Label16->text(), QStringLiteral("?"));
    QVERIFY(b.Image2->isVisible());
    QVERIFY(!b.SpeedButton9->isEnabled());
    QVERIFY(f().sound.calls.isEmpty());

    for (int i = 0; i < 4; ++i) {
        ctrl(i % 2 ? b.Button3 : consoleSink, Qt::Key_Y);
    }
    QCOMPARE(shown(), (QStringList{"00", "70", "70", "0", "1"}));
    QVERIFY(f().sound.calls.isEmpty());

    // In a text field the keys belong to the field.
    auto* question = f().find<QLineEdit>("Edit1");
    question->setFocus();
    QTest::keyClicks(question, QStringLiteral("xy"));
    ctrl(question, Qt::Key_Z);
    QCOMPARE(question->text(), QStringLiteral("Pregunta 1"));
    QCOMPARE(shown(), (QStringList{"00", "70", "70", "0", "1"}));
}

void ConsoleTest::reassignMenuOfTheConsole() {
    QVERIFY(f().startWithConsole());
    auto* menu = f().find<QWidget>("Panel20");
    auto* notice = f().find<QLabel>("Panel21");
    type("s");
    type("b");
    QVERIFY(notice->isVisible());
    QVERIFY(!menu->isVisible());
    QVERIFY(!board().Panel21->isVisible());  // the audience sees nothing
    auto* noticeTimer = f().console->findChild<QTimer*>(QStringLiteral("Timer15"));
    QVERIFY(noticeTimer && noticeTimer->isActive());
    QCOMPARE(noticeTimer->interval(), 1500);
    QVERIFY(QMetaObject::invokeMethod(noticeTimer, "timeout"));
    QVERIFY(!notice->isVisible());

    type("12z");
    type("b");
    QVERIFY(menu->isVisible());
    QVERIFY(!board().Panel20->isVisible());
    QCOMPARE(f().find<QLabel>("Label3")->text(), QStringLiteral("70 a Los Verdes"));
    QCOMPARE(f().find<QLabel>("Label4")->text(), QStringLiteral("70 a Los Púrpuras"));
    QCOMPARE(f().find<QPushButton>("Button5")->toolTip(),
             QStringLiteral("Reasignar puntos a Los Púrpuras"));
    QTest::mouseClick(f().find<QLabel>("Label4"), Qt::LeftButton);
    QCOMPARE(board().Label20->text(), QStringLiteral("70"));
    QVERIFY(menu->isVisible());
    QTest::mouseClick(f().find<QLabel>("Label7"), Qt::LeftButton);  // "Ninguna acción"
    QVERIFY(!menu->isVisible());
    type("b");
    QVERIFY(menu->isVisible());
    type("s");  // the next card closes it
    QVERIFY(!menu->isVisible());
    QCOMPARE(QApplication::focusWidget(), f().sink());
}

void ConsoleTest::keyListAndClosing() {
    QVERIFY(f().startWithConsole());
    auto* keys = f().find<QWidget>("Panel14");
    auto* main = f().find<QWidget>("Panel7");
    const auto inFront = [](QWidget* w) { return w->parentWidget()->children().last() == w; };
    QVERIFY(!inFront(keys));
    type("k");
    QVERIFY(keys->isVisible() && inFront(keys));
    QCOMPARE(keys->findChild<QListWidget*>()->item(10)->text(),
             QStringLiteral("M = Muestra el menú, cuando éste se oculta automáticamente (sólo en "
                            "pantalla del juego)"));
    QTest::mouseClick(keys->findChild<QLabel*>(QStringLiteral("Label65")), Qt::LeftButton);
    // Behind the main panel, still shown.
    QVERIFY(keys->isVisible() && !inFront(keys));
    QVERIFY(keys->parentWidget()->children().indexOf(keys) <
            keys->parentWidget()->children().indexOf(main));

    // Larger than its design it snaps back.
    f().console->resize(1200, 900);
    QVERIFY(f().console->width() <= 881 && f().console->height() <= 597);

    // Closing hides it, stops the effects, and T brings it back.
    type("s");
    f().sound.clear();
    f().console->close();
    QVERIFY(!f().console->isVisible());
    QVERIFY(f().sound.calls.contains(QStringLiteral("stop")));
    QCOMPARE(QApplication::focusWidget() == f().sink(), false);
    board()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f().board.get()));
    board()->parkFocus();
    QCOMPARE(QApplication::focusWidget(), board().Button3);
    f().press('t');
    QTRY_VERIFY(f().console->isVisible());
    QTRY_COMPARE(QApplication::focusWidget(), f().sink());
}

// The fields show the settings in force each time the window is shown, names typed on the
// board included; the colour lists show a stored colour by its own name, whole. The show
// folder is named and "Abrir" opens it in the file manager.
void ConsoleTest::settingsShowWhatIsInForce() {
    f().folder.writeBytes(kTitleFile, "Mi Juego\r\nhotlight\r\nGradientInactiveCaption\r\n");
    QVERIFY(f().startBoth());
    BoardView b = board();
    b->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(b.board.windowHandle()));
    type("s");
    QTest::mouseClick(b.Edit16, Qt::LeftButton);
    QTest::keyClick(b.Edit16, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(b.Edit16, QStringLiteral("Los Tigres"));
    QTest::keyClick(b.Edit16, Qt::Key_Return);
    f().press('t');
    QTRY_VERIFY(f().console->isVisible());
    QCOMPARE(f().find<QLineEdit>("ETitulo")->text(), QStringLiteral("Mi Juego"));
    QCOMPARE(f().find<QComboBox>("CBColorTitulo")->currentText(), QStringLiteral("HotLight"));
    QCOMPARE(f().find<QComboBox>("CBColorFondo")->currentText(),
             QStringLiteral("GradientInactiveCaption"));
    QCOMPARE(f().find<QLineEdit>("Edit20")->text(), QStringLiteral("Los Tigres"));
    QCOMPARE(f().find<QLineEdit>("ECarpeta")->text(),
             QDir::toNativeSeparators(programPath(QStringLiteral("Rondas"))));
    QTest::mouseClick(f().find<QPushButton>("BGuardarEquipos"), Qt::LeftButton);
    QCOMPARE(f().folder.readBytes(kTeamsFile), QByteArray("Los Tigres\r\nLos P\xFArpuras\r\n"));
    QCOMPARE(f().find<QComboBox>("CBColorTitulo")->count(), 20);

    QCOMPARE(f().find<QLineEdit>("ECarpetaShow")->text(),
             QDir::toNativeSeparators(programFolder()));
    OpenedFolders opened;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &opened, "open");
    QTest::mouseClick(f().find<QPushButton>("BAbrirShow"), Qt::LeftButton);
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    QCOMPARE(opened.urls, QList<QUrl>{QUrl::fromLocalFile(programFolder())});
}

// Every marker present at start shows in its box; sp.cfg applies from the next card, and a
// rounds folder that is named but missing is said once, naming it.
void ConsoleTest::startUpWithEveryMarker() {
    for (const QString& marker :
         {kMultipliersOffMarker, kAccumulateEasyMarker, kHideScoresMarker, kHideQuestionMarker}) {
        f().folder.writeBytes(marker, "1");
    }
    const QString missing = f().folder.file(QStringLiteral("Concurso/Preguntas"));
    f().folder.writeBytes(kRoundFolderFile, QFile::encodeName(missing));
    QVERIFY(f().startWithConsole());
    QCOMPARE(f().dialogs.notices().size(), 1);
    QVERIFY(f().dialogs.notices().constFirst().contains(missing));
    QVERIFY(!f().find<QCheckBox>("CBPtosDT")->isChecked());
    QVERIFY(f().find<QCheckBox>("CBSumaF")->isChecked());
    QVERIFY(f().find<QCheckBox>("CBShowP")->isChecked());
    QVERIFY(f().find<QCheckBox>("CBShowQ")->isChecked());
    type("s");
    BoardView b = board();
    QCOMPARE(b->state().RoundNumber, 1);
    QVERIFY(!b.Label16->isVisible());
    QVERIFY(!b.Panel2->isVisible() && !b.Panel3->isVisible());
    QCOMPARE(f().find<QLineEdit>("Edit1")->text(), QStringLiteral("Pregunta 1"));
}

void ConsoleTest::titleAndColours_data() {
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("titleColour");
    QTest::addColumn<QString>("background");
    QTest::addColumn<QByteArray>("file");  // empty: refused
    const auto row = [](const char* tag, const char* title, const char* titleColour,
                        const char* background, const QByteArray& file) {
        QTest::newRow(tag) << QString(title) << QString(titleColour) << QString(background) << file;
    };
    row("title and colours", " Noche de Gala ", "Red", "Black",
        "Noche de Gala\r\nRed\r\nBlack\r\n");
    row("typed in another case", "Gala", "navy", "cream", "Gala\r\nnavy\r\ncream\r\n");
    row("unknown title colour", "Gala", "Rojito", "Black", QByteArray());
    row("unknown background", "Gala", "Red", "Negro", QByteArray());
}

void ConsoleTest::titleAndColours() {
    QFETCH(QString, title);
    QFETCH(QString, titleColour);
    QFETCH(QString, background);
    QFETCH(QByteArray, file);
    QVERIFY(f().startWithConsole());
    BoardView b = board();
    f().find<QLineEdit>("ETitulo")->setText(title);
    f().find<QComboBox>("CBColorTitulo")->setCurrentText(titleColour);
    f().find<QComboBox>("CBColorFondo")->setCurrentText(background);
    QTest::mouseClick(f().find<QPushButton>("BGuardarTitulo"), Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), f().sink());
    if (file.isEmpty()) {
        QCOMPARE(f().dialogs.notices().size(), 1);
        QVERIFY(f().dialogs.notices().constFirst().contains(QStringLiteral("no es un color")));
        QVERIFY(!QFile::exists(f().folder.file(kTitleFile)));
        QCOMPARE(b.Label18->text(), QStringLiteral("Veltarama"));
        QVERIFY(f().find<QLabel>("LabelConsejoTitulo")->isVisible());
        return;
    }
    QCOMPARE(f().folder.readBytes(kTitleFile), file);
    // The board shows the title as typed, spaces and all, until the next start.
    QCOMPARE(b.Label18->text(), title);
    QCOMPARE(b.Label18->palette().color(QPalette::WindowText), lookupColour(titleColour)->colour);
    QCOMPARE(b->palette().color(QPalette::Window), lookupColour(background)->colour);
    QVERIFY(!f().find<QLabel>("LabelConsejoTitulo")->isVisible());
    QVERIFY(f().dialogs.shown.isEmpty());
}

// "Guardar" with the title field empty (as after "Crear mi propia version") saves the
// colours, keeps the title in force and says so.
void ConsoleTest::emptyTitleKeepsTheTitleInForce() {
    f().folder.writeBytes(kTitleFile, "Mi Show\r\nRed\r\nBlack\r\n");
    f().folder.writeBytes(kThemeMarker, "1");
    QVERIFY(f().startWithConsole());
    BoardView b = board();
    f().find<QLineEdit>("ETitulo")->clear();
    f().find<QComboBox>("CBColorTitulo")->setCurrentText(QStringLiteral("Navy"));
    click("BGuardarTitulo");
    QCOMPARE(f().dialogs.notices(),
             QStringList{QStringLiteral("El título está vacío: se conserva \"Mi Show\" y se "
                                        "guardaron los colores. Escriba el título del juego y "
                                        "pulse Guardar.")});
    QCOMPARE(f().folder.readBytes(kTitleFile), QByteArray("Mi Show\r\nNavy\r\nBlack\r\n"));
    QCOMPARE(b.Label18->text(), QStringLiteral("Mi Show"));
    QCOMPARE(b.Label18->palette().color(QPalette::WindowText),
             lookupColour(QStringLiteral("Navy"))->colour);
    QCOMPARE(f().find<QLineEdit>("ETitulo")->text(), QStringLiteral("Mi Show"));
    QCOMPARE(QApplication::focusWidget(), f().sink());
}

void ConsoleTest::coverAndFrame_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("settingFile");
    QTest::addColumn<QString>("picture");  // "good", "broken" or "" (cancelled)
    QTest::newRow("cover") << "BPortada" << kCoverFile << "good";
    QTest::newRow("frame") << "BMarco" << kFrameFile << "good";
    QTest::newRow("cover, not a picture") << "BPortada" << kCoverFile << "broken";
    QTest::newRow("frame, cancelled") << "BMarco" << kFrameFile << "";
}

void ConsoleTest::coverAndFrame() {
    QFETCH(QString, button);
    QFETCH(QString, settingFile);
    QFETCH(QString, picture);
    f().folder.writeBytes(QStringLiteral("Fotos/good.jpg"),
                          velta::test::pictureFile(QSize(321, 123), "JPG"));
    f().folder.writeBytes(QStringLiteral("Fotos/broken.jpg"), "not a picture at all");
    QVERIFY(f().startWithConsole());
    BoardView b = board();
    const bool cover = settingFile == kCoverFile;
    const QImage before = (cover ? b.Image2 : b.Image13)->image();
    const QString path = picture.isEmpty()
                             ? QString()
                             : f().folder.file(QStringLiteral("Fotos/%1.jpg").arg(picture));
    f().dialogs.files << path;
    QTest::mouseClick(f().find<QPushButton>(qPrintable(button)), Qt::LeftButton);
    QVERIFY(f().dialogs.shown.constFirst().startsWith(
        QStringLiteral("open: ") +
        programPath(cover ? QStringLiteral("Imagen/Titles") : QStringLiteral("Imagen/Frames"))));
    QCOMPARE(QApplication::focusWidget(), f().sink());
    const QImage after = (cover ? b.Image2 : b.Image13)->image();
    if (picture != QLatin1String("good")) {
        QVERIFY(!QFile::exists(f().folder.file(settingFile)));
        QCOMPARE(after, before);
        QCOMPARE(f().dialogs.notices().size(), picture.isEmpty() ? 0 : 1);
        return;
    }
    QCOMPARE(f().folder.readBytes(settingFile), QFile::encodeName(path));
    QCOMPARE(after.size(), QSize(321, 123));
    QCOMPARE(f().find<QLineEdit>(cover ? "EPortada" : "EMarco")->text(), path);
    QVERIFY(!f().find<QLabel>("LabelConsejoPortada")->isVisible());
}

void ConsoleTest::pictureChosenAgainIsReadAgain_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("settingFile");
    QTest::newRow("cover") << "BPortada" << kCoverFile;
    QTest::newRow("frame") << "BMarco" << kFrameFile;
}

// The picture a setting names is missing at start; once the operator has put the file in
// place, choosing the same path again shows it.
void ConsoleTest::pictureChosenAgainIsReadAgain() {
    QFETCH(QString, button);
    QFETCH(QString, settingFile);
    const QString path = f().folder.file(QStringLiteral("Fotos/nueva.jpg"));
    f().folder.writeBytes(settingFile, QFile::encodeName(path));
    QVERIFY(f().startWithConsole());
    QCOMPARE(f().dialogs.notices().size(), 1);
    QVERIFY(f().dialogs.notices().constFirst().startsWith(QStringLiteral("No se encontró")));
    f().folder.writeBytes(QStringLiteral("Fotos/nueva.jpg"),
                          velta::test::pictureFile(QSize(321, 123), "JPG"));
    f().dialogs.files << path;
    click(qPrintable(button));
    BoardView b = board();
    QCOMPARE((settingFile == kCoverFile ? b.Image2 : b.Image13)->image().size(), QSize(321, 123));
    QCOMPARE(f().dialogs.notices().size(), 1);
    QCOMPARE(f().folder.readBytes(settingFile), QFile::encodeName(path));
}

void ConsoleTest::teamNames() {
    QVERIFY(f().startWithConsole());
    BoardView b = board();
    type("sh");
    QVERIFY(b.Timer9->isActive());
    f().find<QLineEdit>("Edit20")->setText(QStringLiteral("Águilas"));
    f().find<QLineEdit>("Edit21")->clear();
    QTest::mouseClick(f().find<QPushButton>("BGuardarEquipos"), Qt::LeftButton);
    QCOMPARE(f().folder.readBytes(kTeamsFile), QByteArray("\xC1guilas\r\n\r\n"));
    QCOMPARE(b.Edit16->text(), QStringLiteral("Águilas"));
    // An empty name keeps the board's.
    QCOMPARE(b.Edit17->text(), QStringLiteral("Los Púrpuras"));
    QVERIFY(!b.Timer9->isActive());
    QCOMPARE(f().find<KeyButton>("SpeedButton103")->toolTip(),
             QStringLiteral("Asignar puntos a Águilas [Tecla Z]"));
}

void ConsoleTest::roundFolder_data() {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QList<bool>>("answers");  // to "create it?"
    QTest::addColumn<bool>("changes");
    QTest::newRow("existing folder") << "Otra" << QList<bool>{} << true;
    QTest::newRow("missing, created") << "Nueva" << QList<bool>{true} << true;
    QTest::newRow("missing, not created") << "Nueva" << QList<bool>{false} << false;
    QTest::newRow("cancelled") << "" << QList<bool>{} << false;
}

void ConsoleTest::roundFolder() {
    QFETCH(QString, folder);
    QFETCH(QList<bool>, answers);
    QFETCH(bool, changes);
    f().folder.writeBytes(QStringLiteral("Otra/ronda1.txt"), "Otra pregunta\r\nA,60\r\nB,40\r\n");
    QVERIFY(f().startWithConsole());
    BoardView b = board();
    type("sss");
    const QString path = folder.isEmpty() ? QString() : f().folder.file(folder);
    f().dialogs.files << path;
    for (bool answer : answers) {
        f().dialogs.answers << answer;
    }
    QTest::mouseClick(f().find<QPushButton>("BCarpeta"), Qt::LeftButton);
    QCOMPARE(f().dialogs.questions().size(), answers.size());
    QCOMPARE(QApplication::focusWidget(), f().sink());
    if (!changes) {
        QVERIFY(!QFile::exists(f().folder.file(kRoundFolderFile)));
        QCOMPARE(b->roundFolder(), programPath(QStringLiteral("Rondas")));
        QCOMPARE(b->state().RoundNumber, 3);
        QVERIFY(!QDir(f().folder.file(QStringLiteral("Nueva"))).exists());
        return;
    }
    QCOMPARE(f().folder.readBytes(kRoundFolderFile), QFile::encodeName(path));
    QCOMPARE(b->roundFolder(), path);
    QCOMPARE(b->state().RoundNumber, 0);
    QVERIFY(QDir(path).exists());
    type("s");
    QCOMPARE(b.Label16->text(), folder == QLatin1String("Otra") ? QStringLiteral("Otra pregunta")
                                                                : QStringLiteral("Pregunta 3"));
}

void ConsoleTest::options_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("marker");
    QTest::addColumn<bool>("markerWhenChecked");
    QTest::newRow("double and triple") << "CBPtosDT" << kMultipliersOffMarker << false;
    QTest::newRow("accumulate in easy") << "CBSumaF" << kAccumulateEasyMarker << true;
    QTest::newRow("hide scores") << "CBShowP" << kHideScoresMarker << true;
    QTest::newRow("hide question") << "CBShowQ" << kHideQuestionMarker << true;
}

void ConsoleTest::options() {
    QFETCH(QString, box);
    QFETCH(QString, marker);
    QFETCH(bool, markerWhenChecked);
    QVERIFY(f().startWithConsole());
    BoardView b = board();
    type("s");
    auto* check = f().find<QCheckBox>(qPrintable(box));
    const bool wasChecked = check->isChecked();
    QCOMPARE(wasChecked, !markerWhenChecked);  // every marker absent
    QTest::mouseClick(check, Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), f().sink());
    QCOMPARE(QFile::exists(f().folder.file(marker)), true);
    // The immediate effects on the board.
    if (box == QLatin1String("CBShowP")) {
        QVERIFY(!b.Panel2->isVisible() && !b.Panel3->isVisible() && !b.Panel4->isVisible());
        type("s");  // sp.cfg is present: the next card keeps them hidden
        QVERIFY(!b.Panel3->isVisible());
    } else if (box == QLatin1String("CBShowQ")) {
        QVERIFY(!b.Label16->isVisible());
    } else if (box == QLatin1String("CBPtosDT")) {
        QVERIFY(!b->settings().multipliersInNormal);
    } else {
        QVERIFY(b->settings().accumulateInEasy);
    }
    QTest::mouseClick(check, Qt::LeftButton);
    QCOMPARE(QFile::exists(f().folder.file(marker)), false);
    if (box == QLatin1String("CBShowP")) {
        QVERIFY(b.Panel2->isVisible() && b.Panel3->isVisible() && b.Panel4->isVisible());
    } else if (box == QLatin1String("CBShowQ")) {
        QVERIFY(b.Label16->isVisible());
    }
    QVERIFY(f().dialogs.shown.isEmpty());
}

void ConsoleTest::optionThatCannotBeStored_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("marker");
    QTest::addColumn<bool>("present");  // the marker is there (a folder) and cannot go
    QTest::newRow("marker cannot be removed") << "CBShowP" << kHideScoresMarker << true;
    QTest::newRow("marker cannot be written") << "CBShowQ" << kHideQuestionMarker << false;
}

// A marker that cannot be changed keeps its option, and the box shows the option in force.
void ConsoleTest::optionThatCannotBeStored() {
    QFETCH(QString, box);
    QFETCH(QString, marker);
    QFETCH(bool, present);
    if (present) {
        QVERIFY(QDir().mkpath(f().folder.file(marker)));
    }
    QVERIFY(f().startWithConsole());
    BoardView b = board();
    type("s");
    auto* check = f().find<QCheckBox>(qPrintable(box));
    QCOMPARE(check->isChecked(), present);
    // As the show runs, without the rights to write in a program folder it does not own.
    velta::test::asShowUser([&] { click(check); });
    QCOMPARE(f().dialogs.errors().size(), 1);
    QVERIFY2(f().dialogs.errors().constFirst().contains(f().folder.file(marker)),
             qPrintable(f().dialogs.errors().constFirst()));
    QCOMPARE(check->isChecked(), present);
    QCOMPARE(QFileInfo::exists(f().folder.file(marker)), present);
    if (present) {
        QVERIFY(b->settings().hideScores && !b.Panel3->isVisible());
    } else {
        QVERIFY(!b->settings().hideQuestion && b.Label16->isVisible());
    }
    QCOMPARE(QApplication::focusWidget(), f().sink());
}

// With a second monitor the board goes to the one that does not hold the console, fitted
// the first time and maximised the next; with one, it fills its own and the console closes.
// The "Sala" panel opens the room on the port of its settings, says where and with which
// code, counts the devices, and the board's own keys reach them; closing drops them all.
void ConsoleTest::roomPanel() {
    QVERIFY(f().startWithConsole());
    quint16 port = 0;
    {
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
        port = probe.serverPort();
    }
    RoomSettings settings;
    settings.port = port;
    f().board->settingsStore().setRoom(settings);
    Room& room = f().console->room();
    room.setListenAddress(QHostAddress::LocalHost);
    auto* open = f().find<QPushButton>("ButtonSala");
    QCOMPARE(open->text(), QStringLiteral("Abrir la sala"));
    QTest::mouseClick(open, Qt::LeftButton);
    QCOMPARE(open->text(), QStringLiteral("Cerrar la sala"));
    QCOMPARE(f().find<QLabel>("LabelSalaEstado")->text(),
             QStringLiteral("Abierta en el puerto %1").arg(port));
    QCOMPARE(f().find<QLabel>("LabelSalaCodigo")->text(),
             QStringLiteral("Código de la sala: %1").arg(room.code()));
    // The host's secret is carried by its QR code alone.
    for (const QLabel* label : f().console->findChildren<QLabel*>()) {
        QVERIFY(!label->text().contains(room.hostSecret()));
    }

    QWebSocket device;
    QStringList received;
    connect(&device, &QWebSocket::textMessageReceived, [&](const QString& m) { received << m; });
    device.open(
        QUrl(QStringLiteral("ws://127.0.0.1:%1/enlace?codigo=%2").arg(port).arg(room.code())));
    QTRY_COMPARE_WITH_TIMEOUT(received.size(), 1, 5000);
    QCOMPARE(f().find<QLabel>("LabelSalaDispositivosTablero")->text(),
             QStringLiteral("Dispositivos: 1"));
    type("s");
    QTRY_VERIFY_WITH_TIMEOUT(received.join(QString()).contains(QStringLiteral("Pregunta 1")), 5000);
    QVERIFY(!received.join(QString()).contains(QStringLiteral("\"Uno\"")));
    type("1");
    QTRY_VERIFY_WITH_TIMEOUT(received.last().contains(QStringLiteral("\"Uno\"")), 5000);
    // So do the board's effects, and the splash of the double card, the third.
    QVERIFY(received.join(QString()).contains(QStringLiteral("\"play\":\"Respuesta en Tablero\"")));
    type("ss");
    QTRY_VERIFY_WITH_TIMEOUT(received.join(QString()).contains(QStringLiteral(
                                 "{\"ms\":3000,\"multiplier\":2,\"type\":\"splash\"}")),
                             5000);
    // The fast-money clock, which is the board's own, reaches the pages too.
    f().board->startFastMoneyClock(20);
    QTRY_VERIFY_WITH_TIMEOUT(received.last().contains(QStringLiteral("\"clock\":\"20\"")), 5000);

    QTest::mouseClick(open, Qt::LeftButton);
    QCOMPARE(open->text(), QStringLiteral("Abrir la sala"));
    QTRY_COMPARE_WITH_TIMEOUT(device.state(), QAbstractSocket::UnconnectedState, 2000);
    QVERIFY(f().dialogs.shown.isEmpty());
}

// The USB buttons through the real keys: nothing before L, nothing typed in a text field,
// the first press flashes the board and heads the Sala panel's list; a button's key is
// taught by pressing it, and a command key is refused.
void ConsoleTest::faceOffButtons() {
    QVERIFY(f().startWithConsole());
    auto* presses = f().find<QListWidget>("ListSalaPulsaciones");
    const auto firstLine = [presses] { return presses->item(0)->text(); };
    const auto flash = [this] { return f().board->findChild<QLabel*>("LabelPulsador"); };
    type("s");
    type("w");
    QCOMPARE(firstLine(), QStringLiteral("Pulsadores apagados"));
    type("l");
    QCOMPARE(firstLine(), QStringLiteral("Listos: esperando al primero"));
    auto* field = f().find<QLineEdit>("EditSalaCodigo");
    field->setFocus();
    QTest::keyClick(field, Qt::Key_W);
    QCOMPARE(firstLine(), QStringLiteral("Listos: esperando al primero"));
    f().console->parkFocus();
    type("w");
    const QString right = f().board->settings().rightTeamName;
    QCOMPARE(firstLine(), QStringLiteral("1. ") + right);
    QVERIFY(flash() && flash()->isVisible());
    QVERIFY(flash()->text().startsWith(right));
    type("q");
    QVERIFY(presses->item(1)->text().startsWith(QStringLiteral("2. ")));
    type("l");
    QVERIFY(!flash()->isVisible());
    QCOMPARE(firstLine(), QStringLiteral("Pulsadores apagados"));

    auto* left = f().find<QLabel>("LabelSalaPulsadorIzquierdo");
    QTest::mouseClick(f().find<QPushButton>("ButtonSalaPulsadorIzquierdo"), Qt::LeftButton);
    QCOMPARE(left->text(), QStringLiteral("Pulsador izquierdo: pulse el botón…"));
    type("s");
    QVERIFY(left->text().contains(QStringLiteral("ya es una orden")));
    QCOMPARE(f().board->game().cardNumber(), 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F5);
    QCOMPARE(left->text(), QStringLiteral("Pulsador izquierdo: F5"));
    QCOMPARE(readLinesFile(programPath(kRoomFile))->value(3), QStringLiteral("F5"));
    type("l");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F5);
    QVERIFY(firstLine().startsWith(QStringLiteral("1. ") + f().board->settings().leftTeamName));
    QVERIFY(f().dialogs.shown.isEmpty());
}

void ConsoleTest::monitorDual() {
    QVERIFY(f().startWithConsole());
    BoardView b = board();
    auto* dual = f().find<QPushButton>("SpeedButton11");
    const QList<QScreen*> screens = QGuiApplication::screens();
    const int potPixels = b.Label17->font().pixelSize();
    QTest::mouseClick(dual, Qt::LeftButton);
    if (screens.size() == 1) {
        const QRect work = screens.first()->availableGeometry();
        QTRY_COMPARE(b->geometry(), work);
        const qreal ratio = qMin(work.width() / 1156.0, work.height() / 698.0);
        QCOMPARE(b.Label17->font().pixelSize(), qRound(potPixels * ratio));
        QVERIFY(!f().console->isVisible());
        return;
    }
    QCOMPARE(f().console->screen(), screens.at(0));
    QScreen* audience = screens.at(1);
    const QRect work = audience->availableGeometry();
    QTRY_COMPARE(b->geometry(), work);
    QVERIFY(b->isMaximized());
    // 1024 x 768: the width decides, 1024 / 1156.
    const qreal ratio = 1024.0 / 1156.0;
    QCOMPARE(b.Label17->font().pixelSize(), qRound(potPixels * ratio));
    QVERIFY(f().console->isVisible());
    // Pressed again: maximised on that monitor, not scaled again; the board's own
    // maximise now maximises and restores.
    QTest::mouseClick(dual, Qt::LeftButton);
    QTRY_COMPARE(b->geometry(), work);
    QCOMPARE(b.Label17->font().pixelSize(), qRound(potPixels * ratio));
    QCOMPARE(QApplication::focusWidget(), f().sink());
}

void ConsoleTest::screenshots() {
    QVERIFY(f().startWithConsole());
    type("s12xz");
    QVERIFY(velta::test::saveScreenshot(f().console.get(), QStringLiteral("console.png")));
    QVERIFY(velta::test::saveScreenshot(f().board.get(), QStringLiteral("console_board.png")));
}

QTEST_MAIN(ConsoleTest)
#include "tst_console.moc"
