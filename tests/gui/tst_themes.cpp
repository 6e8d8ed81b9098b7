// Whole set-ups in one step: game versions saved and loaded from the control window, and
// the theme dialog with its thirteen shipped themes, "Crear mi propia version" and the
// first-start prompt.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "ConsoleFixture.h"
#include "StartupFixture.h"
#include "editing/GameSettings.h"
#include "editing/Presets.h"
#include "editing/Utemas.h"
#include "platform/ProgramFolder.h"

using namespace velta;
using velta::test::ConsoleFixture;
using velta::test::lineFile;

namespace {

// The shipped covers, from the program folder the build lays out.
void copyCovers(const ConsoleFixture& f) {
    const QDir titles(qEnvironmentVariable("VELTA_PROGRAM_DIR") + QStringLiteral("/Imagen/Titles"));
    QVERIFY2(!titles.entryList({QStringLiteral("portada*.jpg")}).isEmpty(),
             "VELTA_PROGRAM_DIR must name the built program folder, as CTest sets it");
    for (const QString& name : titles.entryList({QStringLiteral("portada*.jpg")})) {
        QFile file(titles.filePath(name));
        QVERIFY(file.open(QIODevice::ReadOnly));
        f.folder.writeBytes(QStringLiteral("Imagen/Titles/") + name, file.readAll());
    }
}

// A rounds folder of two cards whose questions name it.
void writeRoundsFolder(const ConsoleFixture& f, const QString& name) {
    for (int n = 1; n <= 2; ++n) {
        f.folder.writeBytes(QStringLiteral("%1/ronda%2.txt").arg(name).arg(n),
                            QStringLiteral("%1 %2\r\nA,60\r\nB,40").arg(name).arg(n).toLatin1());
    }
}

}  // namespace

class ThemesTest : public velta::test::ConsoleTestCase {
    Q_OBJECT

  private Q_SLOTS:
    void init();

    void versionRoundTrip();
    void versionLines_data();
    void versionLines();
    void loadingInTheGameViewRestartsTheSet();
    void shippedThemes_data();
    void shippedThemes();
    void presetWithMissingParts();
    void setUpThatCannotBeStored_data();
    void setUpThatCannotBeStored();
    void ownVersion();
    void firstStartPrompt_data();
    void firstStartPrompt();
    void themeKeyOnBothWindows();
    void screenshots();

  private:
    TFtemas* dialog() { return f().console->findChild<TFtemas*>(); }
    void acceptTheme(int index) {
        QVERIFY(dialog());
        dialog()->findChild<QRadioButton*>(QStringLiteral("RadioEntry%1").arg(index))->click();
        QTest::mouseClick(dialog()->findChild<QPushButton*>(QStringLiteral("Button1")),
                          Qt::LeftButton);
    }
};

void ThemesTest::init() {
    fresh(3);
}

