// The settings files under Config, the option markers and the colour table: what is
// written byte for byte, and which stored values replace the defaults on reading.

#include <QGuiApplication>
#include <QPalette>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QtTest>

#include "TempProgramFolder.h"
#include "UnitHelpers.h"
#include "content/RoundFiles.h"
#include "content/TextFiles.h"
#include "editing/Colours.h"
#include "editing/GameSettings.h"
#include "platform/ProgramFolder.h"

using namespace velta;
using velta::test::columns;
using velta::test::row;
using velta::test::TempProgramFolder;

namespace {

// The option a marker stands for, as readGameSettings reports it.
bool option(const GameSettings& s, const QString& marker) {
    if (marker == kMultipliersOffMarker) {
        return s.multipliersInNormal;
    }
    if (marker == kAccumulateEasyMarker) {
        return s.accumulateInEasy;
    }
    if (marker == kHideScoresMarker) {
        return s.hideScores;
    }
    return s.hideQuestion;
}

const QStringList kMarkers{kMultipliersOffMarker, kAccumulateEasyMarker, kHideScoresMarker,
                           kHideQuestionMarker};

bool defaultOption(const QString& marker) {
    return marker == kMultipliersOffMarker;
}

// The thirty desktop colour roles, in the order of their Windows system-colour index.
const QStringList kDesktopRoles =
    QStringLiteral(
        "ScrollBar Background ActiveCaption InactiveCaption Menu Window WindowFrame MenuText "
        "WindowText CaptionText ActiveBorder InactiveBorder AppWorkSpace Highlight HighlightText "
        "BtnFace BtnShadow GrayText BtnText InactiveCaptionText BtnHighlight 3DDkShadow 3DLight "
        "InfoText InfoBk HotLight GradientActiveCaption GradientInactiveCaption MenuHighlight "
        "MenuBar")
        .split(QLatin1Char(' '));

}  // namespace

class SettingsTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void writesLineAndPathFilesByteExact();
    void lineFilesChangeOnlyWhatTheyHold_data();
    void lineFilesChangeOnlyWhatTheyHold();
    void readsPathFiles_data();
    void readsPathFiles();
    void coverAndFrameFiles();
    void roundFolderSetting_data();
    void roundFolderSetting();
    void settingsComeFromTheProgramFolder();
    void storedPathsFromAnotherComputer_data();
    void storedPathsFromAnotherComputer();
    void markers_data();
    void markers();
    void fixedColours();
    void desktopRolesFollowThePalette();
    void namesOutsideTheTable();
};

void SettingsTest::writesLineAndPathFilesByteExact() {
    TempProgramFolder folder;

    writeLinesFile(programPath(kTitleFile), {"Mi juego", "Navy", "Window"});
    writeLinesFile(programPath(kTeamsFile), {" Los Niños ", "", "Los Púrpuras"});
    writePathFile(programPath(kCoverFile), QStringLiteral("C:\\Juegos\\Imágenes\\portada2.jpg"));
    writePathFile(programPath(kFrameFile), QString());

    QCOMPARE(folder.readBytes(QStringLiteral("Config/Titulo.txt")),
             QByteArray("Mi juego\r\nNavy\r\nWindow\r\n"));
    QCOMPARE(folder.readBytes(QStringLiteral("Config/Equipos.txt")),
             QByteArray(" Los Ni\xF1os \r\n\r\nLos P\xFArpuras\r\n"));
    QCOMPARE(folder.readBytes(QStringLiteral("Config/Portada.txt")),
             QByteArray("C:\\Juegos\\Im\xE1genes\\portada2.jpg"));
    QCOMPARE(folder.readBytes(QStringLiteral("Config/Marco.txt")), QByteArray());

    // Rewritten shorter: nothing of the longer file is left.
    writeLinesFile(programPath(kTitleFile), {"Otro"});
    QCOMPARE(folder.readBytes(QStringLiteral("Config/Titulo.txt")), QByteArray("Otro\r\n"));

    // Names Windows-1252 cannot hold come back as typed.
    writeLinesFile(programPath(kTeamsFile), {"Győr", "Ωmega"});
    writePathFile(programPath(kRoundFolderFile), QStringLiteral("/juegos/Łódź"));
    QCOMPARE(readLinesFile(programPath(kTeamsFile)), QStringList({"Győr", "Ωmega"}));
    QCOMPARE(readPathFile(programPath(kRoundFolderFile)), QStringLiteral("/juegos/Łódź"));
    QCOMPARE(folder.readBytes(QStringLiteral("Config/RondaDir.txt")),
             QByteArray("\xEF\xBB\xBF") + QStringLiteral("/juegos/Łódź").toUtf8());
}

