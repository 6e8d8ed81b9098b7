#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

#include "UnitHelpers.h"
#include "art/Art.h"
#include "art/Paint.h"
#include "art/RawPicture.h"
#include "editing/Presets.h"

using namespace velta::art;

namespace {

// Distinct colours on a sampling grid; a blank or flat picture has one or two.
int distinctColours(const QImage& image) {
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 3) {
        for (int x = 0; x < image.width(); x += 3) {
            colours.insert(image.pixel(x, y));
        }
    }
    return colours.size();
}

bool cornersClear(const QImage& image) {
    const int right = image.width() - 1;
    const int bottom = image.height() - 1;
    for (const QPoint& corner :
         {QPoint(0, 0), QPoint(right, 0), QPoint(0, bottom), QPoint(right, bottom)}) {
        if (qAlpha(image.pixel(corner)) != 0) {
            return false;
        }
    }
    return true;
}

// Separate solid stretches along one row: each X crosses the middle row once.
int solidRuns(const QImage& image, int y) {
    int runs = 0;
    bool inside = false;
    for (int x = 0; x < image.width(); ++x) {
        const bool solid = qAlpha(image.pixel(x, y)) > 128;
        runs += (solid && !inside) ? 1 : 0;
        inside = solid;
    }
    return runs;
}

double meanLightness(const QImage& image, const QRect& area) {
    double sum = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            sum += qGray(image.pixel(x, y));
        }
    }
    return sum / (area.width() * area.height());
}

// Mean difference per channel on a sampling grid, for pictures that went through JPEG.
double meanDifference(const QImage& a, const QImage& b) {
    double sum = 0;
    int samples = 0;
    for (int y = 0; y < a.height(); y += 5) {
        for (int x = 0; x < a.width(); x += 5) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            sum +=
                qAbs(qRed(p) - qRed(q)) + qAbs(qGreen(p) - qGreen(q)) + qAbs(qBlue(p) - qBlue(q));
            samples += 3;
        }
    }
    return sum / samples;
}

QString artTool() {
    return qEnvironmentVariable("VELTA_BUILD_DIR") + QStringLiteral("/tools/velta-art");
}

}  // namespace

class TstArt : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void picturesFitTheBoard_data();
    void picturesFitTheBoard();
    void strikesShowOneTwoOrThreeMarks();
    void everyThemeHasItsOwnCover();
    void numbersStayReadableOnBarsAndBoxes();
    void framesDifferAndLeaveTheBoardDark();
    void fittedTextStaysInsideItsBox();
    void veltaArtWritesTheProgramFolder();
    void veltaArtReportsWhatItCannotWrite();
    void rawPicturesComeBackAsPainted();
    void rawPicturesRefuseWhatIsNotOne_data();
    void rawPicturesRefuseWhatIsNotOne();
};

void TstArt::picturesFitTheBoard_data() {
    velta::test::columns<QImage, QSize, bool>("picture", "size", "clearBackground");
    QTest::newRow("cover") << cover(QStringLiteral("Veltarama")) << QSize(1096, 601) << false;
    QTest::newRow("board") << boardBackground() << QSize(813, 459) << false;
    for (int row = 1; row <= 5; ++row) {
        QTest::addRow("row %d", row) << rowBar(row) << QSize(777, 88) << true;
    }
    QTest::newRow("left box") << scoreBoxLeft() << QSize(181, 89) << false;
    QTest::newRow("right box") << scoreBoxRight() << QSize(181, 89) << false;
    QTest::newRow("pot") << potBox() << QSize(181, 96) << false;
    for (int variant = 0; variant < 3; ++variant) {
        QTest::addRow("frame %d", variant) << frame(variant) << QSize(950, 590) << false;
    }
    QTest::newRow("next") << nextArrow() << QSize(60, 56) << true;
    QTest::newRow("logo") << logo() << QSize(69, 59) << true;
    QTest::newRow("not on board") << notOnBoardMark() << QSize(626, 209) << true;
    QTest::newRow("start") << startSplash() << QSize(626, 209) << true;
    QTest::newRow("double") << doublePoints() << QSize(585, 136) << true;
    QTest::newRow("triple") << triplePoints() << QSize(585, 136) << true;
    QTest::newRow("winner") << fastMoneyWinner() << QSize(643, 92) << true;
    QTest::newRow("pointer") << pointer() << QSize(48, 48) << true;
}

void TstArt::picturesFitTheBoard() {
    QFETCH(QImage, picture);
    QFETCH(QSize, size);
    QFETCH(bool, clearBackground);
    QCOMPARE(picture.size(), size);
    QVERIFY2(distinctColours(picture) >= 12, "picture is blank or flat");
    if (clearBackground) {
        QVERIFY(picture.hasAlphaChannel());
        QVERIFY(cornersClear(picture));
    } else {
        QCOMPARE(qAlpha(picture.pixel(0, 0)), 255);
    }
}

