// The operator's keys and the window's own controls: the menu row and its auto-hide, the
// key list, cover or game, leaving the game, the team names typed on the board, maximise
// with the fit to the monitor, and the focus sink every command hands the keyboard back to.
#include <QImage>
#include <QListWidget>
#include <QScreen>
#include <QSet>
#include <QToolTip>
#include <QtTest>

#include "BoardFixture.h"
#include "OffscreenScreens.h"
#include "editing/GameSettings.h"

using namespace velta;
using velta::test::BoardFixture;
using velta::test::BoardView;

namespace {

// The offscreen platform shows one 1920 x 1080 monitor, so the fit has room to grow the board.
// Set before QApplication exists; other platforms are left alone.
const bool kFullHdMonitor = velta::test::useOffscreenScreens({QRect(0, 0, 1920, 1080)});

// A board on the monitor, active, with the focus in its sink.
bool startActive(BoardFixture& f) {
    if (!f.start()) {
        return false;
    }
    f.board->activateWindow();
    if (!QTest::qWaitForWindowActive(f.board.get())) {
        return false;
    }
    f.board->parkFocus();
    return QApplication::focusWidget() == BoardView(*f.board).Button3;
}

QWidget* focused() {
    return QApplication::focusWidget();
}

// A double click as the desktop delivers it: press, release, double click and release, each
// to the element under the pointer.
void doubleClick(QWidget* target, const QPoint& at) {
    QWidget* window = target->window();
    QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {}, target->mapTo(window, at));
}

}  // namespace

class KeysMenuTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void menuHidesWithoutTakingTheKeys();
    void keyListNamesEveryKey();
    void keysActInEitherCaseOnlyWhileEnabled();
    void coverAndBackKeepsTheGame();
    void leavingTheGame_data();
    void leavingTheGame();
    void teamNamesTypedOnTheBoard();
    void maximiseFitsTheBoardToTheMonitor();
    void commandsGiveTheFocusBack_data();
    void commandsGiveTheFocusBack();
    void clicksOnTheBoardsElements_data();
    void clicksOnTheBoardsElements();
    void doubleClickOnTheArrowPutsUpOneCard();
    void windowButtonsFollowTheRightEdge();
    void hintsShowAtOnceAndStayEightSeconds_data();
    void hintsShowAtOnceAndStayEightSeconds();
};

void KeysMenuTest::menuHidesWithoutTakingTheKeys() {
    BoardFixture f(2);
    // With a cover setting the menu hides by itself ten seconds after the start.
    QImage cover(40, 30, QImage::Format_RGB32);
    cover.fill(Qt::darkBlue);
    QVERIFY(cover.save(f.folder.file(QStringLiteral("portada.png"))));
    f.folder.writeBytes(kCoverFile,
                        QFile::encodeName(f.folder.file(QStringLiteral("portada.png"))));
    QVERIFY(startActive(f));
    BoardView board(*f.board);
    QVERIFY(!board.Panel5->isVisible());
    QVERIFY(board.Timer3->isActive());
    QCOMPARE(board.Timer3->interval(), 10000);

    f.press('m');
    QVERIFY(board.Panel5->isVisible());
    QVERIFY(!board.Panel11->isVisible());
    // The cover lies over the key row, yet every key still acts.
    QVERIFY(board.Panel5->geometry().intersects(board.SpeedButton3->geometry()));
    f.press('s');
    QCOMPARE(board->state().GameQuestionCount, 1);
    f.press('1');
    QCOMPARE(board.Label17->text(), QStringLiteral("40"));
    f.press('M');
    QVERIFY(!board.Panel5->isVisible());

    board->menuAutoHideTick();
    QVERIFY(board.Panel5->isVisible());
    QVERIFY(!board.Timer3->isActive());
    f.press('s');
    QCOMPARE(board->state().GameQuestionCount, 2);
    f.press('m');
    QVERIFY(!board.Panel5->isVisible());
}

