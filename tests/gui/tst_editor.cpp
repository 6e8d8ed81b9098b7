// The question editor in the control window, driven through its buttons and fields: moving
// between questions, saving, adding, removing, the extra series, the explorer with its
// search, the listing and the clipboard, and every prompt that keeps typed text from being
// lost or saved into the wrong card.
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include "ConsoleFixture.h"
#include "content/RoundFiles.h"
#include "editing/GameSettings.h"
#include "platform/ProgramFolder.h"

using namespace velta;
using velta::test::ConsoleFixture;

namespace {

const QString kAskSave = QStringLiteral("¿Desea guardar los cambios realizados a esta pregunta? ");

QString card(const ConsoleFixture& f, int number, bool extra = false) {
    return QString::fromLatin1(f.folder.readBytes(
        QStringLiteral("Rondas/%1ronda%2.txt").arg(extra ? "x" : "").arg(number)));
}

}  // namespace

class EditorTest : public velta::test::ConsoleTestCase {
    Q_OBJECT

  private Q_SLOTS:
    void init();

    void browsingHandsTheCardToTheBoard();
    void savingWritesTheCardBeingEdited();
    void saveRefusesWhatCannotBeSaved_data();
    void saveRefusesWhatCannotBeSaved();
    void unsavedTypingIsOffered_data();
    void unsavedTypingIsOffered();
    void colourListsLeaveTheUnsavedMark();
    void newCardAfterAGap();
    void removing_data();
    void removing();
    void extraSeries();
    void explorer();
    void listingAndClipboard();
    void boardMovesOnWhileTyping();
    void bannerGoesWithTheTyping_data();
    void bannerGoesWithTheTyping();
    void refusedSaveKeepsTheTyping_data();
    void refusedSaveKeepsTheTyping();
    void storedPointsComeBackUnchanged();
    void pickOfTheCardHandedOverRetargets_data();
    void pickOfTheCardHandedOverRetargets();
    void removingKeepsTheSeriesShown();
    void explorerListsTheFolderInForce_data();
    void explorerListsTheFolderInForce();
    void brokenCardsAndMissingFolder();
    void brokenCardOfTheBoardSaidOnceAfterTheKey();

  private:
    QString text(const char* name) { return f().find<QLineEdit>(name)->text(); }
    QString label() { return f().find<QLabel>("Label32")->text(); }
    void pickInExplorer(int row) {
        auto* list = f().find<QListWidget>("ListBox1");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
    }
    void typeInto(const char* name, const QString& typed) {
        QLineEdit* field = f().find<QLineEdit>(name);
        field->setFocus();
        field->selectAll();
        typeText(field, typed);
    }
    // Typed key by key, accents and signs included.
    static void typeText(QWidget* field, const QString& typed) {
        for (const QChar c : typed) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(field, &press);
            QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(field, &release);
        }
    }
};

void EditorTest::init() {
    fresh(4);
}

// Opening the console shows question 1; "Sig." and "Ant." stop at the ends; each card
// shown becomes the board's next card.
void EditorTest::browsingHandsTheCardToTheBoard() {
    QVERIFY(f().startWithConsole());
    QCOMPARE(label(), QStringLiteral("ronda1.txt"));
    QCOMPARE(text("Edit1"), QStringLiteral("Pregunta 1"));
    click("BAnterior");
    QCOMPARE(label(), QStringLiteral("ronda1.txt"));
    for (int i = 0; i < 5; ++i) {
        click("BSiguiente");
    }
    QCOMPARE(label(), QStringLiteral("ronda4.txt"));
    click("BAnterior");
    QCOMPARE(label(), QStringLiteral("ronda3.txt"));
    f().press('s');
    QCOMPARE(board().Label16->text(), QStringLiteral("Pregunta 3"));
    QCOMPARE(QApplication::focusWidget(), f().sink());
    QVERIFY(f().dialogs.shown.isEmpty());
}