// Saving writes the fields as they stand, typing not yet saved included, and touches no
// setting; loading applies and stores every line.
void ThemesTest::versionRoundTrip() {
    copyCovers(f());
    writeRoundsFolder(f(), QStringLiteral("RondasGala"));
    QVERIFY(f().startWithConsole());
    f().find<QLineEdit>("ETitulo")->setText(QStringLiteral("Gran Gala"));
    f().find<QComboBox>("CBColorTitulo")->setCurrentText(QStringLiteral("Yellow"));
    f().find<QLineEdit>("Edit20")->setText(QStringLiteral("Rojos"));
    const QString file = f().folder.file(QStringLiteral("Config/Gran Gala.vlt"));
    f().dialogs.files << file;
    click("BGuardarVersion");
    QCOMPARE(f().dialogs.shown.constLast(),
             QStringLiteral("save: Guardar versión actual | ") +
                 programPath(QStringLiteral("Config")) +
                 QStringLiteral(" | Gran Gala | Archivo del juego (*.vlt) | vlt"));
    QCOMPARE(f().folder.readBytes(QStringLiteral("Config/Gran Gala.vlt")),
             lineFile({"Gran Gala", "Yellow", "Window", "", "Rojos", "Los Púrpuras",
                       programPath(QStringLiteral("Rondas"))}));
    QVERIFY(!QFile::exists(f().folder.file(kTitleFile)));
    QCOMPARE(board().Label18->text(), QStringLiteral("Veltarama"));

    const QString cover = f().folder.file(QStringLiteral("Imagen/Titles/portada3.jpg"));
    f().folder.writeBytes(QStringLiteral("Config/otra.vlt"),
                          lineFile({"Noche Azul", "navy", "Silver", cover, "Azules", "",
                                    f().folder.file(QStringLiteral("RondasGala"))}));
    f().dialogs.files << f().folder.file(QStringLiteral("Config/otra.vlt"));
    click("BCargarVersion");
    QCOMPARE(board().Label18->text(), QStringLiteral("Noche Azul"));
    QCOMPARE(board().Edit16->text(), QStringLiteral("Azules"));
    QCOMPARE(board().Edit17->text(), QStringLiteral("Los Púrpuras"));  // empty line: kept
    QCOMPARE(board().Image2->image().size(), QSize(1096, 601));
    QCOMPARE(f().folder.readBytes(kTitleFile), lineFile({"Noche Azul", "navy", "Silver"}));
    QCOMPARE(f().folder.readBytes(kTeamsFile), QByteArray("Azules\r\nLos P\xFArpuras\r\n"));
    QCOMPARE(f().folder.readBytes(kCoverFile), QFile::encodeName(cover));
    QCOMPARE(board()->roundFolder(), f().folder.file(QStringLiteral("RondasGala")));
    QCOMPARE(f().find<QLineEdit>("Edit1")->text(), QStringLiteral("RondasGala 1"));
    QCOMPARE(f().find<QComboBox>("CBColorTitulo")->currentText(), QStringLiteral("Navy"));
    QVERIFY(f().dialogs.notices().isEmpty());
}

void ThemesTest::versionLines_data() {
    QTest::addColumn<QStringList>("version");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("named");  // the lines the message names
    QTest::newRow("an eighth line is ignored")
        << QStringList{"Ocho", "", "", "", "", "", "", "Basura"} << "Ocho" << QStringList{};
    QTest::newRow("fewer lines load what they have")
        << QStringList{"Dos"} << "Dos" << QStringList{};
    QTest::newRow("three lines that cannot be applied")
        << QStringList{"Mala", "Rojito", "Black", "%1/Fotos/roto.jpg", "Uno", "Dos", "%1/NoExiste"}
        << "Mala" << QStringList{"Línea 2", "Línea 4", "Línea 7"};
    QTest::newRow("paths relative to the program folder")
        << QStringList{"Relativa", "", "", "Fotos/bien.jpg", "", "", "RondasGala"} << "Relativa"
        << QStringList{};
}

void ThemesTest::versionLines() {
    QFETCH(QStringList, version);
    QFETCH(QString, title);
    QFETCH(QStringList, named);
    f().folder.writeBytes(QStringLiteral("Fotos/roto.jpg"), "no picture");
    f().folder.writeBytes(QStringLiteral("Fotos/bien.jpg"),
                          velta::test::pictureFile(QSize(300, 200), "JPG"));
    writeRoundsFolder(f(), QStringLiteral("RondasGala"));
    QVERIFY(f().startWithConsole());
    for (QString& line : version) {
        line = line.arg(f().folder.path());
    }
    f().folder.writeBytes(QStringLiteral("v.vlt"), lineFile(version));
    f().dialogs.files << f().folder.file(QStringLiteral("v.vlt"));
    click("BCargarVersion");
    QCOMPARE(board().Label18->text(), title);
    if (named.isEmpty()) {
        QVERIFY(f().dialogs.notices().isEmpty());
    } else {
        QCOMPARE(f().dialogs.notices().size(), 1);
        for (const QString& line : named) {
            QVERIFY2(f().dialogs.notices().constFirst().contains(line), qPrintable(line));
        }
        // The other lines loaded; the missing folder was not stored.
        QCOMPARE(board().Edit16->text(), QStringLiteral("Uno"));
        QVERIFY(!QFile::exists(f().folder.file(kRoundFolderFile)));
        QVERIFY(!QFile::exists(f().folder.file(kCoverFile)));
        QCOMPARE(f().folder.readBytes(kTitleFile), lineFile({"Mala", "HotLight", "Black"}));
    }
    if (title == QLatin1String("Relativa")) {
        QCOMPARE(board().Image2->image().size(), QSize(300, 200));
        QCOMPARE(board()->roundFolder(), programPath(QStringLiteral("RondasGala")));
    }
}

