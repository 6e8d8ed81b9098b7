// The settings store: each setter writes its file byte for byte as the settings files have
// always been written and then announces the change; a file that cannot be written leaves
// the setting as it was; a whole set-up is written all or nothing.

#include <QDir>
#include <QSignalSpy>
#include <QtTest>

#include "TempProgramFolder.h"
#include "UnitHelpers.h"
#include "editing/GameSettings.h"
#include "editing/SettingsStore.h"
#include "platform/Errors.h"
#include "platform/ProgramFolder.h"

using namespace velta;
using velta::test::caught;
using velta::test::columns;
using velta::test::lineFile;
using velta::test::row;
using velta::test::TempProgramFolder;
using Part = SettingsStore::Part;

Q_DECLARE_METATYPE(velta::GameSettings)
Q_DECLARE_METATYPE(velta::ChosenPicture)

namespace {

// One setter by name, with the values every row of the tables below uses.
void set(SettingsStore& store, const QString& setting) {
    if (setting == QLatin1String("title")) {
        store.setTitle(QStringLiteral(" Fútbol de Gala "), QStringLiteral("navy"),
                       QStringLiteral("Cream"));
    } else if (setting == QLatin1String("cover")) {
        store.setCover(QStringLiteral("C:\\Juegos\\Imágenes\\portada2.jpg"));
    } else if (setting == QLatin1String("frame")) {
        store.setFrame(QStringLiteral("/juegos/marco.bmp"));
    } else if (setting == QLatin1String("teams")) {
        store.setTeamNames(QStringLiteral(" Los Niños "), QString());
    } else if (setting == QLatin1String("rounds folder")) {
        store.setRoundFolder(QStringLiteral("/juegos/Łódź"));
    } else if (setting == QLatin1String("multipliers off")) {
        store.setMultipliersInNormal(false);
    } else if (setting == QLatin1String("accumulate off")) {
        store.setAccumulateInEasy(false);
    } else if (setting == QLatin1String("hide scores")) {
        store.setHideScores(true);
    } else {
        QFAIL(qPrintable(setting));
    }
}

// What a setter puts in force, as one text.
QString inForce(const GameSettings& s, const QString& setting) {
    const auto yes = [](bool on) { return on ? QStringLiteral("on") : QStringLiteral("off"); };
    if (setting == QLatin1String("title")) {
        return QStringList{s.title, s.titleColour, s.backgroundColour}.join('|');
    }
    if (setting == QLatin1String("cover")) {
        return s.coverImage.value_or(QStringLiteral("none"));
    }
    if (setting == QLatin1String("frame")) {
        return s.frameImage.value_or(QStringLiteral("none"));
    }
    if (setting == QLatin1String("teams")) {
        return s.leftTeamName + '|' + s.rightTeamName;
    }
    if (setting == QLatin1String("rounds folder")) {
        return s.roundFolderPath;
    }
    if (setting.startsWith(QLatin1String("multipliers"))) {
        return yes(s.multipliersInNormal);
    }
    if (setting.startsWith(QLatin1String("accumulate"))) {
        return yes(s.accumulateInEasy);
    }
    return yes(s.hideScores);
}

// The file a setter writes, and where the rows put it.
const QHash<QString, QString> kFileOf{
    {"title", kTitleFile},
    {"cover", kCoverFile},
    {"frame", kFrameFile},
    {"teams", kTeamsFile},
    {"rounds folder", kRoundFolderFile},
    {"multipliers off", kMultipliersOffMarker},
    {"accumulate off", kAccumulateEasyMarker},
    {"hide scores", kHideScoresMarker},
};

}  // namespace

class SettingsStoreTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void settersWriteTheirFile_data();
    void settersWriteTheirFile();
    void aSettingThatCannotBeStoredStaysAsItWas_data();
    void aSettingThatCannotBeStoredStaysAsItWas();
    void setUpWritesEveryFile();
    void setUpIsAllOrNothing_data();
    void setUpIsAllOrNothing();
};