void EditorTest::savingWritesTheCardBeingEdited() {
    QVERIFY(f().startWithConsole());
    click("BSiguiente");
    typeInto("Edit1", QStringLiteral("¿Qué llevas a la playa?"));
    typeInto("Edit2", QStringLiteral("Perro, gato"));
    typeInto("Edit13", QStringLiteral("4"));
    QVERIFY(f().find<QLabel>("LabelSuma")->isVisible());  // 99
    click("BGuardar");
    QCOMPARE(text("Edit2"), QStringLiteral("Perro/ gato"));
    QCOMPARE(card(f(), 2), QString::fromLatin1("\xBFQu\xE9 llevas a la playa?\r\nPerro/ gato,40\r\n"
                                               "Dos,30\r\nTres,15\r\nCuatro,10\r\nCinco,4"));
    // Nothing more to save: moving on asks nothing.
    click("BSiguiente");
    QVERIFY(f().dialogs.questions().isEmpty());
    QCOMPARE(card(f(), 1), QStringLiteral("Pregunta 1\r\nUno,40\r\nDos,30\r\nTres,15\r\n"
                                          "Cuatro,10\r\nCinco,5"));
}

void EditorTest::saveRefusesWhatCannotBeSaved_data() {
    QTest::addColumn<QString>("points");
    QTest::addColumn<bool>("cardShown");
    QTest::newRow("points not a number") << "diez" << true;
    QTest::newRow("no card shown") << "" << false;
}

void EditorTest::saveRefusesWhatCannotBeSaved() {
    QFETCH(QString, points);
    QFETCH(bool, cardShown);
    if (!cardShown) {
        QDir(f().folder.file(QStringLiteral("Rondas"))).removeRecursively();
        QDir(f().folder.path()).mkpath(QStringLiteral("Rondas"));
    }
    QVERIFY(f().startWithConsole());
    QCOMPARE(label(), cardShown ? QStringLiteral("ronda1.txt") : QStringLiteral("No ronda"));
    if (cardShown) {
        typeInto("Edit9", points);
        QVERIFY(text("Edit14").isEmpty());  // the total cannot be computed
    }
    click("BGuardar");
    QCOMPARE(f().dialogs.notices().size(), 1);
    if (cardShown) {
        QVERIFY(f().dialogs.notices().constFirst().contains(QStringLiteral("respuesta 3")));
        QVERIFY(card(f(), 1).contains(QStringLiteral("Tres,15")));
    } else {
        QCOMPARE(QDir(f().folder.file(QStringLiteral("Rondas"))).entryList(QDir::Files),
                 QStringList());
    }
}

void EditorTest::unsavedTypingIsOffered_data() {
    QTest::addColumn<QString>("leave");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QString>("question");
    for (const bool yes : {true, false}) {
        const char* answer = yes ? ", Yes" : ", No";
        QTest::newRow(QByteArray("Sig.").append(answer)) << "BSiguiente" << yes << kAskSave;
        QTest::newRow(QByteArray("Ant.").append(answer))
            << "BAnterior" << yes << QStringLiteral("¿Desea guardar los cambios realizados? ");
        QTest::newRow(QByteArray("Nuevo").append(answer)) << "BNuevo" << yes << kAskSave;
        QTest::newRow(QByteArray("Rondas extras").append(answer)) << "CheckBox1" << yes << kAskSave;
        QTest::newRow(QByteArray("folder change").append(answer)) << "BCarpeta" << yes << kAskSave;
        QTest::newRow(QByteArray("E").append(answer)) << "e" << yes << kAskSave;
        QTest::newRow(QByteArray("board's close").append(answer)) << "close" << yes << kAskSave;
    }
}

// Typed text is offered for saving before any change of card, and "Sí" writes it into the
// card it was typed in, wherever the editor goes next.
void EditorTest::unsavedTypingIsOffered() {
    QFETCH(QString, leave);
    QFETCH(bool, yes);
    QFETCH(QString, question);
    f().folder.writeRound(1, QStringLiteral("Extra 1"), velta::test::standardAnswers(), true);
    QDir(f().folder.path()).mkpath(QStringLiteral("Otra"));
    QVERIFY(f().startWithConsole());
    click("BSiguiente");
    typeInto("Edit6", QStringLiteral("Nuevo texto"));
    f().dialogs.answers << yes;
    if (leave == QLatin1String("BCarpeta")) {
        f().dialogs.files << f().folder.file(QStringLiteral("Otra"));
    } else if (leave == QLatin1String("e")) {
        f().dialogs.answers << false;  // stay in the game
    }
    if (leave == QLatin1String("e")) {
        f().console->parkFocus();
        f().press('e');
    } else if (leave == QLatin1String("close")) {
        QTest::mouseClick(board().SpeedButton12, Qt::LeftButton);
    } else {
        click(qPrintable(leave));
    }
    QCOMPARE(f().dialogs.questions().value(0), question + QStringLiteral("ronda2.txt"));
    QCOMPARE(card(f(), 2).contains(QStringLiteral("Nuevo texto,30")), yes);
    // Either way the mark is gone: nothing is asked twice.
    if (leave != QLatin1String("close")) {
        click("BSiguiente");
        QCOMPARE(f().dialogs.questions().size(), leave == QLatin1String("e") ? 2 : 1);
    }
}