// Loaded while the game shows, the set restarts on its first question; loaded over the
// cover, no question starts.
void ThemesTest::loadingInTheGameViewRestartsTheSet() {
    writeRoundsFolder(f(), QStringLiteral("RondasGala"));
    f().folder.writeBytes(QStringLiteral("v.vlt"),
                          lineFile({"", "", "", "", "", "", f().folder.file("RondasGala")}));
    QVERIFY(f().startWithConsole());
    f().dialogs.files << f().folder.file(QStringLiteral("v.vlt"));
    click("BCargarVersion");
    QVERIFY(board().Image2->isVisible());
    QCOMPARE(board()->state().RoundNumber, 0);
    f().type("ss");
    QCOMPARE(board().Label16->text(), QStringLiteral("RondasGala 2"));
    f().dialogs.files << f().folder.file(QStringLiteral("v.vlt"));
    click("BCargarVersion");
    QCOMPARE(board().Label16->text(), QStringLiteral("RondasGala 1"));
    QCOMPARE(board()->state().RoundNumber, 1);
}

void ThemesTest::shippedThemes_data() {
    QTest::addColumn<int>("index");
    for (int i = 1; i < velta::presets().size(); ++i) {
        QTest::newRow(qPrintable(velta::presets()[i].entry)) << i;
    }
}

// Each shipped theme: its title (the colours in force kept), its cover and its folder, on
// the board at once and in the settings files; the next S starts its first question.
void ThemesTest::shippedThemes() {
    QFETCH(int, index);
    const Preset& preset = velta::presets()[index];
    copyCovers(f());
    writeRoundsFolder(f(), preset.roundFolder);
    f().folder.writeBytes(kTitleFile, "Viejo\r\nRed\r\nBlack\r\n");
    f().folder.writeBytes(kThemeMarker, "1");  // no first-start prompt over the test
    QVERIFY(f().startWithConsole());
    f().type("ss");
    f().press('j');
    QVERIFY(dialog()->isVisible());
    acceptTheme(index);
    QVERIFY(!dialog()->isVisible());
    QCOMPARE(board().Label18->text(), preset.entry);
    QCOMPARE(f().folder.readBytes(kTitleFile).split('\r').value(1), QByteArray("\nRed"));
    const QString cover =
        programPath(QStringLiteral("Imagen/Titles/portada%1.jpg").arg(preset.cover));
    QCOMPARE(normalizeSeparators(QString::fromLatin1(f().folder.readBytes(kCoverFile))), cover);
    QCOMPARE(board().Image2->image().size(), QSize(1096, 601));
    QCOMPARE(board()->roundFolder(), programPath(preset.roundFolder));
    QVERIFY(QFile::exists(f().folder.file(kThemeMarker)));
    QVERIFY(f().dialogs.notices().isEmpty());
    f().press('s');
    QCOMPARE(board().Label16->text(), preset.roundFolder + QStringLiteral(" 1"));
}

// A missing cover and folder are named in one message; the title still applies, and with no
// title file one is written with the colours in force.
void ThemesTest::presetWithMissingParts() {
    QVERIFY(f().startWithConsole());
    f().press('j');
    acceptTheme(3);
    QCOMPARE(f().dialogs.notices().size(), 1);
    QVERIFY(f().dialogs.notices().constFirst().contains(QStringLiteral("portada3.jpg")));
    QVERIFY(f().dialogs.notices().constFirst().contains(QStringLiteral("RondasOficina")));
    QCOMPARE(board().Label18->text(), velta::presets()[3].entry);
    QCOMPARE(f().folder.readBytes(kTitleFile),
             lineFile({velta::presets()[3].entry, "HotLight", "Window"}));
    QVERIFY(!QFile::exists(f().folder.file(kCoverFile)));
    QCOMPARE(board()->roundFolder(), programPath(QStringLiteral("Rondas")));
}