void SettingsStoreTest::settersWriteTheirFile_data() {
    // before: the file's bytes before the setter (null: absent); after: null when the setter
    // removes it.
    columns<QString, QByteArray, QByteArray, QString, ChosenPicture>("setting", "before", "after",
                                                                     "value", "chosen");
    const QByteArray none;
    // The title file holds the title trimmed; the board keeps the spaces until the next start.
    row("title", QString("title"), QByteArray("Viejo\r\nRed\r\nBlack\r\n"),
        QByteArray("F\xFAtbol de Gala\r\nnavy\r\nCream\r\n"),
        QStringLiteral(" Fútbol de Gala |navy|Cream"), ChosenPicture::None);
    row("cover", QString("cover"), none, QByteArray("C:\\Juegos\\Im\xE1genes\\portada2.jpg"),
        QStringLiteral("C:\\Juegos\\Imágenes\\portada2.jpg"), ChosenPicture::Cover);
    row("frame", QString("frame"), QByteArray("/viejo.bmp"), QByteArray("/juegos/marco.bmp"),
        QStringLiteral("/juegos/marco.bmp"), ChosenPicture::Frame);
    // Names as typed; the empty one keeps the name in force, as the file reads back.
    row("teams", QString("teams"), none, QByteArray(" Los Ni\xF1os \r\n\r\n"),
        QStringLiteral(" Los Niños |Los Púrpuras"), ChosenPicture::None);
    // What Windows-1252 cannot hold is written as UTF-8 with its mark.
    row("rounds folder", QString("rounds folder"), none,
        QByteArray("\xEF\xBB\xBF") + QStringLiteral("/juegos/Łódź").toUtf8(),
        QStringLiteral("/juegos/Łódź"), ChosenPicture::None);
    row("multipliers off", QString("multipliers off"), none, QByteArray("1"), QString("off"),
        ChosenPicture::None);
    row("accumulate off", QString("accumulate off"), QByteArray("1"), none, QString("off"),
        ChosenPicture::None);
    // A marker already there is left as it is.
    row("hide scores, marker there", QString("hide scores"), QByteArray("lo que sea"),
        QByteArray("lo que sea"), QString("on"), ChosenPicture::None);
}

void SettingsStoreTest::settersWriteTheirFile() {
    QFETCH(QString, setting);
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    QFETCH(QString, value);
    QFETCH(ChosenPicture, chosen);
    TempProgramFolder folder;
    const QString file = kFileOf.value(setting);
    if (!before.isNull()) {
        folder.writeBytes(file, before);
    }
    SettingsStore store;
    store.load();
    QSignalSpy changed(&store, &SettingsStore::changed);

    set(store, setting);

    if (after.isNull()) {
        QVERIFY(!QFileInfo::exists(folder.file(file)));
    } else {
        QCOMPARE(folder.readBytes(file), after);
    }
    QCOMPARE(inForce(store.settings(), setting), value);
    QCOMPARE(changed.size(), 1);
    QCOMPARE(inForce(changed[0][0].value<GameSettings>(), setting), value);
    QCOMPARE(changed[0][1].value<ChosenPicture>(), chosen);
}

// A directory where the file should be: the writer's error names it, and neither the
// setting in force nor any listener hears of a change.
void SettingsStoreTest::aSettingThatCannotBeStoredStaysAsItWas_data() {
    columns<QString>("setting");
    for (const char* setting :
         {"title", "cover", "frame", "teams", "rounds folder", "accumulate off"}) {
        row(setting, QString(setting));
    }
}

void SettingsStoreTest::aSettingThatCannotBeStoredStaysAsItWas() {
    QFETCH(QString, setting);
    TempProgramFolder folder;
    const QString file = kFileOf.value(setting);
    QVERIFY(QDir().mkpath(folder.file(file)));
    SettingsStore store;
    store.load();
    const QString before = inForce(store.settings(), setting);
    QSignalSpy changed(&store, &SettingsStore::changed);

    const auto error = caught<FileError>([&] { set(store, setting); });

    QVERIFY(error);
    QVERIFY2(errorMessage(*error).contains(QDir::toNativeSeparators(folder.file(file))),
             error->what());
    QCOMPARE(inForce(store.settings(), setting), before);
    QVERIFY(changed.isEmpty());
    QVERIFY(QFileInfo(folder.file(file)).isDir());
}