void SettingsTest::lineFilesChangeOnlyWhatTheyHold_data() {
    // Null bytes: no file. Expected: the title, its colour, the background, the teams.
    columns<QByteArray, QByteArray, QStringList>("titulo", "equipos", "expected");

    const QByteArray none;
    QStringEncoder utf16be(QStringConverter::Utf16BE);

    QTest::newRow("no files") << none << none
                              << QStringList{"Veltarama", "HotLight", "Window", "Los Verdes",
                                             "Los Púrpuras"};
    QTest::newRow("empty files") << QByteArray("") << QByteArray("")
                                 << QStringList{"Veltarama", "HotLight", "Window", "Los Verdes",
                                                "Los Púrpuras"};
    QTest::newRow("title only") << QByteArray("Mi Show\r\n") << none
                                << QStringList{"Mi Show", "HotLight", "Window", "Los Verdes",
                                               "Los Púrpuras"};
    QTest::newRow("title colour only")
        << QByteArray("\r\nNavy\r\n") << none
        << QStringList{"Veltarama", "Navy", "Window", "Los Verdes", "Los Púrpuras"};
    QTest::newRow("background only, LF, no final break")
        << QByteArray("\n\nRed") << none
        << QStringList{"Veltarama", "HotLight", "Red", "Los Verdes", "Los Púrpuras"};
    QTest::newRow("lines past the third ignored")
        << QByteArray("A\r\nLime\r\nBlack\r\nD\r\n") << none
        << QStringList{"A", "Lime", "Black", "Los Verdes", "Los Púrpuras"};
    QTest::newRow("UTF-16 BE with a mark")
        << QByteArray("\xFE\xFF") +
               QByteArray(utf16be.encode(QStringLiteral("¡Ñandú!\r\nTeal\r\n")))
        << none << QStringList{"¡Ñandú!", "Teal", "Window", "Los Verdes", "Los Púrpuras"};
    QTest::newRow("right team only")
        << none << QByteArray("\r\nLos Rojos\r\n")
        << QStringList{"Veltarama", "HotLight", "Window", "Los Verdes", "Los Rojos"};
    QTest::newRow("left team only, CR")
        << none << QByteArray("Los Rojos\r")
        << QStringList{"Veltarama", "HotLight", "Window", "Los Rojos", "Los Púrpuras"};
    QTest::newRow("team names kept as typed")
        << none << QByteArray(" Los Ni\xF1os \r\nLos Azules  \r\n")
        << QStringList{"Veltarama", "HotLight", "Window", " Los Niños ", "Los Azules  "};
}

void SettingsTest::lineFilesChangeOnlyWhatTheyHold() {
    QFETCH(QByteArray, titulo);
    QFETCH(QByteArray, equipos);
    QFETCH(QStringList, expected);
    TempProgramFolder folder;
    if (!titulo.isNull()) {
        folder.writeBytes(QStringLiteral("Config/Titulo.txt"), titulo);
    }
    if (!equipos.isNull()) {
        folder.writeBytes(QStringLiteral("Config/Equipos.txt"), equipos);
    }

    const GameSettings s = readGameSettings();

    QCOMPARE(
        QStringList({s.title, s.titleColour, s.backgroundColour, s.leftTeamName, s.rightTeamName}),
        expected);
}