void ThemesTest::setUpThatCannotBeStored_data() {
    QTest::addColumn<bool>("theme");  // else a version
    QTest::addColumn<QString>("blocked");
    QTest::newRow("version, team names") << false << kTeamsFile;
    QTest::newRow("theme, rounds folder") << true << kRoundFolderFile;
}

// A set-up with a settings file that cannot be written (a folder in its place) is refused
// whole: the files written before it are put back, the board and the game stay as they
// were, and one message names the file.
void ThemesTest::setUpThatCannotBeStored() {
    QFETCH(bool, theme);
    QFETCH(QString, blocked);
    const Preset& preset = velta::presets()[1];
    copyCovers(f());
    writeRoundsFolder(f(), preset.roundFolder);
    const QByteArray title("Viejo\r\nRed\r\nBlack\r\n");
    f().folder.writeBytes(kTitleFile, title);
    f().folder.writeBytes(kThemeMarker, "1");
    f().folder.writeBytes(QStringLiteral("Config/otra.vlt"),
                          lineFile({"Noche Azul", "navy", "Silver",
                                    f().folder.file(QStringLiteral("Imagen/Titles/portada3.jpg")),
                                    "Azules", "", f().folder.file(preset.roundFolder)}));
    QVERIFY(f().startWithConsole());
    f().type("ss");
    const QImage cover = board().Image2->image();
    QVERIFY(QDir().mkpath(f().folder.file(blocked)));
    if (theme) {
        f().press('j');
        acceptTheme(1);
    } else {
        f().dialogs.files << f().folder.file(QStringLiteral("Config/otra.vlt"));
        click("BCargarVersion");
    }
    QCOMPARE(f().dialogs.errors().size(), 1);
    const QString error = f().dialogs.errors().constFirst();
    QVERIFY2(error.contains(f().folder.file(blocked)), qPrintable(error));
    QVERIFY2(error.contains(QStringLiteral("no se cambió ningún ajuste")), qPrintable(error));
    QCOMPARE(f().folder.readBytes(kTitleFile), title);
    QVERIFY(!QFile::exists(f().folder.file(kCoverFile)));
    QVERIFY(!QFile::exists(f().folder.file(theme ? kTeamsFile : kRoundFolderFile)));
    QCOMPARE(board().Label18->text(), QStringLiteral("Viejo"));
    QCOMPARE(board().Edit16->text(), QStringLiteral("Los Verdes"));
    QCOMPARE(board().Image2->image(), cover);
    QCOMPARE(board()->roundFolder(), programPath(QStringLiteral("Rondas")));
    QCOMPARE(board()->state().RoundNumber, 2);
    QCOMPARE(board().Label16->text(), QStringLiteral("Pregunta 2"));
    QCOMPARE(f().find<QLineEdit>("ETitulo")->text(), QStringLiteral("Viejo"));
}