void TstArt::strikesShowOneTwoOrThreeMarks() {
    const int middle = 209 / 2 - 2;
    for (int count = 1; count <= 3; ++count) {
        const QImage marks = strikeMarks(count);
        QCOMPARE(marks.size(), QSize(626, 209));
        QVERIFY(cornersClear(marks));
        QCOMPARE(solidRuns(marks, middle), count);
    }
    QVERIFY(strikeMarks(1) != strikeMarks(2));
    QVERIFY(strikeMarks(2) != strikeMarks(3));
    // Counts outside one to three still give a picture rather than an empty one.
    QCOMPARE(solidRuns(strikeMarks(0), middle), 1);
    QCOMPARE(solidRuns(strikeMarks(4), middle), 3);
}

void TstArt::everyThemeHasItsOwnCover() {
    const QString title = QStringLiteral("Veltarama");
    QList<QImage> covers{cover(title, 0)};
    for (int theme : coverThemeNumbers()) {
        const QImage painted = cover(title, theme);
        QCOMPARE(painted.size(), QSize(1096, 601));
        for (const QImage& other : covers) {
            QVERIFY2(painted != other, qPrintable(QStringLiteral("theme %1").arg(theme)));
        }
        covers.append(painted);
    }
    // The title is painted, long ones too, and an unknown scheme falls back to the built-in.
    QVERIFY(cover(QStringLiteral("Otro juego")) != covers.first());
    const QImage longTitle = cover(QStringLiteral("Veltarama Navideño (fiesta de diciembre)"), 5);
    QCOMPARE(longTitle.size(), QSize(1096, 601));
    QVERIFY(longTitle != covers.at(coverThemeNumbers().indexOf(5) + 1));
    QCOMPARE(cover(title, 99), covers.first());
    QCOMPARE(cover(QString()).size(), QSize(1096, 601));
}

void TstArt::numbersStayReadableOnBarsAndBoxes() {
    // White scores and lime answers go over these pictures: the areas under them stay dark.
    QVERIFY(meanLightness(scoreBoxLeft(), QRect(4, 4, 136, 62)) < 110);
    QVERIFY(meanLightness(scoreBoxRight(), QRect(8, 7, 136, 62)) < 110);
    QVERIFY(meanLightness(potBox(), QRect(8, 5, 136, 62)) < 110);
    for (int row = 1; row <= 5; ++row) {
        QVERIFY(meanLightness(rowBar(row), QRect(30, 20, 590, 50)) < 110);
    }
    QVERIFY(meanLightness(boardBackground(), QRect(0, 0, 813, 70)) < 110);
}

void TstArt::framesDifferAndLeaveTheBoardDark() {
    // The board covers the middle of the frame; a bright middle would show round its edges.
    const QRect underBoard(80, 70, 790, 445);
    for (int variant = 0; variant < 3; ++variant) {
        QVERIFY(meanLightness(frame(variant), underBoard) < 40);
    }
    QVERIFY(frame(0) != frame(1));
    QVERIFY(frame(1) != frame(2));
    QCOMPARE(frame(7), frame(2));
}

void TstArt::fittedTextStaysInsideItsBox() {
    using namespace velta::art::paint;
    const QRectF box(50, 20, 400, 100);
    const QRectF one = fittedText(QStringLiteral("¡A jugar!"), showFont(), box).boundingRect();
    QVERIFY(box.adjusted(-0.5, -0.5, 0.5, 0.5).contains(one));
    QVERIFY(qAbs(one.width() - box.width()) < 1 || qAbs(one.height() - box.height()) < 1);
    QVERIFY(qAbs(one.center().x() - box.center().x()) < 1);

    const QList<QPainterPath> lines = fittedLines(
        {QStringLiteral("Veltarama Navideño"), QStringLiteral("(fiesta)")}, showFont(), box);
    QCOMPARE(lines.size(), 2);
    QVERIFY(lines[0].boundingRect().bottom() < lines[1].boundingRect().top());
    QVERIFY(box.adjusted(-0.5, -0.5, 0.5, 0.5)
                .contains(lines[0].boundingRect().united(lines[1].boundingRect())));
    QVERIFY(fittedText(QString(), showFont(), box).isEmpty());
}

