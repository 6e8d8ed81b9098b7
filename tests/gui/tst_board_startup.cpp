// The board window's start-up: the cover screen it opens on, and what the title, team-name
// and rounds-folder settings and the option markers change, blank and missing cases included.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "StartupFixture.h"
#include "art/Art.h"
#include "board/Uvelta.h"
#include "editing/Colours.h"
#include "platform/ProgramFolder.h"

using namespace velta;
using velta::test::BoardView;

namespace {

QColor tableColour(const char* name) {
    return lookupColour(QLatin1String(name))->colour;
}

QColor textColour(const QWidget* w, QPalette::ColorRole role) {
    return w->palette().color(role);
}

// Whether the widget, drawn, shows at least one pixel of exactly this colour.
bool draws(QWidget* w, const QColor& colour) {
    const QImage image = w->grab().toImage();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y).rgb() == colour.rgb()) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

class BoardStartupTest : public test::StartupFixture {
    Q_OBJECT

  private Q_SLOTS:
    void opensOnTheCoverScreen();
    void timersStartAsDefined_data();
    void timersStartAsDefined();
    void savesTheCoverScreenForReview();
    void titleFile_data();
    void titleFile();
    void unknownColourIsReportedAndStartGoesOn_data();
    void unknownColourIsReportedAndStartGoesOn();
    void teamNamesFileAndNameSize_data();
    void teamNamesFileAndNameSize();
    void roundFolderFile_data();
    void roundFolderFile();
    void optionMarkers();
    void unreadableSettingIsNamedOnceAndStartGoesOn_data();
    void unreadableSettingIsNamedOnceAndStartGoesOn();
};

void BoardStartupTest::opensOnTheCoverScreen() {
    BoardView board(start());
    QVERIFY(board->isSingleInstance());
    QCOMPARE(board->windowTitle(), QStringLiteral("VELTA"));
    QCOMPARE(board.Label18->text(), QStringLiteral("Veltarama"));
    QCOMPARE(textColour(board.Label18, QPalette::WindowText), tableColour("HotLight"));
    QCOMPARE(board->palette().color(QPalette::Window), tableColour("Window"));
    QCOMPARE(board.Edit16->text(), QStringLiteral("Los Verdes"));
    QCOMPARE(board.Edit17->text(), QStringLiteral("Los Púrpuras"));
    QCOMPARE(textColour(board.Edit16, QPalette::Text), tableColour("HotLight"));
    QCOMPARE(board.Edit16->font().pointSize(), 16);
    QCOMPARE(board.Edit17->font().pointSize(), 16);

    const QList<QWidget*> shownAtStart{board.Image2, board.Label18, board.Panel22,
                                       board.SpeedButton3, board.Panel17};
    for (QWidget* shown : shownAtStart) {
        QVERIFY2(shown->isVisible(), qPrintable(shown->objectName()));
    }
    const QList<QWidget*> hiddenAtStart{board.Panel1, board.Image13, board.Image15, board.Edit16,
                                        board.Edit17, board.Panel2,  board.Panel3,  board.Panel4,
                                        board.Panel5, board.Panel9,  board.Panel11, board.Panel14,
                                        board.Panel18};
    for (QWidget* hidden : hiddenAtStart) {
        QVERIFY2(hidden->isHidden(), qPrintable(hidden->objectName()));
    }
    QVERIFY(!board.SpeedButton9->isEnabled());
    QVERIFY(board.SpeedButton3->isEnabled());
    QCOMPARE(board.Label22->text(), QStringLiteral("V" VELTA_VERSION));
    QVERIFY(board.Label53->text().isEmpty());
    QCOMPARE(board.Label17->text(), QStringLiteral("00"));
    QCOMPARE(board.Label16->text(), QStringLiteral("?"));
    QCOMPARE(board->roundFolder(), programPath(QStringLiteral("Rondas")));
    QCOMPARE(board->state().RoundNumber, 0);
    QVERIFY(board->settings().multipliersInNormal);
    QVERIFY(!board->settings().accumulateInEasy);
    QVERIFY(!board->settings().hideQuestion);
    QCOMPARE(board.Image2->image().size(), QSize(1096, 601));  // the built-in cover
    QCOMPARE(fixture_->dialogs.shown, QStringList());
}

void BoardStartupTest::timersStartAsDefined_data() {
    QTest::addColumn<int>("interval");
    QTest::addColumn<bool>("active");
    QTest::newRow("Timer1") << 3000 << false;
    QTest::newRow("Timer2") << 500 << true;
    QTest::newRow("Timer3") << 10000 << false;
    QTest::newRow("Timer7") << 100 << false;
    QTest::newRow("Timer9") << 5000 << false;
    QTest::newRow("Timer10") << 1000 << false;
    QTest::newRow("Timer11") << 100 << false;
    QTest::newRow("Timer12") << 1000 << true;
    QTest::newRow("Timer13") << 1000 << false;
    QTest::newRow("Timer14") << 500 << true;
    QTest::newRow("Timer15") << 1500 << false;
}