void SettingsTest::readsPathFiles_data() {
    columns<QByteArray, bool, QString>("bytes", "present", "path");  // bytes null: no file

    QTest::newRow("no file") << QByteArray() << false << QString();
    QTest::newRow("empty") << QByteArray("") << false << QString();
    QTest::newRow("spaces") << QByteArray("   ") << false << QString();
    QTest::newRow("line break") << QByteArray("\r\n") << false << QString();
    QTest::newRow("spaces and control characters")
        << QByteArray(" \t\r\n\x01 \n") << false << QString();
    QTest::newRow("Windows path") << QByteArray("C:\\Juegos\\portada2.jpg") << true
                                  << QStringLiteral("C:\\Juegos\\portada2.jpg");
    QTest::newRow("surrounding spaces kept")
        << QByteArray(" /img/a.jpg ") << true << QStringLiteral(" /img/a.jpg ");
    QTest::newRow("final line break kept")
        << QByteArray("/img/a.jpg\r\n") << true << QStringLiteral("/img/a.jpg\r\n");
    QTest::newRow("Windows-1252") << QByteArray("/im\xE1genes/a\xF1o.jpg") << true
                                  << QStringLiteral("/imágenes/año.jpg");
    QTest::newRow("UTF-8 with a mark")
        << QByteArray("\xEF\xBB\xBF") + QStringLiteral("/imágenes/Győr.jpg").toUtf8() << true
        << QStringLiteral("/imágenes/Győr.jpg");
}

void SettingsTest::readsPathFiles() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, present);
    QFETCH(QString, path);
    TempProgramFolder folder;
    if (!bytes.isNull()) {
        folder.writeBytes(QStringLiteral("Config/Marco.txt"), bytes);
    }

    const std::optional<QString> read = readPathFile(programPath(kFrameFile));

    QCOMPARE(read.has_value(), present);
    QCOMPARE(read.value_or(QString()), path);
}

void SettingsTest::coverAndFrameFiles() {
    TempProgramFolder folder;
    GameSettings s = readGameSettings();
    QVERIFY(!s.coverImage);
    QVERIFY(!s.frameImage);

    // A blank cover file names the program's own cover; a blank frame file an empty path.
    folder.writeBytes(QStringLiteral("Config/Portada.txt"), " \r\n");
    folder.writeBytes(QStringLiteral("Config/Marco.txt"), "");
    s = readGameSettings();
    QCOMPARE(s.coverImage, programPath(QStringLiteral("Imagen/Titles/portada1.jpg")));
    QCOMPARE(s.frameImage, QString());

    folder.writeBytes(QStringLiteral("Imagen/Titles/portada.jpg"), "jpeg");
    QCOMPARE(readGameSettings().coverImage,
             programPath(QStringLiteral("Imagen/Titles/portada.jpg")));

    writePathFile(programPath(kCoverFile), QStringLiteral("C:\\Portadas\\año.jpg"));
    writePathFile(programPath(kFrameFile), QStringLiteral("C:\\Marcos\\marco2.bmp"));
    s = readGameSettings();
    QCOMPARE(s.coverImage, QStringLiteral("C:\\Portadas\\año.jpg"));
    QCOMPARE(s.frameImage, QStringLiteral("C:\\Marcos\\marco2.bmp"));
}

void SettingsTest::roundFolderSetting_data() {
    // %1 is the program folder; null: no file.
    columns<QString, bool, bool>("stored", "taken", "reported");

    QTest::newRow("no file") << QString() << false << false;
    QTest::newRow("existing folder") << QStringLiteral("%1/Otras rondas") << true << false;
    QTest::newRow("existing folder, backslashes")
        << QStringLiteral("%1\\Otras rondas") << true << false;
    QTest::newRow("accented folder") << QStringLiteral("%1/Música") << true << false;
    QTest::newRow("missing folder") << QStringLiteral("%1/Falta") << false << true;
    QTest::newRow("only spaces") << QStringLiteral("   ") << false << false;
    QTest::newRow("ends in a line break") << QStringLiteral("%1/Otras rondas\r\n") << false << true;
    QTest::newRow("names a file") << QStringLiteral("%1/Config/RondaDir.txt") << false << true;
}