void EditorTest::colourListsLeaveTheUnsavedMark() {
    QVERIFY(f().startWithConsole());
    typeInto("Edit2", QStringLiteral("Otra"));
    auto* colours = f().find<QComboBox>("CBColorTitulo");
    colours->showPopup();
    colours->hidePopup();
    f().dialogs.answers << false;
    click("BSiguiente");
    QCOMPARE(f().dialogs.questions(), QStringList{kAskSave + QStringLiteral("ronda1.txt")});
}

void EditorTest::newCardAfterAGap() {
    QFile::remove(f().folder.file(QStringLiteral("Rondas/ronda3.txt")));
    QVERIFY(f().startWithConsole());
    click("BNuevo");
    QCOMPARE(label(), QStringLiteral("ronda3.txt"));
    QCOMPARE(text("Edit1"), QStringLiteral("Pregunta ronda3.txt"));
    QCOMPARE(text("Edit14"), QStringLiteral("100"));
    QVERIFY(f().find<QLabel>("Label37")->isVisible());
    // The new question is typed where it belongs.
    QCOMPARE(QApplication::focusWidget(), f().find<QLineEdit>("Edit1"));
    QVERIFY(!QFile::exists(f().folder.file(QStringLiteral("Rondas/ronda3.txt"))));
    typeText(QApplication::focusWidget(), QStringLiteral("Una nueva"));
    click("BGuardar");
    QVERIFY(card(f(), 3).startsWith(QStringLiteral("Una nueva\r\nRespuesta 1,40\r\n")));
    f().press('s');
    QCOMPARE(board().Label16->text(), QStringLiteral("Una nueva"));
}

void EditorTest::removing_data() {
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("shownAfter");
    QTest::addColumn<QString>("questionAfter");
    QTest::newRow("in the middle") << 2 << 2 << "Pregunta 3";
    QTest::newRow("the second to last") << 3 << 3 << "Pregunta 4";
    QTest::newRow("the last") << 4 << 3 << "Pregunta 3";
}

void EditorTest::removing() {
    QFETCH(int, number);
    QFETCH(int, shownAfter);
    QFETCH(QString, questionAfter);
    QVERIFY(f().startWithConsole());
    for (int i = 1; i < number; ++i) {
        click("BSiguiente");
    }
    typeInto("Edit2", QStringLiteral("escrito"));
    f().dialogs.answers << false << true;
    click("BQuitar");  // No: nothing happens
    QCOMPARE(QDir(f().folder.file(QStringLiteral("Rondas"))).entryList(QDir::Files).size(), 4);
    click("BQuitar");
    QCOMPARE(f().dialogs.questions().constLast(),
             QStringLiteral("¿Desea quitar esta pregunta del juego? ronda%1.txt\n\nPregunta %1")
                 .arg(number));
    QCOMPARE(QDir(f().folder.file(QStringLiteral("Rondas"))).entryList(QDir::Files).size(), 3);
    QCOMPARE(QDir(f().folder.file(QStringLiteral("Rondas/borrado"))).entryList(QDir::Files).size(),
             1);
    QCOMPARE(label(), QStringLiteral("ronda%1.txt").arg(shownAfter));
    QCOMPARE(text("Edit1"), questionAfter);
    // The removed card's typing is not offered for the card that took its number.
    click("BAnterior");
    QCOMPARE(f().dialogs.questions().size(), 2);
}