void TstArt::veltaArtWritesTheProgramFolder() {
    QTemporaryDir folder;
    QProcess tool;
    tool.start(artTool(), {folder.path()});
    QVERIFY2(tool.waitForFinished(60000), qPrintable(artTool() + ": " + tool.errorString()));
    QCOMPARE(tool.exitStatus(), QProcess::NormalExit);
    QVERIFY2(tool.exitCode() == 0, tool.readAllStandardError().constData());

    QMap<QString, QSize> expected{
        {"Pictures/fondo.bmp", {813, 459}},  {"Pictures/cta_izq.bmp", {181, 89}},
        {"Pictures/cta_der.bmp", {181, 89}}, {"Pictures/cta_total.bmp", {181, 96}},
        {"Pictures/marco.bmp", {950, 590}},  {"Pictures/equis1.bmp", {626, 209}},
        {"Pictures/equis2.bmp", {626, 209}}, {"Pictures/equis3.bmp", {626, 209}},
        {"Pictures/noesta.bmp", {626, 209}}, {"Pictures/ajugar.bmp", {626, 209}},
        {"Pictures/dobles.bmp", {585, 136}}, {"Pictures/triples.bmp", {585, 136}},
        {"Pictures/ganador.bmp", {643, 92}}, {"Frames/marco1.jpg", {950, 590}},
        {"Frames/marco2.jpg", {950, 590}},   {"Frames/marco3.jpg", {950, 590}},
    };
    for (int theme : coverThemeNumbers()) {
        expected.insert(QStringLiteral("Titles/portada%1.jpg").arg(theme), {1096, 601});
    }
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        const QImage picture(folder.filePath("Imagen/" + it.key()));
        QVERIFY2(!picture.isNull(), qPrintable(it.key()));
        QCOMPARE(picture.size(), it.value());
        QVERIFY2(distinctColours(picture) >= 12, qPrintable(it.key()));
    }
    // Each file holds its own picture: opaque ones exactly, covers in their own theme.
    const auto written = [&](const QString& relative) {
        return QImage(folder.filePath("Imagen/" + relative)).convertToFormat(QImage::Format_RGB32);
    };
    QCOMPARE(written("Pictures/fondo.bmp"), boardBackground());
    QCOMPARE(written("Pictures/cta_izq.bmp"), scoreBoxLeft());
    QCOMPARE(written("Pictures/cta_der.bmp"), scoreBoxRight());
    QCOMPARE(written("Pictures/cta_total.bmp"), potBox());
    QCOMPARE(written("Pictures/marco.bmp"), frame(0));
    QVERIFY(meanDifference(written("Frames/marco2.jpg"), frame(1)) < 4);
    for (int theme : coverThemeNumbers()) {
        const QImage shipped = written(QStringLiteral("Titles/portada%1.jpg").arg(theme));
        QVERIFY2(meanDifference(shipped, cover(velta::presetCoverTitle(theme), theme)) < 4,
                 qPrintable(QString::number(theme)));
    }
    // The clear parts of the splash pictures are written black, the colour of the board;
    // their solid parts keep their colour.
    const QImage strikeFile = written("Pictures/equis2.bmp");
    QCOMPARE(strikeFile.pixel(0, 0), qRgb(0, 0, 0));
    const QPoint solid(213, 100);
    QCOMPARE(qAlpha(strikeMarks(2).pixel(solid)), 255);
    QCOMPARE(strikeFile.pixel(solid), strikeMarks(2).pixel(solid) | 0xff000000u);

    qint64 total = 0;
    QDirIterator files(folder.filePath("Imagen"), QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        total += QFileInfo(files.next()).size();
    }
    QVERIFY(total < 15 * 1024 * 1024);
}

void TstArt::veltaArtReportsWhatItCannotWrite() {
    QTemporaryDir folder;
    // A plain file where the picture folder belongs: nothing can be written below it.
    QVERIFY(velta::test::writeFile(folder.filePath("Imagen")));

    QProcess tool;
    tool.start(artTool(), {folder.path()});
    QVERIFY(tool.waitForFinished(60000));
    QVERIFY(tool.exitCode() != 0);
    QVERIFY(tool.readAllStandardError().contains("Imagen"));

    tool.start(artTool(), {});
    QVERIFY(tool.waitForFinished(60000));
    QVERIFY(tool.exitCode() != 0);
    QVERIFY(!tool.readAllStandardError().isEmpty());
}

void TstArt::rawPicturesComeBackAsPainted() {
    for (const QImage& painted :
         {cover(QStringLiteral("Veltarama")).convertToFormat(QImage::Format_RGB32),
          logo().convertToFormat(QImage::Format_ARGB32_Premultiplied)}) {
        const QByteArray bytes = rawPicture(painted);
        const QImage back =
            rawPictureView(reinterpret_cast<const uchar*>(bytes.constData()), bytes.size());
        QCOMPARE(back.format(), painted.format());
        QCOMPARE(back, painted);
    }
    // The cover screen's own, compiled in.
    QCOMPARE(rawPictureResource(QStringLiteral(":/builtin/cover.raw")).size(), QSize(1096, 601));
}

void TstArt::rawPicturesRefuseWhatIsNotOne_data() {
    velta::test::columns<QByteArray>("bytes");
    const QByteArray whole = rawPicture(logo().convertToFormat(QImage::Format_RGB32));
    QTest::newRow("nothing") << QByteArray();
    QTest::newRow("header only") << whole.left(20);
    QTest::newRow("a row short") << whole.chopped(69 * 4);
    QTest::newRow("a byte more") << whole + 'x';
    QTest::newRow("another kind of file") << QByteArray("\x89PNG").append(whole.mid(4));
    QByteArray noFormat = whole;
    noFormat[12] = 0;
    QTest::newRow("no format") << noFormat;
    QByteArray narrow = whole;
    narrow[16] = 1;
    narrow[17] = 0;
    QTest::newRow("rows narrower than the width") << narrow;
}

void TstArt::rawPicturesRefuseWhatIsNotOne() {
    QFETCH(QByteArray, bytes);
    QVERIFY(
        rawPictureView(reinterpret_cast<const uchar*>(bytes.constData()), bytes.size()).isNull());
}

QTEST_MAIN(TstArt)
#include "tst_art.moc"