void KeysMenuTest::keyListNamesEveryKey() {
    BoardFixture f(2);
    QVERIFY(startActive(f));
    BoardView board(*f.board);
    QVERIFY(!board.Panel14->isVisible());
    f.press('k');
    QVERIFY(board.Panel14->isVisible());
    QCOMPARE(board.Panel14->size(), QSize(523, 265));
    QCOMPARE(board.ListBox2->count(), 22);
    QCOMPARE(board.ListBox2->item(0)->text(),
             QStringLiteral("S = Siguiente - Comienza el juego y también sirve para avanzar a "
                            "la siguiente pregunta"));
    QCOMPARE(board.ListBox2->item(18)->text(), QStringLiteral("E = Exit - Cerrar el juego"));
    QCOMPARE(board.ListBox2->item(19)->text(),
             QStringLiteral("L = Listos: activa los pulsadores del cara a cara"));
    QVERIFY(board.ListBox2->item(20)->text().startsWith(QStringLiteral("Ctrl+Z = Deshacer")));
    QVERIFY(board.ListBox2->item(21)->text().startsWith(QStringLiteral("Ctrl+Y = Rehacer")));

    // The list names each key of the key row once, and no other.
    QSet<QChar> listed;
    for (int i = 0; i < board.ListBox2->count(); ++i) {
        const QString key = board.ListBox2->item(i)->text().section(QStringLiteral(" = "), 0, 0);
        if (key.startsWith(QLatin1String("Ctrl+"))) {
            continue;
        }
        if (key == QLatin1String("1 a 5")) {
            for (char digit = '1'; digit <= '5'; ++digit) {
                listed.insert(QChar(digit));
            }
        } else {
            QCOMPARE(key.size(), 1);
            QVERIFY2(!listed.contains(key[0].toLower()), qPrintable(key));
            listed.insert(key[0].toLower());
        }
    }
    QSet<QChar> keyRow;
    for (KeyButton* button : board.Panel16->findChildren<KeyButton*>()) {
        if (!button->accelerator().isNull()) {
            keyRow.insert(button->accelerator());
        }
    }
    QCOMPARE(listed, keyRow);

    // Keys act while the list is up, and a new card leaves it in front.
    f.press('s');
    QCOMPARE(board->state().GameQuestionCount, 1);
    QVERIFY(board.Panel14->isVisible());
    QCOMPARE(board.Panel14->parentWidget()->children().last(), board.Panel14);

    // Its background drags it about, inside the window only.
    const QPoint start = board.Panel14->pos();
    QTest::mousePress(board.Panel14, Qt::LeftButton, {}, QPoint(200, 8));
    QTest::mouseMove(board.Panel14, QPoint(100, -42));
    QCOMPARE(board.Panel14->pos(), start + QPoint(-100, -50));
    QTest::mouseMove(board.Panel14, QPoint(5000, 5000));
    QCOMPARE(board.Panel14->geometry().bottomRight(), board->rect().bottomRight());
    QTest::mouseMove(board.Panel14, QPoint(-5000, -5000));
    QCOMPARE(board.Panel14->pos(), QPoint(0, 0));
    QTest::mouseRelease(board.Panel14, Qt::LeftButton, {}, QPoint(0, 0));
    QTest::mouseMove(board.Panel14, QPoint(300, 100));
    QCOMPARE(board.Panel14->pos(), QPoint(0, 0));

    QCOMPARE(board.Label65->text(), QStringLiteral(" X "));
    QTest::mouseClick(board.Label65, Qt::LeftButton);
    QVERIFY(!board.Panel14->isVisible());
    QCOMPARE(focused(), board.Button3);
}

