// The board window's start-up pictures: the cover and frame named by the settings, the board
// pictures read from the current directory, and the built-in pictures wherever no file gives
// one, with the messages for a cover or frame that cannot be found.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "Fifo.h"
#include "StartupFixture.h"
#include "art/Art.h"
#include "board/Uvelta.h"

using namespace velta;
using velta::test::BoardView;

namespace {

const QString kNoCover = QStringLiteral("No se encontró la imagen de portada:\n");
const QString kNoFrame = QStringLiteral("No se encontró la imagen de marco:\n");

}  // namespace

class BoardPicturesTest : public test::StartupFixture {
    Q_OBJECT

  private Q_SLOTS:
    void coverFile_data();
    void coverFile();
    void frameFile_data();
    void frameFile();
    void missingCoverAndFrameAreBothReported();
    void startPicturesComeFromTheCurrentDirectory();
    void unreadableSettingStillOpensTheWindow();
    void pictureThatCannotBeShownSaysWhy_data();
    void pictureThatCannotBeShownSaysWhy();
    void pictureThatIsNoPlainFile_data();
    void pictureThatIsNoPlainFile();
};

void BoardPicturesTest::coverFile_data() {
    // In `stored` and `notice`, "<dir>" stands for the program folder.
    QTest::addColumn<QStringList>("files");  // pictures written, each "path:width"
    QTest::addColumn<QByteArray>("stored");  // content of Config\Portada.txt; null: no file
    QTest::addColumn<int>("coverWidth");     // 0: the built-in cover stays
    QTest::addColumn<QString>("notice");
    QTest::newRow("no setting, own cover present")
        << QStringList{"Imagen/Titles/portada.jpg:41"} << QByteArray() << 0 << QString();
    QTest::newRow("names a picture") << QStringList{"Shows/tapa.jpg:43"}
                                     << QByteArray("<dir>/Shows/tapa.jpg") << 43 << QString();
    QTest::newRow("Windows separators") << QStringList{"Shows/tapa.jpg:43"}
                                        << QByteArray("<dir>\\Shows\\tapa.jpg") << 43 << QString();
    QTest::newRow("blank, own cover present")
        << QStringList{"Imagen/Titles/portada.jpg:41", "Imagen/Titles/portada1.jpg:47"}
        << QByteArray(" \r\n") << 41 << QString();
    QTest::newRow("blank, preset cover only")
        << QStringList{"Imagen/Titles/portada1.jpg:47"} << QByteArray("") << 47 << QString();
    QTest::newRow("names a missing file")
        << QStringList{"Imagen/Titles/portada.jpg:41"} << QByteArray("<dir>/Shows/nada.jpg") << 0
        << kNoCover + "<dir>/Shows/nada.jpg";
    QTest::newRow("path then a line break")
        << QStringList{"Shows/tapa.jpg:43"} << QByteArray("<dir>/Shows/tapa.jpg\r\n") << 0
        << kNoCover + "<dir>/Shows/tapa.jpg\r\n";
    QTest::newRow("not a picture")
        << QStringList{"Shows/tapa.jpg:0"} << QByteArray("<dir>/Shows/tapa.jpg") << 0
        << "No se pudo leer la imagen de portada:\n<dir>/Shows/tapa.jpg\nEl archivo no es una "
           "imagen.";
}

void BoardPicturesTest::coverFile() {
    QFETCH(QStringList, files);
    QFETCH(QByteArray, stored);
    QFETCH(int, coverWidth);
    QFETCH(QString, notice);
    const QString dir = fixture_->folder.path();
    for (const QString& file : files) {
        const int width = file.section(':', 1).toInt();
        fixture_->folder.writeBytes(
            file.section(':', 0, 0),
            width ? test::pictureFile(QSize(width, 9), "JPG") : QByteArray("JFIF?"));
    }
    if (!stored.isNull()) {
        fixture_->folder.writeBytes(QStringLiteral("Config/Portada.txt"),
                                    stored.replace("<dir>", QFile::encodeName(dir)));
    }
    BoardView board(start());

    if (coverWidth) {
        QCOMPARE(board.Image2->image().size(), QSize(coverWidth, 9));
    } else {
        QCOMPARE(board.Image2->image().size(), QSize(1096, 601));  // the built-in cover
    }
    const QStringList expected =
        notice.isEmpty() ? QStringList() : QStringList{notice.replace("<dir>", dir)};
    QCOMPARE(fixture_->dialogs.notices(), expected);
    // The menu hides by itself only in a show whose cover is set.
    QCOMPARE(board.Timer3->isActive(), !stored.isNull());
    QVERIFY(board.Panel9->isHidden());
}