// "Crear mi propia version": the folder "MisRondas", then a moment later the console on
// question 1, the pointer at the folder button and the title field asking for a title.
void ThemesTest::ownVersion() {
    f().folder.writeRound(1, QStringLiteral("Mía 1"), velta::test::standardAnswers());
    QDir(f().folder.path()).mkpath(QStringLiteral("MisRondas"));
    f().folder.writeBytes(QStringLiteral("MisRondas/ronda1.txt"), "Propia\r\nA,100");
    QVERIFY(f().startBoth());
    f().board->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f().board.get()));
    f().board->parkFocus();
    f().type("ss");
    f().press('j');
    acceptTheme(0);
    QCOMPARE(board()->roundFolder(), programPath(QStringLiteral("MisRondas")));
    QVERIFY(board().Timer11->isActive());
    QVERIFY(QMetaObject::invokeMethod(board().Timer11, "timeout"));
    QTRY_VERIFY(f().console->isVisible());
    QVERIFY(f().find<QWidget>("Image18")->isVisible());
    QCOMPARE(f().find<QLineEdit>("Edit1")->text(), QStringLiteral("Propia"));
    auto* title = f().find<QLineEdit>("ETitulo");
    QVERIFY(title->text().isEmpty());
    QCOMPARE(title->placeholderText(), QStringLiteral("Cambiar título, portada y guardar"));
    // Saving the colours keeps the title in force: the prompt is never stored.
    click("BGuardarTitulo");
    QCOMPARE(f().folder.readBytes(kTitleFile), lineFile({"Veltarama", "HotLight", "Window"}));
    f().press('s');
    QCOMPARE(board().Label16->text(), QStringLiteral("Propia"));
    // Choosing a folder takes the pointer away.
    f().dialogs.files << QString();
    click("BCarpeta");
    QVERIFY(!f().find<QWidget>("Image18")->isVisible());
}

void ThemesTest::firstStartPrompt_data() {
    QTest::addColumn<bool>("marker");
    QTest::newRow("first start") << false;
    QTest::newRow("a theme was accepted before") << true;
}

// A show with a title file and no cover of its own offers the themes at its first start;
// the marker is looked for in the program folder, whatever the current folder.
void ThemesTest::firstStartPrompt() {
    QFETCH(bool, marker);
    f().folder.writeBytes(kTitleFile, "Veltarama\r\nHotLight\r\nWindow\r\n");
    if (marker) {
        f().folder.writeBytes(kThemeMarker, "1");
    }
    QTemporaryDir elsewhere;
    QDir::setCurrent(elsewhere.path());
    QVERIFY(f().startBoth());
    QVERIFY(board().Timer7->isActive());
    QVERIFY(QMetaObject::invokeMethod(board().Timer7, "timeout"));
    QCOMPARE(dialog() && dialog()->isVisible(), !marker);
    if (!marker) {
        QVERIFY(dialog()->findChild<QRadioButton*>(QStringLiteral("RadioEntry1"))->isChecked());
        auto* choice = dialog()->findChild<QCheckBox*>(QStringLiteral("CheckBox1"));
        QVERIFY(choice->isVisible() && choice->isChecked() && !choice->isEnabled());
        QTest::mouseClick(dialog()->findChild<QPushButton*>(QStringLiteral("Button2")),
                          Qt::LeftButton);  // Salir
        QVERIFY(!dialog()->isVisible());
        QVERIFY(!QFile::exists(f().folder.file(kThemeMarker)));
    }
}

void ThemesTest::themeKeyOnBothWindows() {
    QVERIFY(f().startWithConsole());
    f().press('j');
    QVERIFY(dialog()->isVisible());
    QTest::mouseClick(dialog()->findChild<QPushButton*>(QStringLiteral("Button2")), Qt::LeftButton);
    f().console->close();
    f().board->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f().board.get()));
    f().board->parkFocus();
    f().press('j');
    QVERIFY(dialog()->isVisible());
}

void ThemesTest::screenshots() {
    copyCovers(f());
    for (const Preset& preset : velta::presets()) {
        writeRoundsFolder(f(), preset.roundFolder);
    }
    f().folder.writeBytes(kTitleFile, "Veltarama\r\nHotLight\r\nWindow\r\n");
    f().folder.writeBytes(kThemeMarker, "1");
    QVERIFY(f().startWithConsole());
    f().press('j');
    dialog()->findChild<QRadioButton*>(QStringLiteral("RadioEntry12"))->click();
    QVERIFY(velta::test::saveScreenshot(dialog(), QStringLiteral("theme_dialog.png")));
    for (const int index : {12, 9, 13}) {
        f().press('j');
        acceptTheme(index);
        QVERIFY(velta::test::saveScreenshot(f().board.get(),
                                            QStringLiteral("theme_%1.png").arg(index)));
    }
}

QTEST_MAIN(ThemesTest)
#include "tst_themes.moc"