// A version loaded with a pack's frame: every file in its one shape, one announcement.
void SettingsStoreTest::setUpWritesEveryFile() {
    TempProgramFolder folder;
    SettingsStore store;
    store.load();
    QSignalSpy changed(&store, &SettingsStore::changed);
    GameSettings wanted = store.settings();
    wanted.title = QStringLiteral("  Noche Azul ");
    wanted.titleColour = QStringLiteral("navy");
    wanted.backgroundColour = QStringLiteral("Silver");
    wanted.coverImage = QStringLiteral("D:\\Fotos\\azul.jpg");
    wanted.frameImage = QStringLiteral("D:\\Fotos\\marco.jpg");
    wanted.leftTeamName = QStringLiteral("Azules");
    wanted.rightTeamName = QString();
    wanted.roundFolderPath = QStringLiteral("D:\\RondasAzul");

    store.applySetUp(wanted, Part::Title | Part::Cover | Part::Frame | Part::Teams |
                                 Part::RoundFolder | Part::ThemeMarker);

    QCOMPARE(folder.readBytes(kTitleFile), lineFile({"Noche Azul", "navy", "Silver"}));
    QCOMPARE(folder.readBytes(kCoverFile), QByteArray("D:\\Fotos\\azul.jpg"));
    QCOMPARE(folder.readBytes(kFrameFile), QByteArray("D:\\Fotos\\marco.jpg"));
    QCOMPARE(folder.readBytes(kTeamsFile), QByteArray("Azules\r\n\r\n"));
    QCOMPARE(folder.readBytes(kRoundFolderFile), QByteArray("D:\\RondasAzul"));
    QVERIFY(markerPresent(kThemeMarker));
    QCOMPARE(changed.size(), 1);
    const GameSettings s = changed[0][0].value<GameSettings>();
    QCOMPARE(s.title, wanted.title);
    QCOMPARE(s.frameImage, wanted.frameImage);
    QCOMPARE(s.leftTeamName + '|' + s.rightTeamName, QStringLiteral("Azules|Los Púrpuras"));
    QCOMPARE(s.roundFolderPath, wanted.roundFolderPath);
    QCOMPARE(store.settings().coverImage, wanted.coverImage);
}

// Whichever file of the set-up cannot be written, the files written before it hold their
// old bytes again (a UTF-8 title file included) or are gone when they were not there, the
// settings in force are the old ones and the one message names the file.
void SettingsStoreTest::setUpIsAllOrNothing_data() {
    columns<QString>("blocked");
    for (const QString& file : {kTitleFile, kCoverFile, kTeamsFile, kRoundFolderFile}) {
        row(qPrintable(file), file);
    }
}

void SettingsStoreTest::setUpIsAllOrNothing() {
    QFETCH(QString, blocked);
    TempProgramFolder folder;
    const QByteArray title =
        QByteArray("\xEF\xBB\xBF") + QStringLiteral("Ωmega\r\nRed\r\n").toUtf8();
    const QByteArray teams("Rojos\r\nAzules\r\n");
    if (blocked != kTitleFile) {
        folder.writeBytes(kTitleFile, title);
    }
    if (blocked != kTeamsFile) {
        folder.writeBytes(kTeamsFile, teams);
    }
    SettingsStore store;
    store.load();
    const GameSettings before = store.settings();
    QVERIFY(QDir().mkpath(folder.file(blocked)));
    QSignalSpy changed(&store, &SettingsStore::changed);
    GameSettings wanted = before;
    wanted.title = QStringLiteral("Otro");
    wanted.coverImage = QStringLiteral("/fotos/otra.jpg");
    wanted.leftTeamName = QStringLiteral("Verdes");
    wanted.roundFolderPath = QStringLiteral("/rondas/otras");

    const auto error = caught<FileError>([&] {
        store.applySetUp(wanted, Part::Title | Part::Cover | Part::Teams | Part::RoundFolder |
                                     Part::ThemeMarker);
    });

    QVERIFY(error);
    const QString message = errorMessage(*error);
    QVERIFY2(message.contains(QDir::toNativeSeparators(folder.file(blocked))), qPrintable(message));
    QVERIFY2(message.endsWith(QStringLiteral("no se cambió ningún ajuste.")), qPrintable(message));
    QVERIFY(changed.isEmpty());
    QCOMPARE(store.settings().title, before.title);
    QCOMPARE(store.settings().coverImage, before.coverImage);
    QCOMPARE(store.settings().leftTeamName, before.leftTeamName);
    QCOMPARE(store.settings().roundFolderPath, before.roundFolderPath);
    if (blocked != kTitleFile) {
        QCOMPARE(folder.readBytes(kTitleFile), title);
    }
    if (blocked != kTeamsFile) {
        QCOMPARE(folder.readBytes(kTeamsFile), teams);
    }
    for (const QString& absent : {kCoverFile, kRoundFolderFile}) {
        QVERIFY(absent == blocked || !QFileInfo::exists(folder.file(absent)));
    }
    QVERIFY(!markerPresent(kThemeMarker));
    QCOMPARE(QDir(folder.file(QStringLiteral("Config"))).entryList(QDir::Files).size(),
             2 - (blocked == kTitleFile || blocked == kTeamsFile ? 1 : 0));
}

QTEST_GUILESS_MAIN(SettingsStoreTest)
#include "tst_settingsstore.moc"