void KeysMenuTest::keysActInEitherCaseOnlyWhileEnabled() {
    BoardFixture f(1);
    f.folder.writeRound(2, QStringLiteral("Pregunta 2"), velta::test::standardAnswers().mid(0, 4));
    QVERIFY(startActive(f));
    BoardView board(*f.board);
    // A before the first card: its button is off, nothing happens and nothing is said.
    f.press('a');
    QCOMPARE(board->state().RoundNumber, 0);
    QVERIFY(!board.Panel1->isVisible());

    f.press('S');
    QCOMPARE(board->state().RoundNumber, 1);
    QTest::keyClick(focused(), '1', Qt::AltModifier);
    QCOMPARE(board.Label17->text(), QStringLiteral("40"));
    QTest::keyClick(focused(), 'Z', Qt::AltModifier);
    QCOMPARE(board.Label19->text(), QStringLiteral("40"));

    // The second card has four answers: key 5 is off.
    f.press('s');
    QVERIFY(!board.rows[4].key->isEnabled());
    f.type("45");
    QCOMPARE(board.Label17->text(), QStringLiteral("10"));
    QVERIFY(f.dialogs.shown.isEmpty());
}

void KeysMenuTest::coverAndBackKeepsTheGame() {
    BoardFixture f(2);
    QVERIFY(startActive(f));
    BoardView board(*f.board);
    f.type("s12z3");
    QCOMPARE(board.Label19->text(), QStringLiteral("70"));
    const QList<QWidget*> game{board.Image13, board.Image15, board.Panel1, board.Edit16,
                               board.Edit17,  board.Panel2,  board.Panel3, board.Panel4};

    f.press('g');
    QVERIFY(board.Image2->isVisible());
    for (QWidget* w : game) {
        QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
    }
    f.press('g');
    QVERIFY(!board.Image2->isVisible());
    for (QWidget* w : game) {
        QVERIFY2(w->isVisible(), qPrintable(w->objectName()));
    }
    QCOMPARE(board.Label16->text(), QStringLiteral("Pregunta 1"));
    const char* const answers[] = {"Uno", "Dos", "Tres"};
    for (int row = 0; row < 3; ++row) {
        QVERIFY(!board.rows[row].cover->isVisible());
        QCOMPARE(board.rows[row].answer->text(), QLatin1String(answers[row]));
    }
    QVERIFY(board.rows[3].cover->isVisible());
    QCOMPARE(board.Label19->text(), QStringLiteral("70"));
    QCOMPARE(board.Label20->text(), QStringLiteral("00"));
    QCOMPARE(board.Label17->text(), QStringLiteral("00"));
    QCOMPARE(board.ETotal->text(), QStringLiteral("70"));
    QCOMPARE(board->state().RoundNumber, 1);
    QVERIFY(!board.SpeedButton13->isEnabled());
    f.press('s');
    QCOMPARE(board->state().GameQuestionCount, 2);
}

void KeysMenuTest::leavingTheGame_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<bool>("closes");
    QTest::newRow("E answered No") << "e" << false << false;
    QTest::newRow("E answered Yes") << "e" << true << true;
    QTest::newRow("close button") << "SpeedButton12" << false << true;
}

void KeysMenuTest::leavingTheGame() {
    QFETCH(QString, command);
    QFETCH(bool, answer);
    QFETCH(bool, closes);
    BoardFixture f(2);
    QVERIFY(startActive(f));
    BoardView board(*f.board);
    f.press('s');
    if (command == QLatin1String("e")) {
        f.dialogs.answers << answer;
        f.press('e');
        QCOMPARE(f.dialogs.questions(), QStringList{QStringLiteral("¿Desea salir del juego?")});
    } else {
        QTest::mouseClick(board->findChild<QWidget*>(command), Qt::LeftButton);
        QVERIFY(f.dialogs.shown.isEmpty());
    }
    QCOMPARE(board->isVisible(), !closes);
    if (!closes) {
        QCOMPARE(focused(), board.Button3);
        f.press('s');
        QCOMPARE(board->state().GameQuestionCount, 2);
    }
}