void EditorTest::extraSeries() {
    f().folder.writeRound(1, QStringLiteral("Desempate 1"), velta::test::standardAnswers(), true);
    QVERIFY(f().startWithConsole());
    click("CheckBox1");
    QCOMPARE(label(), QStringLiteral("xronda1.txt"));
    QCOMPARE(text("Edit1"), QStringLiteral("Desempate 1"));
    click("BNuevo");
    QCOMPARE(label(), QStringLiteral("xronda2.txt"));
    click("BGuardar");
    QVERIFY(QFile::exists(f().folder.file(QStringLiteral("Rondas/xronda2.txt"))));
    click("CheckBox1");
    QCOMPARE(label(), QStringLiteral("ronda1.txt"));
}

// The explorer lists every card with its number; the search ignores case and accents; a
// click opens the card the line shows, gaps in the numbering included.
void EditorTest::explorer() {
    f().folder.writeRound(2, QStringLiteral("Un cítrico: el LIMÓN"),
                          velta::test::standardAnswers());
    f().folder.writeRound(6, QStringLiteral("Limonada"), velta::test::standardAnswers());
    QVERIFY(f().startWithConsole());
    auto* panel = f().find<QWidget>("Panel13");
    auto* list = f().find<QListWidget>("ListBox1");
    QVERIFY(f().find<QLabel>("Label33")->isVisible());
    click("BExplorar");
    QVERIFY(panel->isVisible());
    QVERIFY(!f().find<QLabel>("Label33")->isVisible());
    QCOMPARE(list->count(), 5);
    QCOMPARE(list->item(1)->text(), QStringLiteral("2.- Un cítrico: el LIMÓN"));
    QCOMPARE(list->item(4)->text(), QStringLiteral("6.- Limonada"));
    QTest::keyClicks(f().find<QLineEdit>("Edit15"), QStringLiteral("limon"));
    QCOMPARE(list->selectedItems().size(), 2);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(4)).center());
    QCOMPARE(label(), QStringLiteral("ronda6.txt"));
    QCOMPARE(text("Edit1"), QStringLiteral("Limonada"));
    QCOMPARE(QApplication::focusWidget(), f().sink());
    QTest::mouseClick(panel->findChild<QLabel*>(QStringLiteral("Label35")), Qt::LeftButton);
    QVERIFY(!panel->isVisible());
}

// The listing, byte for byte, shown over the editor and put on the clipboard; each series is
// listed up to its own last card, whatever the explorer showed before.
void EditorTest::listingAndClipboard() {
    QDir(f().folder.file(QStringLiteral("Rondas"))).removeRecursively();
    f().folder.writeRound(1, QStringLiteral("Fruta"), {"Pera,60", "Uva,40"});
    f().folder.writeRound(2, QStringLiteral("Color"), {"Rojo,100"});
    for (int n = 1; n <= 3; ++n) {
        f().folder.writeRound(n, QStringLiteral("Extra %1").arg(n), {"Si,100"}, true);
    }
    f().folder.writeBytes(kTitleFile, "Noche\r\n");
    QVERIFY(f().startWithConsole());
    click("CheckBox1");
    click("BExplorar");
    click("BExplorar");
    click("BListar");
    const QString expected = QStringLiteral(
        "Rondas Noche\r\n\r\r\nFruta\r\n1.- Pera,60\r\n2.- Uva,40\r\n\r\r\nColor\r\n1.- Rojo,100"
        "\r\n\r\r\n\r\r\nRondas Extras\r\n\r\r\nExtra 1\r\nSi,100\r\n\r\r\nExtra 2\r\nSi,100\r\n"
        "\r\r\nExtra 3\r\nSi,100\r\n\r");
    auto* listing = f().find<QPlainTextEdit>("Memo1");
    QVERIFY(listing->isVisible() && listing->isReadOnly());
    QVERIFY(f().find<QPushButton>("BEditar")->isVisible());
    QVERIFY(!f().find<QPushButton>("BListar")->isVisible());
    QApplication::clipboard()->clear();
    click("BCopiar");
    QCOMPARE(QApplication::clipboard()->text(), expected);
    click("BEditar");
    QVERIFY(!listing->isVisible());
    QCOMPARE(label(), QStringLiteral("xronda1.txt"));
}