void SettingsTest::roundFolderSetting() {
    QFETCH(QString, stored);
    QFETCH(bool, taken);
    QFETCH(bool, reported);
    TempProgramFolder folder;
    for (const QString& name : {QStringLiteral("Otras rondas"), QStringLiteral("Música")}) {
        QDir(folder.path()).mkpath(name);
        SaveRoundCard(folder.file(name), RoundKind::Normal, 1, QStringLiteral("En ") + name, {"A"},
                      {"100"});
    }
    SaveRoundCard(folder.file(QStringLiteral("Rondas")), RoundKind::Normal, 1,
                  QStringLiteral("En Rondas"), {"A"}, {"100"});
    QString text = stored;
    if (!stored.isNull()) {
        QString base = folder.path();
        if (stored.contains('\\')) {
            base.replace('/', '\\');
        }
        text = stored.contains(QLatin1String("%1")) ? stored.arg(base) : stored;
        writePathFile(programPath(kRoundFolderFile), text);
    }

    const QString resolved = ResolveRoundFolder(programFolder());

    QCOMPARE(resolved, taken ? text : programPath(QStringLiteral("Rondas")));
    QStringList problems;
    QCOMPARE(readGameSettings(nullptr, &problems).roundFolderPath, resolved);
    // A folder that is named but missing is said, naming it.
    QCOMPARE(problems.size(), reported ? 1 : 0);
    if (reported) {
        QVERIFY(problems.constFirst().contains(text));
    }
    const auto rounds = ListRounds(resolved, RoundKind::Normal);
    QCOMPARE(rounds.size(), 1);
    QCOMPARE(rounds.constFirst().second,
             QStringLiteral("En ") + QDir(normalizeSeparators(resolved)).dirName());
}

void SettingsTest::storedPathsFromAnotherComputer_data() {
    // "local": below the program folder; empty: the stored path.
    columns<QString, QString>("stored", "local");
    row("Windows drive, below Imagen", "C:\\Show\\Imagen\\Titles\\portada3.jpg",
        "Imagen/Titles/portada3.jpg");
    row("another disk, below Audio", "/media/usb/VELTA/audio/EFFECTS/Aplausos.mp3",
        "Audio/EFFECTS/Aplausos.mp3");
    row("a rounds folder", "D:\\Concurso\\RondasNavidad", "RondasNavidad");
    row("missing here too", "C:\\Show\\Imagen\\Titles\\nada.jpg", "");
    row("no folder of the program", "C:\\Concurso\\portada.jpg", "");
    row("ends in a line break", "C:\\Show\\Imagen\\Titles\\portada3.jpg\r\n", "");
}

// A show folder copied to another computer keeps its pictures and questions.
void SettingsTest::storedPathsFromAnotherComputer() {
    QFETCH(QString, stored);
    QFETCH(QString, local);
    TempProgramFolder folder;
    folder.writeBytes(QStringLiteral("Imagen/Titles/portada3.jpg"), "jpg");
    folder.writeBytes(QStringLiteral("Audio/EFFECTS/Aplausos.mp3"), "mp3");
    QDir(folder.path()).mkpath(QStringLiteral("RondasNavidad"));
    QCOMPARE(portablePath(stored), local.isEmpty() ? stored : programPath(local));
    // Paths that exist are taken as they are.
    QCOMPARE(portablePath(folder.file(QStringLiteral("Imagen/Titles/portada3.jpg"))),
             folder.file(QStringLiteral("Imagen/Titles/portada3.jpg")));
}

void SettingsTest::settingsComeFromTheProgramFolder() {
    TempProgramFolder folder;
    folder.writeBytes(QStringLiteral("Config/Titulo.txt"), "Del programa\r\n");
    QTemporaryDir elsewhere;
    QDir(elsewhere.path()).mkpath(QStringLiteral("Config"));
    QDir(elsewhere.path()).mkpath(QStringLiteral("Rondas2"));
    for (const auto& [name, bytes] :
         {std::pair{"Config/Titulo.txt", QByteArray("Del actual\r\n")},
          std::pair{"Config/RondaDir.txt", elsewhere.filePath(QStringLiteral("Rondas2")).toUtf8()},
          std::pair{"dt.cfg", QByteArray("1")}}) {
        QVERIFY(test::writeFile(elsewhere.filePath(QLatin1String(name)), bytes));
    }
    QDir::setCurrent(elsewhere.path());

    const GameSettings s = readGameSettings();
    setMarker(kHideQuestionMarker, true);

    QCOMPARE(s.title, QStringLiteral("Del programa"));
    QCOMPARE(s.roundFolderPath, programPath(QStringLiteral("Rondas")));
    QVERIFY(s.multipliersInNormal);
    QVERIFY(QFile::exists(folder.file(kHideQuestionMarker)));
    QVERIFY(!QFile::exists(elsewhere.filePath(kHideQuestionMarker)));
}