void KeysMenuTest::teamNamesTypedOnTheBoard() {
    BoardFixture f(3);
    QVERIFY(startActive(f));
    BoardView board(*f.board);
    f.type("sh");
    QVERIFY(board.Timer9->isActive());

    // Letters typed into a name stay in the name.
    QTest::mouseClick(board.Edit16, Qt::LeftButton);
    QCOMPARE(focused(), board.Edit16);
    QTest::keyClick(board.Edit16, Qt::Key_End);
    f.press('s');
    QCOMPARE(board.Edit16->text(), QStringLiteral("Los Verdess"));
    QCOMPARE(board->state().GameQuestionCount, 1);
    QTest::keyClick(board.Edit16, Qt::Key_Return);
    QCOMPARE(f.folder.readBytes(kTeamsFile), QByteArray("Los Verdess\r\nLos P\xFArpuras\r\n"));
    QCOMPARE(board.Edit16->font().pointSize(), 16);
    QCOMPARE(focused(), board.Button3);
    QVERIFY(!board.Timer9->isActive());
    f.press('s');
    QCOMPARE(board->state().GameQuestionCount, 2);

    // Names of 24 characters or more are drawn smaller.
    const auto retype = [&](const QString& name) {
        QTest::mouseClick(board.Edit17, Qt::LeftButton);
        QTest::keyClick(board.Edit17, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(board.Edit17, name);
        QTest::keyClick(board.Edit17, Qt::Key_Enter);
    };
    const QString longName = QStringLiteral("Los Campeones del Barrio");
    QCOMPARE(longName.size(), 24);
    retype(longName);
    QCOMPARE(board.Edit17->font().pointSize(), 11);
    QCOMPARE(f.folder.readBytes(kTeamsFile),
             QByteArray("Los Verdess\r\nLos Campeones del Barrio\r\n"));
    retype(longName.chopped(1));
    QCOMPARE(board.Edit17->font().pointSize(), 16);
    QCOMPARE(board.Edit16->font().pointSize(), 16);
    QCOMPARE(board->state().GameQuestionCount, 2);
    QCOMPARE(focused(), board.Button3);
}

void KeysMenuTest::maximiseFitsTheBoardToTheMonitor() {
    QVERIFY2(kFullHdMonitor, "the offscreen monitor could not be configured");
    BoardFixture f(2);
    QVERIFY(startActive(f));
    BoardView board(*f.board);
    QScreen* monitor = board->screen();
    QCOMPARE(monitor->geometry(), QRect(0, 0, 1920, 1080));
    QVERIFY(!board->isMaximized());

    // The board fits the work area: 1080 / 698 of its designed size on 1920 x 1080.
    const qreal ratio = 1080.0 / 698.0;
    const auto scaled = [ratio](const QRect& r) {
        return QRect(qRound(r.x() * ratio), qRound(r.y() * ratio), qRound(r.width() * ratio),
                     qRound(r.height() * ratio));
    };
    const QRect pot = board.Label17->geometry();
    const QRect stage = board.Panel16->geometry();
    const QRect buttons = board.Panel22->geometry();
    const int potPixels = board.Label17->font().pixelSize();
    const qreal namePoints = board.Edit16->font().pointSizeF();

    const auto expectFitted = [&](int buttonsShift) {
        QTRY_VERIFY(board->isMaximized());
        QTRY_COMPARE(board->geometry(), monitor->availableGeometry());
        QCOMPARE(board.Label17->geometry(), scaled(pot));
        QCOMPARE(board.Label17->font().pixelSize(), qRound(potPixels * ratio));
        QCOMPARE(board.Edit16->font().pointSizeF(), namePoints * ratio);
        QCOMPARE(board.Panel16->geometry(), scaled(stage));
        QVERIFY(board->rect().contains(board.Panel16->geometry()));
        QCOMPARE(board.Panel22->geometry(), scaled(buttons).translated(-buttonsShift, 0));
        QCOMPARE(focused(), board.Button3);
    };
    QTest::mouseClick(board.SpeedButton11, Qt::LeftButton);
    expectFitted(0);
    // A double click on the background is the same command, and a second fit changes nothing.
    QTest::mouseDClick(board.Panel16, Qt::LeftButton, {}, QPoint(3, 200));
    expectFitted(0);
    // The third fit moves the window buttons in from the right edge.
    QTest::mouseClick(board.SpeedButton11, Qt::LeftButton);
    expectFitted(90);
    // From the fourth press on, maximise does nothing.
    QTest::mouseClick(board.SpeedButton11, Qt::LeftButton);
    QTest::mouseClick(board.SpeedButton11, Qt::LeftButton);
    expectFitted(90);

    f.type("s1");
    QCOMPARE(board.Label17->text(), QStringLiteral("40"));
}

void KeysMenuTest::commandsGiveTheFocusBack_data() {
    QTest::addColumn<char>("opening");
    QTest::addColumn<QString>("button");
    const struct {
        char opening;
        const char* button;
        const char* command;
    } rows[] = {
        {'s', "SpeedButton14", "M"}, {'s', "SpeedButton9", "A"},  {'s', "SpeedButton3", "S"},
        {'s', "SpeedButton79", "V"}, {'s', "SpeedButton1", "D"},  {'s', "SpeedButton4", "1"},
        {'s', "SpeedButton2", "X"},  {'s', "SpeedButton37", "H"}, {'1', "SpeedButton13", "Z"},
        {'1', "SpeedButton10", "C"}, {'s', "SpeedButton81", "B"}, {'s', "SpeedButton15", "R"},
        {'s', "SpeedButton17", "N"}, {'f', "SpeedButton19", "F"}, {'s', "SpeedButton36", "K"},
        {'s', "SpeedButton84", "G"}, {'s', "SpeedButton16", "E"}, {'s', "SpeedButton11", "max"},
    };
    for (const auto& row : rows) {
        QTest::newRow(row.command) << row.opening << QString::fromLatin1(row.button);
    }
}

// A command clicked with the mouse while a team name holds the focus hands it to the sink.
void KeysMenuTest::commandsGiveTheFocusBack() {
    QFETCH(char, opening);
    QFETCH(QString, button);
    BoardFixture f(3);
    QVERIFY(startActive(f));
    BoardView board(*f.board);
    f.press(opening == 'f' ? 'f' : 's');
    if (opening == '1') {
        f.press('1');
    }
    f.dialogs.answers << false;
    QTest::mouseClick(board.Edit16, Qt::LeftButton);
    QCOMPARE(focused(), board.Edit16);
    auto* key = board->findChild<KeyButton*>(button);
    QVERIFY(key && key->isEnabled() && key->isVisible());
    QTest::mouseClick(key, Qt::LeftButton);
    QCOMPARE(focused(), board.Button3);
    QVERIFY(f.dialogs.errors().isEmpty());
}

void KeysMenuTest::clicksOnTheBoardsElements_data() {
    QTest::addColumn<bool>("twice");  // a double click on a card, else a click on a timed one
    QTest::addColumn<QString>("element");
    QTest::addColumn<bool>("acts");  // maximises the board, or cancels the pending strike
    const auto row = [](const char* tag, bool twice, const char* element, bool acts) {
        QTest::addRow("%s %s", twice ? "double click," : "click,", tag)
            << twice << QString(element) << acts;
    };
    row("row cover", true, "Label1", false);
    row("score box", true, "Panel3", false);
    row("question", true, "Label16", false);
    row("pot", true, "Label17", false);
    row("board", true, "Image4", false);
    row("title", true, "Label18", false);
    row("frame", true, "Image13", true);
    row("background", true, "Panel16", true);
    row("pot", false, "Label17", false);
    row("question", false, "Label16", false);
    row("title", false, "Label18", false);
    row("board", false, "Image4", false);
    row("background", false, "Panel16", true);
    row("key list's X", false, "Label65", true);
}

// A double click maximises from the background only. Only the background, the frame and the
// commands that park the focus cancel the strike the timed question has pending.
void KeysMenuTest::clicksOnTheBoardsElements() {
    QFETCH(bool, twice);
    QFETCH(QString, element);
    QFETCH(bool, acts);
    BoardFixture f(2);
    QVERIFY(startActive(f));
    BoardView board(*f.board);
    f.type(twice ? "s" : "skh");
    if (!twice) {
        QVERIFY(board.Timer9->isActive());
    }
    auto* target = board->findChild<QWidget*>(element);
    QVERIFY(target && target->isVisible());
    if (!twice) {
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(3, 3));
        QCOMPARE(board.Timer9->isActive(), !acts);
        QCOMPARE(board.Panel14->isVisible(), element != QLatin1String("Label65"));
        return;
    }
    // The frame's corner and the stage's left edge: nothing lies in front of them there.
    QPoint at = target->rect().center();
    if (element == QLatin1String("Image13")) {
        at = QPoint(3, 3);
    } else if (element == QLatin1String("Panel16")) {
        at = QPoint(3, 200);
    }
    doubleClick(target, at);
    if (acts) {
        QTRY_VERIFY(board->isMaximized());
    } else {
        QTest::qWait(50);
        QVERIFY(!board->isMaximized());
        QCOMPARE(board->size(), QSize(1156, 698));
    }
    // A double click on a cover uncovers its row once.
    QCOMPARE(board.rows[0].cover->isVisible(), element != QLatin1String("Label1"));
}