void BoardStartupTest::timersStartAsDefined() {
    QFETCH(int, interval);
    QFETCH(bool, active);
    BoardView board(start());
    const auto* timer = board->findChild<QTimer*>(QLatin1String(QTest::currentDataTag()));
    QVERIFY(timer);
    QCOMPARE(timer->interval(), interval);
    QCOMPARE(timer->isActive(), active);
}

void BoardStartupTest::savesTheCoverScreenForReview() {
    BoardView board(start());
    QVERIFY(QTest::qWaitForWindowExposed(&board.board));
    const QImage shot = board->grab().toImage();
    QCOMPARE(shot.size(), QSize(1156, 698));
    QVERIFY(test::saveScreenshot(shot, QStringLiteral("cover.png")));
}

void BoardStartupTest::titleFile_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("titleColour");
    QTest::addColumn<QString>("background");
    const auto row = [](const char* tag, const QByteArray& file, const char* title,
                        const char* titleColour, const char* background) {
        QTest::newRow(tag) << file << QString(title) << QString(titleColour) << QString(background);
    };
    row("title only", test::lineFile({QStringLiteral("Mi Juego")}), "Mi Juego", "HotLight",
        "Window");
    row("colour only", test::lineFile({QString(), QStringLiteral("Navy")}), "Veltarama", "Navy",
        "Window");
    row("all three", test::lineFile({"Mi Juego", "Red", "Black"}), "Mi Juego", "Red", "Black");
    row("other case, no final break", "Fiesta \xF1 1\r\nnavy\r\nyellow", "Fiesta ñ 1", "Navy",
        "Yellow");
    row("blank file", QByteArray(), "Veltarama", "HotLight", "Window");
}

void BoardStartupTest::titleFile() {
    QFETCH(QByteArray, file);
    QFETCH(QString, title);
    QFETCH(QString, titleColour);
    QFETCH(QString, background);
    fixture_->folder.writeBytes(QStringLiteral("Config/Titulo.txt"), file);
    BoardView board(start());

    const QColor ink = lookupColour(titleColour)->colour;
    const QColor ground = lookupColour(background)->colour;
    QCOMPARE(board.Label18->text(), title);
    QCOMPARE(textColour(board.Label18, QPalette::WindowText), ink);
    QCOMPARE(textColour(board.Edit16, QPalette::Text), ink);
    QCOMPARE(textColour(board.Edit17, QPalette::Text), ink);
    QVERIFY(draws(board.SpeedButton3, ink));
    QVERIFY(draws(board.SpeedButton12, ink));
    QCOMPARE(board->palette().color(QPalette::Window), ground);
    QCOMPARE(board.Panel5->palette().color(QPalette::Window), ground);
    QCOMPARE(board.Panel17->palette().color(QPalette::Window), ground);
    // A title file without "Imagen\Titles\portada.jpg" is a first start: the theme prompt.
    QVERIFY(board.Timer7->isActive());
    QCOMPARE(fixture_->dialogs.shown, QStringList());
}

void BoardStartupTest::unknownColourIsReportedAndStartGoesOn_data() {
    QTest::addColumn<QStringList>("title");
    QTest::addColumn<QStringList>("named");  // "line:name" for each name reported
    QTest::addColumn<QString>("background");
    QTest::newRow("title colour") << QStringList{"Mi Juego", "Rojo", "Black"}
                                  << QStringList{"2:Rojo"} << "Black";
    QTest::newRow("both colours") << QStringList{"Mi Juego", "Rojo", "clBlack"}
                                  << QStringList{"2:Rojo", "3:clBlack"} << "Window";
}