// The board moves to another card while the fields hold unsaved typing: the typing stays,
// nothing is saved by itself and nothing stops the show; the operator chooses later.
void EditorTest::boardMovesOnWhileTyping() {
    QVERIFY(f().startWithConsole());
    f().press('s');
    typeInto("Edit2", QStringLiteral("Apunte"));
    f().console->parkFocus();
    f().press('s');
    QCOMPARE(board().Label16->text(), QStringLiteral("Pregunta 2"));
    QVERIFY(f().dialogs.shown.isEmpty());
    QCOMPARE(text("Edit2"), QStringLiteral("Apunte"));
    QCOMPARE(label(), QStringLiteral("ronda1.txt"));
    QVERIFY(f().find<QWidget>("PanelPendiente")->isVisible());
    QVERIFY(!card(f(), 1).contains(QStringLiteral("Apunte")));
    click("BGuardarPendiente");
    QVERIFY(card(f(), 1).contains(QStringLiteral("Apunte,40")));
    QCOMPARE(label(), QStringLiteral("ronda2.txt"));
    QVERIFY(!f().find<QWidget>("PanelPendiente")->isVisible());
    // "Descartar" drops the typing and follows the board.
    typeInto("Edit2", QStringLiteral("Borrador"));
    f().console->parkFocus();
    f().press('s');
    click("BDescartarPendiente");
    QCOMPARE(label(), QStringLiteral("ronda3.txt"));
    QCOMPARE(text("Edit2"), QStringLiteral("Uno"));
    QVERIFY(!card(f(), 2).contains(QStringLiteral("Borrador")));
}

void EditorTest::bannerGoesWithTheTyping_data() {
    QTest::addColumn<QString>("leave");
    QTest::addColumn<bool>("yes");
    QTest::newRow("Guardar") << "BGuardar" << false;
    QTest::newRow("Sig., Sí") << "BSiguiente" << true;
    QTest::newRow("Sig., No") << "BSiguiente" << false;
    QTest::newRow("Ant., No") << "BAnterior" << false;
    QTest::newRow("explorer pick, Sí") << "explorer" << true;
}

// The banner of a card the board put up goes as soon as the typing it keeps is saved or
// dropped, whatever way: from then on the host view follows the board again.
void EditorTest::bannerGoesWithTheTyping() {
    QFETCH(QString, leave);
    QFETCH(bool, yes);
    QVERIFY(f().startWithConsole());
    click("BExplorar");
    f().press('s');
    typeInto("Edit2", QStringLiteral("Apunte"));
    f().console->parkFocus();
    f().press('s');
    auto* banner = f().find<QWidget>("PanelPendiente");
    QVERIFY(banner->isVisible());
    f().dialogs.answers << yes;
    if (leave == QLatin1String("explorer")) {
        pickInExplorer(2);
    } else {
        click(qPrintable(leave));
    }
    QVERIFY(!banner->isVisible());
    QCOMPARE(card(f(), 1).contains(QStringLiteral("Apunte")),
             leave == QLatin1String("BGuardar") || yes);
    f().press('s');
    QVERIFY(!banner->isVisible());
    const QString shown = board().Label16->text();
    QCOMPARE(text("Edit1"), shown);
    QCOMPARE(label(), QStringLiteral("ronda%1.txt").arg(shown.back()));
    f().press('1');
    QVERIFY(f().find<QPushButton>("SB1")->font().underline());
}

void EditorTest::refusedSaveKeepsTheTyping_data() {
    QTest::addColumn<QString>("leave");
    QTest::newRow("Sig.") << "BSiguiente";
    QTest::newRow("Ant.") << "BAnterior";
    QTest::newRow("Nuevo") << "BNuevo";
    QTest::newRow("Rondas extras") << "CheckBox1";
    QTest::newRow("explorer pick") << "explorer";
    QTest::newRow("folder change") << "BCarpeta";
    QTest::newRow("version load") << "BCargarVersion";
}