void KeysMenuTest::doubleClickOnTheArrowPutsUpOneCard() {
    BoardFixture f(3);
    QVERIFY(startActive(f));
    BoardView board(*f.board);
    f.press('s');
    doubleClick(board.Image15, board.Image15->rect().center());
    QCOMPARE(board->state().GameQuestionCount, 2);
    QCOMPARE(board.Label16->text(), QStringLiteral("Pregunta 2"));
}

void KeysMenuTest::windowButtonsFollowTheRightEdge() {
    BoardFixture f;
    QVERIFY(startActive(f));
    BoardView board(*f.board);
    for (const int width : {1400, 1000, 1156}) {
        board->resize(width, 698);
        QCOMPARE(board.Panel22->geometry().right(), width - 1);
        QCOMPARE(board.Panel22->y(), 0);
    }
}

void KeysMenuTest::hintsShowAtOnceAndStayEightSeconds_data() {
    QTest::addColumn<QString>("where");
    QTest::newRow("reassign panel's swap") << "Button6";
    QTest::newRow("key list line") << "ListBox2";
}

void KeysMenuTest::hintsShowAtOnceAndStayEightSeconds() {
    QFETCH(QString, where);
    BoardFixture f(2);
    QVERIFY(startActive(f));
    BoardView board(*f.board);
    f.type("s1zbk");
    QVERIFY(board.Panel20->isVisible());
    QWidget* target = board.Button6;
    QPoint at = board.Button6->rect().center();
    QString hint = QStringLiteral("Intercambiar marcadores");
    if (where == QLatin1String("ListBox2")) {
        target = board.ListBox2->viewport();
        at = board.ListBox2->visualItemRect(board.ListBox2->item(9)).center();
        hint = board.ListBox2->item(9)->text();
    }
    QCOMPARE(target->style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay, nullptr, target), 0);
    QHelpEvent help(QEvent::ToolTip, at, target->mapToGlobal(at));
    QApplication::sendEvent(target, &help);
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), hint);
    QTest::qWait(7500);
    QVERIFY(QToolTip::isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!QToolTip::isVisible(), 1000);
}

QTEST_MAIN(KeysMenuTest)
#include "tst_keys_menu.moc"