void BoardPicturesTest::frameFile_data() {
    QTest::addColumn<bool>("ownFrame");      // "Imagen\Pictures\marco.bmp" (width 23) is there
    QTest::addColumn<QByteArray>("stored");  // content of Config\Marco.txt; null: no file
    QTest::addColumn<int>("frameWidth");     // 0: the built-in frame
    QTest::addColumn<QString>("notice");
    QTest::newRow("no setting") << true << QByteArray() << 23 << QString();
    QTest::newRow("no setting, no picture") << false << QByteArray() << 0 << QString();
    QTest::newRow("names a picture")
        << true << QByteArray("<dir>/Shows/borde.bmp") << 29 << QString();
    QTest::newRow("blank") << true << QByteArray("\t \r\n") << 23 << kNoFrame;
    QTest::newRow("names a missing file") << true << QByteArray("<dir>\\Shows\\otro.bmp") << 23
                                          << kNoFrame + "<dir>\\Shows\\otro.bmp";
    QTest::newRow("names a missing file, no picture")
        << false << QByteArray("<dir>/Shows/otro.bmp") << 0 << kNoFrame + "<dir>/Shows/otro.bmp";
}

void BoardPicturesTest::frameFile() {
    QFETCH(bool, ownFrame);
    QFETCH(QByteArray, stored);
    QFETCH(int, frameWidth);
    QFETCH(QString, notice);
    const QString dir = fixture_->folder.path();
    if (ownFrame) {
        fixture_->folder.writeBytes(QStringLiteral("Imagen/Pictures/marco.bmp"),
                                    test::pictureFile(QSize(23, 7), "BMP"));
    }
    fixture_->folder.writeBytes(QStringLiteral("Shows/borde.bmp"),
                                test::pictureFile(QSize(29, 7), "BMP"));
    if (!stored.isNull()) {
        fixture_->folder.writeBytes(QStringLiteral("Config/Marco.txt"),
                                    stored.replace("<dir>", QFile::encodeName(dir)));
    }
    BoardView board(start());

    if (frameWidth) {
        QCOMPARE(board.Image13->image().size(), QSize(frameWidth, 7));
    } else {
        QCOMPARE(board.Image13->image(), art::frame());
    }
    QVERIFY(board.Image13->isHidden());
    const QStringList expected =
        notice.isEmpty() ? QStringList() : QStringList{notice.replace("<dir>", dir)};
    QCOMPARE(fixture_->dialogs.notices(), expected);
    if (frameWidth == 29) {
        QCOMPARE(board->settings().frameImage.value_or(QString()),
                 dir + QStringLiteral("/Shows/borde.bmp"));
    }
    QVERIFY(board.Panel9->isHidden());
}

void BoardPicturesTest::missingCoverAndFrameAreBothReported() {
    fixture_->folder.writeBytes(QStringLiteral("Config/Portada.txt"), "C:\\Concurso\\portada.jpg");
    fixture_->folder.writeBytes(QStringLiteral("Config/Marco.txt"), "C:\\Concurso\\marco.jpg");
    fixture_->folder.writeBytes(QStringLiteral("sq.cfg"), "1");
    fixture_->folder.writeBytes(QStringLiteral("Config/Equipos.txt"), "Los Mejores del Barrio\r\n");
    BoardView board(start());
    QCOMPARE(fixture_->dialogs.notices(),
             QStringList({kNoCover + QStringLiteral("C:\\Concurso\\portada.jpg"),
                          kNoFrame + QStringLiteral("C:\\Concurso\\marco.jpg")}));
    QCOMPARE(board->settings().coverImage.value_or(QString()),
             QStringLiteral("C:\\Concurso\\portada.jpg"));
    QCOMPARE(board->settings().frameImage.value_or(QString()),
             QStringLiteral("C:\\Concurso\\marco.jpg"));
    // The steps after the two messages still ran.
    QVERIFY(board->settings().hideQuestion);
    QCOMPARE(board.Edit16->font().pointSize(), 12);
}

