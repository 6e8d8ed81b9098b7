// The sound-bank panel of both windows: the ten keys in whichever window has the keyboard,
// one bank shown by both panels, how a slot is drawn, "Guardar" and "Cargar" with their
// dialogs and error box, the bank restored at start-up, and where each window keeps it.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "ConsoleFixture.h"
#include "content/TextFiles.h"
#include "platform/ProgramFolder.h"
#include "sound/SoundBank.h"

using namespace velta;

class SoundBankPanelTest : public velta::test::ConsoleTestCase {
    Q_OBJECT

  private Q_SLOTS:
    void init();

    void keysPlayTheBankInEitherWindow_data();
    void keysPlayTheBankInEitherWindow();
    void bothPanelsShowTheOneBank();
    void howASlotIsDrawn_data();
    void howASlotIsDrawn();
    void saveAndLoad();
    void startUpRestoresTheBank();
    void wherePanelsStay();

  private:
    QString sound(const QString& name) const {
        return f_->folder.file(QStringLiteral("Audio/EFFECTS/") + name);
    }
    void writeSound(const QString& name) const {
        f_->folder.writeBytes(QStringLiteral("Audio/EFFECTS/") + name, "RIFF");
    }
    template <class Widget>
    Widget* onBoard(const char* name) const {
        auto* found = f_->board->findChild<Widget*>(QLatin1String(name));
        if (!found) {
            qFatal("The board has no %s", name);
        }
        return found;
    }
    QStringList bankCalls() const { return f_->sound.calls.filter(QStringLiteral("bank:")); }
};

void SoundBankPanelTest::init() {
    fresh(2);
}

void SoundBankPanelTest::keysPlayTheBankInEitherWindow_data() {
    QTest::addColumn<char>("key");
    QTest::addColumn<int>("slot");
    QTest::addColumn<bool>("console");
    const char keys[] = "67890yuiop";
    for (int k = 1; k <= SoundBank::kSlots; ++k) {
        QTest::addRow("%c on the board", keys[k - 1]) << keys[k - 1] << k << false;
        QTest::addRow("%c in the control window", keys[k - 1]) << keys[k - 1] << k << true;
    }
}

// Each key plays its own slot, once, from whichever window has the keyboard.
void SoundBankPanelTest::keysPlayTheBankInEitherWindow() {
    QFETCH(char, key);
    QFETCH(int, slot);
    QFETCH(bool, console);
    QVERIFY(console ? f().startWithConsole() : f().startBoth());
    for (int k = 1; k <= SoundBank::kSlots; ++k) {
        writeSound(QStringLiteral("s%1.mp3").arg(k));
        f().board->soundBank().setSlot(k, sound(QStringLiteral("s%1.mp3").arg(k)));
    }
    f().sound.clear();
    f().press(key);
    QCOMPARE(bankCalls(), QStringList{"bank:" + sound(QStringLiteral("s%1.mp3").arg(slot))});
}

// A sound chosen in the control window shows on the board, and a slot emptied on the board
// (slots 3 to 10 included) empties in the control window: one key, one sound.
void SoundBankPanelTest::bothPanelsShowTheOneBank() {
    writeSound(QStringLiteral("gol.mp3"));
    QVERIFY(f().startWithConsole());
    f().dialogs.files << sound(QStringLiteral("gol.mp3")) << sound(QStringLiteral("gol.mp3"));
    click(f().find<QPushButton>("SpeedButton45"));
    click(f().find<QPushButton>("SpeedButton50"));
    QCOMPARE(f().dialogs.shown.first(),
             "open: " + programPath(QStringLiteral("Audio/EFFECTS")) +
                 " | Sonidos (*.mp3 *.wav *.wma *.mid *.midi *.aac *.ac3)");
    QCOMPARE(onBoard<QLineEdit>("Edit23")->text(), sound(QStringLiteral("gol.mp3")));
    QCOMPARE(onBoard<QLineEdit>("Edit25")->text(), sound(QStringLiteral("gol.mp3")));

    click(onBoard<QPushButton>("SpeedButton67"));
    QCOMPARE(f().find<QLineEdit>("Edit25")->text(), QString());
    QCOMPARE(f().find<QLineEdit>("Edit23")->text(), sound(QStringLiteral("gol.mp3")));
    QCOMPARE(QApplication::focusWidget(), f().sink());

    f().board->soundBank().setSlot(5, sound(QStringLiteral("perdido.mp3")));
    click(f().find<QPushButton>("SpeedButton44"));
    QVERIFY(
        velta::test::saveScreenshot(f().console.get(), QStringLiteral("sound_bank_console.png")));
}

void SoundBankPanelTest::howASlotIsDrawn_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("ready");
    QTest::addColumn<QString>("hint");
    QTest::newRow("ready") << "bueno.mp3" << true << "";
    QTest::newRow("empty") << "" << false << "";
    QTest::newRow("missing") << "perdido.mp3" << false << "No se encontró este archivo.";
    QTest::newRow("no decoder for it")
        << "raro.wma" << false
        << "No se puede reproducir este archivo: su formato no es compatible con este equipo.";
}

