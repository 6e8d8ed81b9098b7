// The sound bank: its files byte for byte, what a load, a start-up restore and the shipped
// defaults put in the slots, the name "Guardar" proposes, writes that fail without losing
// anything, the state each slot shows, and what the keys and the slots ask of the voice.

#include <QSignalSpy>
#include <QtTest>

#include "RecordingSoundOutput.h"
#include "TempProgramFolder.h"
#include "UnitHelpers.h"
#include "content/TextFiles.h"
#include "platform/Errors.h"
#include "platform/ProgramFolder.h"
#include "sound/SoundBank.h"

using namespace velta;
using velta::test::columns;
using velta::test::row;
using velta::test::TempProgramFolder;

namespace {

QStringList slotsOf(const SoundBank& bank) {
    QStringList slots;
    for (int k = 1; k <= SoundBank::kSlots; ++k) {
        slots << bank.slot(k);
    }
    return slots;
}

QByteArray bankBytes(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += encodeText(line) + "\r\n";
    }
    return bytes;
}

}  // namespace

class SoundBankTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void init();
    void cleanup();

    void saveThenLoadGivesTheSameSlots_data();
    void saveThenLoadGivesTheSameSlots();
    void loadTakesEveryLineRestoreOnlyFilledOnes_data();
    void loadTakesEveryLineRestoreOnlyFilledOnes();
    void startUpWithoutABank_data();
    void startUpWithoutABank();
    void proposedName_data();
    void proposedName();
    void writesThatFailLoseNothing_data();
    void writesThatFailLoseNothing();
    void slotStates();
    void keysAndReadyFiles();

  private:
    QString sound(const QString& name) const {
        return folder_->file(QStringLiteral("Audio/EFFECTS/") + name);
    }
    // Real files for the names given, in Audio/EFFECTS.
    void writeSounds(const QStringList& names) const {
        for (const QString& name : names) {
            folder_->writeBytes(QStringLiteral("Audio/EFFECTS/") + name, "RIFF");
        }
    }

    std::unique_ptr<TempProgramFolder> folder_;
    std::unique_ptr<test::RecordingSoundOutput> voice_;
};

void SoundBankTest::init() {
    folder_ = std::make_unique<TempProgramFolder>();
    voice_ = std::make_unique<test::RecordingSoundOutput>();
}

void SoundBankTest::cleanup() {
    voice_.reset();
    folder_.reset();
}

void SoundBankTest::saveThenLoadGivesTheSameSlots_data() {
    QTest::addColumn<QStringList>("slots");
    QTest::newRow("all ten") << QStringList{"a.mp3", "b.wav", "c.wma", "d.mid", "e.midi",
                                            "f.aac", "g.ac3", "h.mp3", "i.mp3", "j.mp3"};
    QTest::newRow("empty slots among them")
        << QStringList{"a.mp3", "", "c.mp3", "", "", "f.mp3", "", "", "", ""};
    QTest::newRow("none") << QStringList(10, QString());
    QTest::newRow("Spanish names") << QStringList{
        "Canción de campeón.mp3", "Año nuevo.wav", "", "", "", "", "", "", "", "ñandú.mp3"};
}

// Ten lines in Windows-1252, each ended by CR LF, empty ones included; the pointer holds
// the bank's path without a line break.
void SoundBankTest::saveThenLoadGivesTheSameSlots() {
    QFETCH(QStringList, slots);
    SoundBank saved;
    for (int k = 1; k <= SoundBank::kSlots; ++k) {
        saved.setSlot(k, slots[k - 1].isEmpty() ? QString() : sound(slots[k - 1]));
    }
    const QString path = folder_->file(QStringLiteral("Config/mío.bso"));
    saved.save(path);
    QCOMPARE(folder_->readBytes(QStringLiteral("Config/mío.bso")), bankBytes(slotsOf(saved)));
    QCOMPARE(folder_->readBytes(kBankPointerFile), encodeText(path));
    QCOMPARE(saved.bankFile(), path);

    SoundBank loaded;
    loaded.setSlot(2, sound(QStringLiteral("antes.mp3")));
    loaded.load(path);
    QCOMPARE(slotsOf(loaded), slotsOf(saved));
    QCOMPARE(loaded.bankFile(), path);
}

void SoundBankTest::loadTakesEveryLineRestoreOnlyFilledOnes_data() {
    columns<QByteArray, QStringList, QStringList>("file", "loaded", "restored");
    const QString x = QStringLiteral("x.mp3");
    const QString y = QStringLiteral("y.mp3");
    const QStringList none(10, QString());
    QTest::newRow("three lines") << QByteArray("C:\\s\\x.mp3\r\nC:\\s\\y.mp3\r\nC:\\s\\x.mp3\r\n")
                                 << QStringList{x, y, x} + QStringList(7, QString())
                                 << QStringList{x, y, x} + QStringList(7, QString());
    QTest::newRow("empty line 2") << QByteArray("C:\\s\\x.mp3\r\n\r\nC:\\s\\y.mp3")
                                  << QStringList{x, "", y} + QStringList(7, QString())
                                  << QStringList{x, "*", y} + QStringList(7, QString());
    QTest::newRow("empty file") << QByteArray() << none
                                << QStringList{"*", "*"} + QStringList(8, QString());
    QTest::newRow("lines past ten") << QByteArray("\r\n").repeated(10) + "C:\\s\\x.mp3\r\n"
                                    << none << QStringList{"*", "*"} + QStringList(8, QString());
}