void BoardStartupTest::unknownColourIsReportedAndStartGoesOn() {
    QFETCH(QStringList, title);
    QFETCH(QStringList, named);
    QFETCH(QString, background);
    fixture_->folder.writeBytes(QStringLiteral("Config/Titulo.txt"), test::lineFile(title));
    fixture_->folder.writeBytes(QStringLiteral("Shows/tapa.jpg"),
                                test::pictureFile(QSize(31, 17), "JPG"));
    fixture_->folder.writeBytes(QStringLiteral("Shows/borde.bmp"),
                                test::pictureFile(QSize(13, 11), "BMP"));
    fixture_->folder.writeBytes(
        QStringLiteral("Config/Portada.txt"),
        QFile::encodeName(fixture_->folder.file(QStringLiteral("Shows/tapa.jpg"))));
    fixture_->folder.writeBytes(
        QStringLiteral("Config/Marco.txt"),
        QFile::encodeName(fixture_->folder.file(QStringLiteral("Shows/borde.bmp"))));
    BoardView board(start());

    QCOMPARE(fixture_->dialogs.notices().size(), 1);
    const QString notice = fixture_->dialogs.notices().constFirst();
    QVERIFY2(notice.contains(QStringLiteral("Titulo.txt")), qPrintable(notice));
    for (const QString& item : named) {
        const QString line = item.section(':', 0, 0);
        const QString name = item.section(':', 1);
        QVERIFY2(notice.contains(QStringLiteral("\"%1\" de la línea %2").arg(name, line)),
                 qPrintable(notice));
    }
    QCOMPARE(fixture_->dialogs.errors(), QStringList());
    QCOMPARE(board.Label18->text(), QStringLiteral("Mi Juego"));
    QCOMPARE(textColour(board.Label18, QPalette::WindowText), tableColour("HotLight"));
    QCOMPARE(board->palette().color(QPalette::Window), lookupColour(background)->colour);
    QCOMPARE(board.Panel17->palette().color(QPalette::Window), lookupColour(background)->colour);
    QVERIFY(board.Timer7->isActive());
    QCOMPARE(board.Image2->image().size(), QSize(31, 17));
    QCOMPARE(board.Image13->image().size(), QSize(13, 11));
}

void BoardStartupTest::teamNamesFileAndNameSize_data() {
    QTest::addColumn<QByteArray>("file");  // empty: no file
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("right");
    QTest::addColumn<int>("leftPoints");
    QTest::addColumn<int>("rightPoints");
    QTest::newRow("no file") << QByteArray() << "Los Verdes"
                             << "Los Púrpuras" << 16 << 16;
    QTest::newRow("first line empty")
        << test::lineFile({QString(), QStringLiteral("Los Rojos")}) << "Los Verdes"
        << "Los Rojos" << 16 << 16;
    QTest::newRow("14 and 15 characters")
        << test::lineFile({QStringLiteral("Ñandúes de Sur"), QStringLiteral("Ñandúes del Sur")})
        << "Ñandúes de Sur"
        << "Ñandúes del Sur" << 16 << 12;
    // Characters count, not bytes: 14 characters are 16 bytes in UTF-8.
    QTest::newRow("UTF-8 with mark")
        << QByteArray("\xEF\xBB\xBF") +
               QStringLiteral("Ñandúes de Sur\r\nÁguilas del Norte\r\n").toUtf8()
        << "Ñandúes de Sur"
        << "Águilas del Norte" << 16 << 12;
}

void BoardStartupTest::teamNamesFileAndNameSize() {
    QFETCH(QByteArray, file);
    QFETCH(QString, left);
    QFETCH(QString, right);
    QFETCH(int, leftPoints);
    QFETCH(int, rightPoints);
    if (!file.isEmpty()) {
        fixture_->folder.writeBytes(QStringLiteral("Config/Equipos.txt"), file);
    }
    BoardView board(start());
    QCOMPARE(board.Edit16->text(), left);
    QCOMPARE(board.Edit17->text(), right);
    QCOMPARE(board.Edit16->font().pointSize(), leftPoints);
    QCOMPARE(board.Edit17->font().pointSize(), rightPoints);
}

void BoardStartupTest::roundFolderFile_data() {
    QTest::addColumn<QByteArray>("stored");  // null: no file; "<dir>": the program folder
    QTest::addColumn<QString>("folder");     // relative to the program folder
    QTest::newRow("no file") << QByteArray() << "Rondas";
    QTest::newRow("an existing folder") << QByteArray("<dir>/Otras") << "Otras";
    QTest::newRow("a missing folder") << QByteArray("<dir>/Perdidas") << "Rondas";
    QTest::newRow("path then a line break") << QByteArray("<dir>/Otras\r\n") << "Rondas";
    QTest::newRow("only spaces") << QByteArray("   ") << "Rondas";
}

void BoardStartupTest::roundFolderFile() {
    QFETCH(QByteArray, stored);
    QFETCH(QString, folder);
    QVERIFY(QDir(fixture_->folder.path()).mkpath(QStringLiteral("Otras")));
    if (!stored.isNull()) {
        fixture_->folder.writeBytes(
            QStringLiteral("Config/RondaDir.txt"),
            stored.replace("<dir>", QFile::encodeName(fixture_->folder.path())));
    }
    BoardView board(start());
    QCOMPARE(QDir(board->roundFolder()).absolutePath(),
             QDir(fixture_->folder.file(folder)).absolutePath());
}