void SettingsTest::markers_data() {
    QTest::addColumn<QString>("marker");
    for (const QString& marker : kMarkers) {
        QTest::newRow(qPrintable(marker)) << marker;
    }
}

void SettingsTest::markers() {
    QFETCH(QString, marker);
    TempProgramFolder folder;
    const auto others = [&](const GameSettings& s) {
        for (const QString& other : kMarkers) {
            if (other != marker && option(s, other) != defaultOption(other)) {
                return false;
            }
        }
        return true;
    };
    QCOMPARE(option(readGameSettings(), marker), defaultOption(marker));

    setMarker(marker, true);
    QVERIFY(QFile::exists(folder.file(marker)));
    QVERIFY(markerPresent(marker));
    GameSettings s = readGameSettings();
    QCOMPARE(option(s, marker), !defaultOption(marker));
    QVERIFY(others(s));

    // Present already: left alone, whatever it holds.
    folder.writeBytes(marker, "lo que sea");
    setMarker(marker, true);
    QCOMPARE(folder.readBytes(marker), QByteArray("lo que sea"));

    setMarker(marker, false);
    QVERIFY(!QFile::exists(folder.file(marker)));
    QVERIFY(!markerPresent(marker));
    QCOMPARE(option(readGameSettings(), marker), defaultOption(marker));
    setMarker(marker, false);
    QVERIFY(!markerPresent(marker));
}

void SettingsTest::fixedColours() {
    const QList<std::pair<QString, QRgb>> table{
        {"Aqua", 0x00FFFF},    {"Black", 0x000000},      {"Blue", 0x0000FF},
        {"Cream", 0xFFFBF0},   {"Fuchsia", 0xFF00FF},    {"Gray", 0x808080},
        {"Green", 0x008000},   {"Lime", 0x00FF00},       {"Maroon", 0x800000},
        {"MedGray", 0xA0A0A4}, {"MoneyGreen", 0xC0DCC0}, {"Navy", 0x000080},
        {"Olive", 0x808000},   {"Purple", 0x800080},     {"Red", 0xFF0000},
        {"Silver", 0xC0C0C0},  {"SkyBlue", 0xA6CAF0},    {"Teal", 0x008080},
        {"White", 0xFFFFFF},   {"Yellow", 0xFFFF00}};

    QStringList names;
    for (const auto& [name, rgb] : table) {
        names << name;
        for (const QString& spelling : {name, name.toLower(), name.toUpper()}) {
            const auto found = lookupColour(spelling);
            QVERIFY2(found, qPrintable(spelling));
            QCOMPARE(found->name, name);
            QCOMPARE(found->colour.rgb() & 0xFFFFFF, rgb);
        }
    }
    QCOMPARE(colourListNames(), names);
}

void SettingsTest::desktopRolesFollowThePalette() {
    const QPalette original = QGuiApplication::palette();
    for (const QString& role : kDesktopRoles + QStringList{"Default", "None"}) {
        const auto found = lookupColour(role.toLower());
        QVERIFY2(found, qPrintable(role));
        QCOMPARE(found->name, role);
        QCOMPARE(found->colour.isValid(),
                 role != QLatin1String("Default") && role != QLatin1String("None"));
    }

    QPalette themed = original;
    themed.setColor(QPalette::Link, QColor(0x12, 0x34, 0x56));
    themed.setColor(QPalette::Base, QColor(0x65, 0x43, 0x21));
    QGuiApplication::setPalette(themed);
    const auto hotLight = lookupColour(QStringLiteral("HotLight"));
    const auto window = lookupColour(QStringLiteral("WINDOW"));
    QGuiApplication::setPalette(original);

    QCOMPARE(hotLight->colour, QColor(0x12, 0x34, 0x56));
    QCOMPARE(window->colour, QColor(0x65, 0x43, 0x21));
}

void SettingsTest::namesOutsideTheTable() {
    for (const QString& name : QStringList{"Rojo", "clRed", "", "Red2", "Hot Light", "Gradient"}) {
        QVERIFY2(!lookupColour(name), qPrintable(name));
    }
}

QTEST_MAIN(SettingsTest)
#include "tst_settings.moc"