// "Sí" to saving, and the card cannot be saved: the editor stays on it with the typing, and
// the change that was asked for does not happen.
void EditorTest::refusedSaveKeepsTheTyping() {
    QFETCH(QString, leave);
    f().folder.writeRound(1, QStringLiteral("Extra 1"), velta::test::standardAnswers(), true);
    QDir(f().folder.path()).mkpath(QStringLiteral("Otra"));
    f().folder.writeBytes(QStringLiteral("Otra/ronda1.txt"), "Otra 1\r\nA,100");
    f().folder.writeBytes(
        QStringLiteral("v.vlt"),
        velta::test::lineFile({"", "", "", "", "", "", f().folder.file(QStringLiteral("Otra"))}));
    QVERIFY(f().startWithConsole());
    const QString folder = board()->roundFolder();
    click("BExplorar");
    click("BSiguiente");
    typeInto("Edit9", QStringLiteral("-15"));
    f().dialogs.answers << true;
    f().dialogs.files << f().folder.file(
        leave == QLatin1String("BCarpeta") ? QStringLiteral("Otra") : QStringLiteral("v.vlt"));
    if (leave == QLatin1String("explorer")) {
        pickInExplorer(3);
    } else {
        click(qPrintable(leave));
    }
    QCOMPARE(f().dialogs.notices().size(), 1);
    QVERIFY(f().dialogs.notices().constFirst().contains(QStringLiteral("respuesta 3")));
    QCOMPARE(label(), QStringLiteral("ronda2.txt"));
    QCOMPARE(text("Edit9"), QStringLiteral("-15"));
    QVERIFY(!f().find<QCheckBox>("CheckBox1")->isChecked());
    QCOMPARE(board()->roundFolder(), folder);
    QVERIFY(card(f(), 2).contains(QStringLiteral("Tres,15")));
    // Still unsaved: the next change of card asks again.
    f().dialogs.answers << false;
    click("BSiguiente");
    QCOMPARE(f().dialogs.questions().size(), 2);
}

// A row worth 0 keeps its "0" through the editor: saved again, the card is as it was, and
// the board still reveals the row.
void EditorTest::storedPointsComeBackUnchanged() {
    f().folder.writeBytes(QStringLiteral("Rondas/ronda2.txt"),
                          "Con cero\r\nUno,60\r\nDos,40\r\nTexto,0\r\n,\r\n,");
    QVERIFY(f().startWithConsole());
    click("BSiguiente");
    QCOMPARE(text("Edit9"), QStringLiteral("0"));
    click("BGuardar");
    QCOMPARE(card(f(), 2), QStringLiteral("Con cero\r\nUno,60\r\nDos,40\r\nTexto,0\r\n,\r\n,"));
    f().press('s');
    f().press('3');
    QVERIFY(!board().rows[2].cover->isVisible());
    QVERIFY(f().dialogs.shown.isEmpty());
}

void EditorTest::pickOfTheCardHandedOverRetargets_data() {
    QTest::addColumn<bool>("following");
    QTest::newRow("following the board") << true;
    QTest::newRow("not following") << false;
}

// A pick in the explorer always makes it the board's next card, even when that name was
// the last one handed over.
void EditorTest::pickOfTheCardHandedOverRetargets() {
    QFETCH(bool, following);
    QVERIFY(f().startWithConsole());
    if (!following) {
        click("CheckBox2");
    }
    click("BSiguiente");  // hands over ronda2
    f().press('s');
    f().press('s');
    QCOMPARE(board().Label16->text(), QStringLiteral("Pregunta 3"));
    click("BExplorar");
    pickInExplorer(1);
    QCOMPARE(label(), QStringLiteral("ronda2.txt"));
    f().press('s');
    QCOMPARE(board().Label16->text(), QStringLiteral("Pregunta 2"));
}

// Removing a tie-breaker shown by following the board leaves the editor on the extra series,
// and the check box says so.
void EditorTest::removingKeepsTheSeriesShown() {
    for (int n = 1; n <= 3; ++n) {
        f().folder.writeRound(n, QStringLiteral("Desempate %1").arg(n),
                              velta::test::standardAnswers(), true);
    }
    QVERIFY(f().startWithConsole());
    f().press('s');
    f().press('r');
    QCOMPARE(label(), QStringLiteral("xronda1.txt"));
    f().dialogs.answers << true;
    click("BQuitar");
    QCOMPARE(label(), QStringLiteral("xronda1.txt"));
    QCOMPARE(text("Edit1"), QStringLiteral("Desempate 2"));
    QVERIFY(f().find<QCheckBox>("CheckBox1")->isChecked());
    click("BSiguiente");
    QCOMPARE(label(), QStringLiteral("xronda2.txt"));
}