// Black and plain when the key will be heard; red and struck through otherwise, with a hint
// that says why.
void SoundBankPanelTest::howASlotIsDrawn() {
    QFETCH(QString, file);
    QFETCH(bool, ready);
    QFETCH(QString, hint);
    writeSound(QStringLiteral("bueno.mp3"));
    writeSound(QStringLiteral("raro.wma"));
    f().sound.unplayable << sound(QStringLiteral("raro.wma"));
    QVERIFY(f().startBoth());
    f().board->soundBank().setSlot(4, file.isEmpty() ? QString() : sound(file));
    for (QLineEdit* field : {onBoard<QLineEdit>("Edit26"), f().find<QLineEdit>("Edit26")}) {
        QCOMPARE(field->palette().color(QPalette::Text),
                 ready ? QColor(Qt::black) : QColor(Qt::red));
        QCOMPARE(field->font().strikeOut(), !ready);
        QCOMPARE(field->toolTip(), hint);
    }
}

// "Guardar" proposes "Audio-" and the names of slots 1 and 2 in Config, "Cargar" opens
// there; both show the bank in the label of both windows. Cancelling, or a bank file that
// does not exist, changes nothing; a bank that cannot be written is said in one error box.
void SoundBankPanelTest::saveAndLoad() {
    writeSound(QStringLiteral("Aplausos.mp3"));
    writeSound(QStringLiteral("Abucheos.mp3"));
    f().folder.writeBytes(QStringLiteral("bloqueo"), "");
    f().folder.writeBytes(QStringLiteral("Config/tres.bso"),
                          encodeText(sound("Abucheos.mp3") + "\r\n\r\n" + sound("Aplausos.mp3")));
    QVERIFY(f().startWithConsole());
    auto* save = f().find<QPushButton>("ButtonGuardarBanco");
    auto* load = f().find<QPushButton>("ButtonCargarBanco");
    const QString config = programPath(QStringLiteral("Config"));
    QCOMPARE(f().find<QLabel>("Label61")->text(), QStringLiteral("Guarde sus cambios ->"));

    click(save);
    QCOMPARE(f().dialogs.shown.last(),
             "save: Guardar banco de sonidos actual | " + config +
                 " | Audio-Aplausos-Abucheos | Banco de sonidos (*.bso) | bso");
    f().dialogs.files << config + "/mio.bso";
    click(save);
    QVERIFY(QFile::exists(config + "/mio.bso"));
    QCOMPARE(onBoard<QLabel>("Label61")->text(), config + "/mio.bso");
    QCOMPARE(f().find<QLabel>("Label61")->text(), config + "/mio.bso");

    f().dialogs.files << config + "/no-esta.bso" << config + "/tres.bso";
    click(load);
    QCOMPARE(f().dialogs.shown.last(), "open: " + config + " | Banco de sonidos (*.bso)");
    QCOMPARE(f().find<QLabel>("Label61")->text(), config + "/mio.bso");
    click(load);
    QCOMPARE(onBoard<QLineEdit>("Edit23")->text(), sound("Abucheos.mp3"));
    QCOMPARE(onBoard<QLabel>("Label61")->text(), config + "/tres.bso");

    f().dialogs.files << f().folder.file(QStringLiteral("bloqueo/x.bso"));
    click(save);
    QCOMPARE(f().dialogs.errors().size(), 1);
    QCOMPARE(f().find<QLabel>("Label61")->text(), config + "/tres.bso");
    QCOMPARE(QApplication::focusWidget(), f().sink());
}

// The control window, made after the board has restored the bank, shows it from the start.
void SoundBankPanelTest::startUpRestoresTheBank() {
    writeSound(QStringLiteral("fiesta.mp3"));
    const QString bank = f().folder.file(QStringLiteral("Config/show.bso"));
    f().folder.writeBytes(QStringLiteral("Config/show.bso"),
                          encodeText("\r\n\r\n" + sound("fiesta.mp3")));
    f().folder.writeBytes(kBankPointerFile, encodeText(bank));
    QVERIFY(f().startBoth());
    QCOMPARE(f().find<QLineEdit>("Edit25")->text(), sound("fiesta.mp3"));
    QVERIFY(!f().find<QLineEdit>("Edit25")->font().strikeOut());
    QCOMPARE(f().find<QLabel>("Label61")->text(), bank);
}

// The board keeps its panel shown far below the window, so its keys play; the control
// window keeps its own behind the main panel until "Banco de sonidos" brings it forward,
// and its " X " sends it back. Either way the keyboard returns to the focus sink.
void SoundBankPanelTest::wherePanelsStay() {
    QVERIFY(f().startWithConsole());
    auto* boardPanel = onBoard<QWidget>("Panel15");
    QCOMPARE(boardPanel->pos(), QPoint(380, 9390));
    QVERIFY(boardPanel->isVisible());

    auto* panel = f().find<QWidget>("Panel15");
    const QPoint inside = panel->geometry().center();
    QVERIFY(panel->isVisible());
    QVERIFY(!panel->isAncestorOf(f().console->childAt(inside)));
    click(f().find<QPushButton>("SpeedButton44"));
    QVERIFY(panel->isAncestorOf(f().console->childAt(inside)));
    QCOMPARE(QApplication::focusWidget(), f().sink());
    click(f().find<QLabel>("LabelCerrarBanco"));
    QVERIFY(!panel->isAncestorOf(f().console->childAt(inside)));
    QCOMPARE(QApplication::focusWidget(), f().sink());
}

QTEST_MAIN(SoundBankPanelTest)
#include "tst_soundbank_panel.moc"