void BoardStartupTest::optionMarkers() {
    fixture_->folder.writeBytes(QStringLiteral("dt.cfg"), QByteArray());
    fixture_->folder.writeBytes(QStringLiteral("sf.cfg"), "1");
    fixture_->folder.writeBytes(QStringLiteral("sq.cfg"), "1");
    // Markers are looked up in the program folder, whatever the current directory.
    QTemporaryDir elsewhere;
    QVERIFY(QDir::setCurrent(elsewhere.path()));
    BoardView board(start());
    QVERIFY(!board->settings().multipliersInNormal);
    QVERIFY(board->settings().accumulateInEasy);
    QVERIFY(board->settings().hideQuestion);
    QVERIFY(board.Label16->isHidden());
}

void BoardStartupTest::unreadableSettingIsNamedOnceAndStartGoesOn_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("huge");  // 10 MB of one line, else a folder where the file belongs
    for (const char* file : {"Titulo", "Equipos", "Portada", "Marco", "RondaDir"}) {
        QTest::addRow("%s.txt is a folder", file) << QString::fromLatin1(file) << false;
    }
    QTest::newRow("Titulo.txt of 10 MB") << "Titulo" << true;
}

// A settings file that cannot be read is named once, with the reason; what it holds keeps
// its default and every other step of the start runs.
void BoardStartupTest::unreadableSettingIsNamedOnceAndStartGoesOn() {
    QFETCH(QString, file);
    QFETCH(bool, huge);
    test::TempProgramFolder& folder = fixture_->folder;
    const QString dir = folder.path();
    folder.writeBytes(QStringLiteral("Config/Titulo.txt"),
                      test::lineFile({"Mi Juego", "Navy", "Black"}));
    folder.writeBytes(QStringLiteral("Config/Equipos.txt"), test::lineFile({"Rojos", "Azules"}));
    folder.writeBytes(QStringLiteral("Shows/tapa.jpg"), test::pictureFile(QSize(31, 17), "JPG"));
    folder.writeBytes(QStringLiteral("Shows/borde.bmp"), test::pictureFile(QSize(13, 11), "BMP"));
    folder.writeBytes(QStringLiteral("Config/Portada.txt"),
                      QFile::encodeName(dir + "/Shows/tapa.jpg"));
    folder.writeBytes(QStringLiteral("Config/Marco.txt"),
                      QFile::encodeName(dir + "/Shows/borde.bmp"));
    folder.writeRound(1, QStringLiteral("En Otras"), test::standardAnswers());
    QVERIFY(QDir(dir).rename(QStringLiteral("Rondas"), QStringLiteral("Otras")));
    QVERIFY(QDir(dir).mkdir(QStringLiteral("Rondas")));
    folder.writeBytes(QStringLiteral("Config/RondaDir.txt"), QFile::encodeName(dir + "/Otras"));
    folder.writeBytes(QStringLiteral("dt.cfg"), "1");
    folder.writeBytes(QStringLiteral("sq.cfg"), "1");
    const QString broken = QStringLiteral("Config/%1.txt").arg(file);
    QVERIFY(QFile::remove(folder.file(broken)));
    if (huge) {
        folder.writeBytes(broken, "Mi Juego\r\n" + QByteArray(10 * 1024 * 1024, 'N'));
    } else {
        QVERIFY(QDir(dir).mkpath(broken));
    }
    BoardView board(start());

    const QStringList errors = fixture_->dialogs.errors();
    QCOMPARE(errors.size(), 1);
    QVERIFY2(
        errors[0].startsWith(
            QStringLiteral("No se puede leer el archivo \"%1\": ").arg(folder.file(broken))) &&
            errors[0].endsWith(QLatin1String("Lo que guardan toma sus valores predeterminados.")),
        qPrintable(errors[0]));
    QCOMPARE(fixture_->dialogs.notices(), QStringList());
    QVERIFY(board.Panel9->isHidden());
    QCOMPARE(board.Label22->text(), QStringLiteral("V" VELTA_VERSION));
    QCOMPARE(board.Label18->text(), file == "Titulo" ? "Veltarama" : "Mi Juego");
    QCOMPARE(board->palette().color(QPalette::Window),
             tableColour(file == "Titulo" ? "Window" : "Black"));
    QCOMPARE(board.Edit16->text(), file == "Equipos" ? "Los Verdes" : "Rojos");
    QCOMPARE(board.Image2->image().size(), file == "Portada" ? QSize(1096, 601) : QSize(31, 17));
    QCOMPARE(board.Image13->image().size() == QSize(13, 11), file != "Marco");
    QCOMPARE(board.Timer3->isActive(), file != "Portada");
    QCOMPARE(QDir(board->roundFolder()).absolutePath(),
             QDir(folder.file(file == "RondaDir" ? "Rondas" : "Otras")).absolutePath());
    QVERIFY(!board->settings().multipliersInNormal);
    QVERIFY(board->settings().hideQuestion);
}

QTEST_MAIN(BoardStartupTest)
#include "tst_board_startup.moc"