void EditorTest::explorerListsTheFolderInForce_data() {
    QTest::addColumn<QString>("change");
    QTest::newRow("folder change") << "BCarpeta";
    QTest::newRow("version load") << "BCargarVersion";
}

// After the rounds folder changes, the open explorer lists the new folder's cards, and a
// click opens the line it shows.
void EditorTest::explorerListsTheFolderInForce() {
    QFETCH(QString, change);
    QDir(f().folder.path()).mkpath(QStringLiteral("Otra"));
    f().folder.writeBytes(QStringLiteral("Otra/ronda1.txt"), "Otra 1\r\nA,100");
    f().folder.writeBytes(QStringLiteral("Otra/ronda2.txt"), "Otra 2\r\nA,100");
    f().folder.writeBytes(
        QStringLiteral("v.vlt"),
        velta::test::lineFile({"", "", "", "", "", "", f().folder.file(QStringLiteral("Otra"))}));
    QVERIFY(f().startWithConsole());
    click("BExplorar");
    auto* list = f().find<QListWidget>("ListBox1");
    QCOMPARE(list->count(), 4);
    f().dialogs.files << f().folder.file(
        change == QLatin1String("BCarpeta") ? QStringLiteral("Otra") : QStringLiteral("v.vlt"));
    click(qPrintable(change));
    QCOMPARE(board()->roundFolder(), f().folder.file(QStringLiteral("Otra")));
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->item(1)->text(), QStringLiteral("2.- Otra 2"));
    pickInExplorer(1);
    QCOMPARE(text("Edit1"), QStringLiteral("Otra 2"));
}

void EditorTest::brokenCardsAndMissingFolder() {
    f().folder.writeBytes(QStringLiteral("Rondas/ronda2.txt"), "Sin puntos\r\nAlgo\r\n\r\nTres,3");
    QVERIFY(f().startWithConsole());
    const QByteArray before = f().folder.readBytes(QStringLiteral("Rondas/ronda2.txt"));
    click("BSiguiente");
    QCOMPARE(text("Edit1"), QStringLiteral("Sin puntos"));
    QCOMPARE(text("Edit2"), QStringLiteral("Algo"));
    QCOMPARE(f().dialogs.notices().size(), 1);
    QVERIFY(f().dialogs.notices().constFirst().contains(QStringLiteral("ronda2.txt")));
    QVERIFY(f().dialogs.notices().constFirst().contains(QStringLiteral("línea 2")));
    QCOMPARE(f().folder.readBytes(QStringLiteral("Rondas/ronda2.txt")), before);

    // A rounds folder that does not exist is said once and never made behind the operator.
    QDir(f().folder.file(QStringLiteral("Rondas"))).removeRecursively();
    click("BSiguiente");
    click("BExplorar");
    click("BNuevo");
    QCOMPARE(f().dialogs.notices().size(), 2);
    QVERIFY(f().dialogs.notices().constLast().contains(QStringLiteral("Rondas")));
    QVERIFY(!QDir(f().folder.file(QStringLiteral("Rondas"))).exists());
}

// A card of the board's whose answer line cannot be read is said after the key is done, and
// only once, however often it comes up again.
void EditorTest::brokenCardOfTheBoardSaidOnceAfterTheKey() {
    f().folder.writeBytes(QStringLiteral("Rondas/ronda2.txt"), "Sin puntos\r\nAlgo\r\nDos,30");
    QVERIFY(f().startWithConsole());
    f().press('s');
    f().press('s');
    QCOMPARE(label(), QStringLiteral("ronda2.txt"));
    QVERIFY(f().dialogs.shown.isEmpty());
    QTRY_COMPARE(f().dialogs.notices().size(), 1);
    QVERIFY(f().dialogs.notices().constFirst().contains(QStringLiteral("ronda2.txt")));
    f().press('a');
    f().press('s');
    QCOMPARE(label(), QStringLiteral("ronda2.txt"));
    QTest::qWait(20);
    QCOMPARE(f().dialogs.notices().size(), 1);
}

QTEST_MAIN(EditorTest)
#include "tst_editor.moc"