void BoardPicturesTest::startPicturesComeFromTheCurrentDirectory() {
    QTemporaryDir elsewhere;
    fixture_->folder.writeBytes(QStringLiteral("Imagen/Pictures/fondo.bmp"),
                                test::pictureFile(QSize(5, 5), "BMP"));
    fixture_->folder.writeBytes(QStringLiteral("Imagen/Pictures/cta_der.bmp"),
                                test::pictureFile(QSize(5, 5), "BMP"));
    const auto put = [&elsewhere](const QString& name, const QByteArray& bytes) {
        const QString path = elsewhere.filePath(QStringLiteral("Imagen/Pictures/") + name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    put(QStringLiteral("fondo.bmp"), test::pictureFile(QSize(6, 4), "BMP"));
    put(QStringLiteral("cta_izq.bmp"), test::pictureFile(QSize(7, 4), "BMP"));
    put(QStringLiteral("cta_total.bmp"), QByteArray("BM not a picture"));
    QVERIFY(QDir::setCurrent(elsewhere.path()));
    BoardView board(start());

    QCOMPARE(board.Image4->image().size(), QSize(6, 4));
    QCOMPARE(board.Image10->image().size(), QSize(7, 4));
    QCOMPARE(board.Image11->image(), art::scoreBoxRight());
    QCOMPARE(board.Image12->image(), art::potBox());
    QCOMPARE(board.Image13->image(), art::frame());
    QCOMPARE(fixture_->dialogs.shown, QStringList());
}

void BoardPicturesTest::unreadableSettingStillOpensTheWindow() {
    // A folder where the team names should be: the file cannot be read.
    QVERIFY(QDir(fixture_->folder.path()).mkpath(QStringLiteral("Config/Equipos.txt")));
    BoardView board(start());
    QCOMPARE(fixture_->dialogs.errors().size(), 1);
    QVERIFY(board->isVisible());
    QCOMPARE(board.Edit16->text(), QStringLiteral("Los Verdes"));
    QCOMPARE(board.Image2->image().size(), QSize(1096, 601));  // the built-in cover
    QCOMPARE(board.Image4->image(), art::boardBackground());
    QCOMPARE(board.Image10->image(), art::scoreBoxLeft());
    QCOMPARE(board.Image13->image(), art::frame());
}

void BoardPicturesTest::pictureThatCannotBeShownSaysWhy_data() {
    QTest::addColumn<QString>("setting");
    QTest::addColumn<QByteArray>("picture");
    QTest::addColumn<QString>("why");
    const QByteArray jpeg = test::pictureFile(QSize(16, 16), "JPG");
    // The same picture with a header that claims 30000 × 30000 pixels.
    QByteArray huge = jpeg;
    const int frameHeader = huge.indexOf("\xFF\xC0");
    huge.replace(frameHeader + 5, 4, QByteArray("\x75\x30\x75\x30", 4));
    QTest::newRow("cover, too large")
        << "Portada" << huge << "La imagen es demasiado grande: 30000 × 30000 píxeles.";
    QTest::newRow("cover, cut short")
        << "Portada" << jpeg.left(100) << "La imagen está dañada o incompleta.";
    QTest::newRow("frame, not a picture")
        << "Marco" << QByteArray("Hola, no soy una imagen") << "El archivo no es una imagen.";
}

void BoardPicturesTest::pictureThatCannotBeShownSaysWhy() {
    QFETCH(QString, setting);
    QFETCH(QByteArray, picture);
    QFETCH(QString, why);
    const QString path = fixture_->folder.file(QStringLiteral("Shows/imagen.jpg"));
    fixture_->folder.writeBytes(QStringLiteral("Shows/imagen.jpg"), picture);
    fixture_->folder.writeBytes(QStringLiteral("Config/%1.txt").arg(setting),
                                QFile::encodeName(path));
    BoardView board(start());

    QCOMPARE(fixture_->dialogs.notices(),
             QStringList{QStringLiteral("No se pudo leer la imagen de %1:\n%2\n%3")
                             .arg(setting == "Portada" ? "portada" : "marco", path, why)});
    QVERIFY(board.Panel9->isHidden());
}

void BoardPicturesTest::pictureThatIsNoPlainFile_data() {
    QTest::addColumn<QString>("setting");  // "Portada", "Marco", or "" for "fondo.bmp"
    QTest::addColumn<bool>("fifo");        // else a folder
    QTest::addColumn<QString>("why");
    QTest::newRow("cover, a fifo") << "Portada" << true << "No es un archivo de imagen común.";
    QTest::newRow("cover, a folder")
        << "Portada" << false << "Es una carpeta, no un archivo de imagen.";
    QTest::newRow("frame, a fifo") << "Marco" << true << "No es un archivo de imagen común.";
    QTest::newRow("board background, a fifo") << "" << true << "";
}

// A picture path that names a fifo or a folder never holds the start: the board opens with
// its built-in picture and says once why the file was not shown.
void BoardPicturesTest::pictureThatIsNoPlainFile() {
    QFETCH(QString, setting);
    QFETCH(bool, fifo);
    QFETCH(QString, why);
    const QString relative = setting.isEmpty() ? QStringLiteral("Imagen/Pictures/fondo.bmp")
                                               : QStringLiteral("Shows/imagen.jpg");
    const QString path = fixture_->folder.file(relative);
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    std::unique_ptr<test::Fifo> watched;
    if (fifo) {
        watched = std::make_unique<test::Fifo>(path);
    } else {
        QVERIFY(QDir().mkpath(path));
    }
    if (!setting.isEmpty()) {
        fixture_->folder.writeBytes(QStringLiteral("Config/%1.txt").arg(setting),
                                    QFile::encodeName(path));
    }
    BoardView board(start());

    QVERIFY(!watched || !watched->waitedOn());
    QCOMPARE(fixture_->dialogs.notices(),
             why.isEmpty()
                 ? QStringList()
                 : QStringList{QStringLiteral("No se pudo leer la imagen de %1:\n%2\n%3")
                                   .arg(setting == "Portada" ? "portada" : "marco", path, why)});
    QCOMPARE(board.Image2->image().size(), QSize(1096, 601));  // the built-in cover
    QCOMPARE(board.Image13->image(), art::frame());
    QCOMPARE(board.Image4->image(), art::boardBackground());
}

QTEST_MAIN(BoardPicturesTest)
#include "tst_board_startup_pictures.moc"