// "Cargar" takes every line, empty ones included; start-up takes only the filled lines and
// leaves the other slots as start-up left them ("*": slots that held a sound before). Bank
// files saved on another computer name its folders: a path into Audio plays the program
// folder's copy of the file.
void SoundBankTest::loadTakesEveryLineRestoreOnlyFilledOnes() {
    QFETCH(QByteArray, file);
    QFETCH(QStringList, loaded);
    QFETCH(QStringList, restored);
    writeSounds({QStringLiteral("x.mp3"), QStringLiteral("y.mp3")});
    file.replace("C:\\s\\", "C:\\Programas\\VELTA\\Audio\\EFFECTS\\");
    folder_->writeBytes(QStringLiteral("Config/b.bso"), file);
    const auto expected = [this](QStringList names) {
        for (QString& name : names) {
            name = name.isEmpty() ? QString() : sound(name == "*" ? "antes.mp3" : name);
        }
        return names;
    };

    SoundBank bank;
    SoundBank startUp;
    for (SoundBank* each : {&bank, &startUp}) {  // slots 1 and 2 held a sound before
        each->setSlot(1, sound(QStringLiteral("antes.mp3")));
        each->setSlot(2, sound(QStringLiteral("antes.mp3")));
    }
    bank.load(folder_->file(QStringLiteral("Config/b.bso")));
    QCOMPARE(slotsOf(bank), expected(loaded));

    folder_->writeBytes(kBankPointerFile,
                        encodeText(folder_->file(QStringLiteral("Config/b.bso"))));
    startUp.restore();
    QCOMPARE(slotsOf(startUp), expected(restored));
    QCOMPARE(startUp.bankFile(), folder_->file(QStringLiteral("Config/b.bso")));
}

void SoundBankTest::startUpWithoutABank_data() {
    // An empty pointer: no pointer file.
    columns<QStringList, QByteArray, QStringList, bool>("shipped", "pointer", "slots12",
                                                        "reported");
    const QStringList both{QStringLiteral("Aplausos.mp3"), QStringLiteral("Abucheos.mp3")};
    QTest::newRow("fresh installation") << both << QByteArray() << both << false;
    QTest::newRow("only the applause")
        << QStringList{"Aplausos.mp3"} << QByteArray() << QStringList{"Aplausos.mp3", ""} << false;
    QTest::newRow("pointer to a missing bank")
        << both << QByteArray("C:\\VELTA\\Config\\gone.bso") << both << false;
    QTest::newRow("blank pointer") << both << QByteArray(" \r\n") << both << false;
    QTest::newRow("bank too large to be one")
        << both << QByteArray("Config/huge.bso") << both << true;
}

// Without a bank to restore, slots 1 and 2 take the shipped sounds that exist; a bank that
// cannot be read gives the same, and says why.
void SoundBankTest::startUpWithoutABank() {
    QFETCH(QStringList, shipped);
    QFETCH(QByteArray, pointer);
    QFETCH(QStringList, slots12);
    QFETCH(bool, reported);
    writeSounds(shipped);
    folder_->writeBytes(QStringLiteral("Config/huge.bso"), QByteArray(kLargestTextFile + 1, 'a'));
    if (!pointer.isEmpty()) {
        folder_->writeBytes(
            kBankPointerFile,
            pointer.replace("Config/", QFile::encodeName(folder_->file("Config/"))));
    }

    SoundBank bank;
    QCOMPARE(test::caught<FileError>([&] { bank.restore(); }).has_value(), reported);
    QStringList expected;
    for (const QString& name : slots12) {
        expected << (name.isEmpty() ? QString() : sound(name));
    }
    QCOMPARE(slotsOf(bank), expected + QStringList(8, QString()));
    QCOMPARE(bank.bankFile(), QString());
}

void SoundBankTest::proposedName_data() {
    columns<QString, QString, QString>("slot1", "slot2", "name");
    row("both", "/s/Aplausos.mp3", "/s/Abucheos.mp3", "Audio-Aplausos-Abucheos");
    row("both empty", "", "", "Audio--");
    row("only slot 2", "", "/s/Gol.wav", "Audio--Gol");
    row("saved on Windows, dots in the name", "C:\\Sonidos\\Gol.final.mp3", "D:\\x\\y",
        "Audio-Gol.final-y");
}

void SoundBankTest::proposedName() {
    QFETCH(QString, slot1);
    QFETCH(QString, slot2);
    QFETCH(QString, name);
    SoundBank bank;
    bank.setSlot(1, slot1);
    bank.setSlot(2, slot2);
    QCOMPARE(bank.proposedName(), name);
}

void SoundBankTest::writesThatFailLoseNothing_data() {
    columns<bool, QString, QString, bool>("configFolder", "bankFolder", "message", "bankSaved");
    row("no Config folder", false, "Config", "No se pudo guardar el banco de sonidos", false);
    row("read-only Config", true, "Config", "No se pudo guardar el banco de sonidos", false);
    row("bank elsewhere, pointer read-only", true, "Bancos", "El banco de sonidos se guardó en",
        true);
}

// Run as the show's user, who may not write in the program folder: a bank that cannot be
// written changes nothing; a pointer that cannot be written leaves the bank saved and the
// old pointer whole, and the message says the bank will not come back at the next start.
void SoundBankTest::writesThatFailLoseNothing() {
    QFETCH(bool, configFolder);
    QFETCH(QString, bankFolder);
    QFETCH(QString, message);
    QFETCH(bool, bankSaved);
    if (configFolder) {
        folder_->writeBytes(kBankPointerFile, "C:\\VELTA\\Config\\viejo.bso");
    }
    QDir(folder_->path()).mkpath(QStringLiteral("Bancos"));
    QFile::setPermissions(folder_->file(QStringLiteral("Bancos")),
                          QFileDevice::Permissions(0x7777));
    SoundBank bank;
    bank.setSlot(1, sound(QStringLiteral("a.mp3")));
    const QString path = folder_->file(bankFolder + QStringLiteral("/nuevo.bso"));

    QString shown;
    test::asShowUser([&] { shown = test::messageOf<FileError>([&] { bank.save(path); }); });
    QVERIFY2(shown.startsWith(message), qPrintable(shown));
    QCOMPARE(shown.contains(QStringLiteral("no se cargará")), bankSaved);
    QCOMPARE(QFileInfo::exists(path), bankSaved);
    QCOMPARE(bank.bankFile(), bankSaved ? path : QString());
    QCOMPARE(bank.slot(1), sound(QStringLiteral("a.mp3")));
    if (bankSaved) {
        QCOMPARE(folder_->readBytes(bankFolder + QStringLiteral("/nuevo.bso")),
                 bankBytes(slotsOf(bank)));
    }
    QCOMPARE(folder_->readBytes(kBankPointerFile),
             configFolder ? QByteArray("C:\\VELTA\\Config\\viejo.bso") : QByteArray());
}

// A slot shows whether its key will be heard: empty, a missing file, a file the voice
// reports it cannot play, or a playable one. A file chosen again is checked again.
void SoundBankTest::slotStates() {
    writeSounds({QStringLiteral("bueno.mp3"), QStringLiteral("raro.xyz")});
    voice_->unplayable << sound(QStringLiteral("raro.xyz"));
    SoundBank bank;
    QSignalSpy changed(&bank, &SoundBank::slotChanged);
    bank.setSlot(2, sound(QStringLiteral("no-esta.mp3")));
    bank.setSlot(3, sound(QStringLiteral("bueno.mp3")));
    bank.setSlot(4, sound(QStringLiteral("raro.xyz")));
    QCOMPARE(bank.slotState(1), SoundBank::SlotState::Empty);
    QCOMPARE(bank.slotState(2), SoundBank::SlotState::Missing);
    QCOMPARE(bank.slotState(3), SoundBank::SlotState::Playable);
    QCOMPARE(bank.slotState(4), SoundBank::SlotState::Unplayable);
    QVERIFY(changed.contains(QVariantList{4}));

    voice_->unplayable.clear();
    bank.setSlot(4, QString());
    bank.setSlot(4, sound(QStringLiteral("raro.xyz")));
    QCOMPARE(bank.slotState(4), SoundBank::SlotState::Playable);
}

// A key plays its slot's path, an empty slot only silences the voice; the voice keeps each
// existing file once, and hears of the list again only when it changes.
void SoundBankTest::keysAndReadyFiles() {
    writeSounds({QStringLiteral("a.mp3"), QStringLiteral("b.mp3")});
    SoundBank bank;
    bank.setSlot(1, sound(QStringLiteral("a.mp3")));
    bank.setSlot(2, sound(QStringLiteral("b.mp3")));
    bank.setSlot(3, sound(QStringLiteral("a.mp3")));
    bank.setSlot(4, sound(QStringLiteral("perdido.mp3")));
    bank.play(2);
    bank.play(6);
    QCOMPARE(voice_->calls, (QStringList{"ready:" + sound("a.mp3"),
                                         "ready:" + sound("a.mp3") + "|" + sound("b.mp3"),
                                         "bank:" + sound("b.mp3"), "bank:"}));
}

QTEST_MAIN(SoundBankTest)
#include "tst_soundbank.moc"
