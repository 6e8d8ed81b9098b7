#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

#include "art/Art.h"
#include "art/Paint.h"

using namespace velta::art;

namespace {

// Distinct colours on a sampling grid; a blank or flat picture has one or two.
int DistinctColours(const QImage& image) {
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 3) {
        for (int x = 0; x < image.width(); x += 3) {
            colours.insert(image.pixel(x, y));
        }
    }
    return colours.size();
}

bool CornersClear(const QImage& image) {
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
int SolidRuns(const QImage& image, int y) {
    int runs = 0;
    bool inside = false;
    for (int x = 0; x < image.width(); ++x) {
        const bool solid = qAlpha(image.pixel(x, y)) > 128;
        runs += (solid && !inside) ? 1 : 0;
        inside = solid;
    }
    return runs;
}

double MeanLightness(const QImage& image, const QRect& area) {
    double sum = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            sum += qGray(image.pixel(x, y));
        }
    }
    return sum / (area.width() * area.height());
}

// Mean difference per channel on a sampling grid, for pictures that went through JPEG.
double MeanDifference(const QImage& a, const QImage& b) {
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

QString ArtTool() {
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
};

void TstArt::picturesFitTheBoard_data() {
    QTest::addColumn<QImage>("picture");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("clearBackground");
    QTest::newRow("cover") << Cover(QStringLiteral("Veltarama")) << QSize(1096, 601) << false;
    QTest::newRow("board") << BoardBackground() << QSize(813, 459) << false;
    for (int row = 1; row <= 5; ++row) {
        QTest::addRow("row %d", row) << RowBar(row) << QSize(777, 88) << true;
    }
    QTest::newRow("left box") << ScoreBoxLeft() << QSize(181, 89) << false;
    QTest::newRow("right box") << ScoreBoxRight() << QSize(181, 89) << false;
    QTest::newRow("pot") << PotBox() << QSize(181, 96) << false;
    for (int variant = 0; variant < 3; ++variant) {
        QTest::addRow("frame %d", variant) << Frame(variant) << QSize(950, 590) << false;
    }
    QTest::newRow("next") << NextArrow() << QSize(60, 56) << true;
    QTest::newRow("logo") << Logo() << QSize(69, 59) << true;
    QTest::newRow("not on board") << NotOnBoard() << QSize(626, 209) << true;
    QTest::newRow("start") << StartSplash() << QSize(626, 209) << true;
    QTest::newRow("double") << DoublePoints() << QSize(585, 136) << true;
    QTest::newRow("triple") << TriplePoints() << QSize(585, 136) << true;
    QTest::newRow("winner") << FastMoneyWinner() << QSize(626, 209) << true;
    QTest::newRow("pointer") << Pointer() << QSize(48, 48) << true;
}

void TstArt::picturesFitTheBoard() {
    QFETCH(QImage, picture);
    QFETCH(QSize, size);
    QFETCH(bool, clearBackground);
    QCOMPARE(picture.size(), size);
    QVERIFY2(DistinctColours(picture) >= 12, "picture is blank or flat");
    if (clearBackground) {
        QVERIFY(picture.hasAlphaChannel());
        QVERIFY(CornersClear(picture));
    } else {
        QCOMPARE(qAlpha(picture.pixel(0, 0)), 255);
    }
}

void TstArt::strikesShowOneTwoOrThreeMarks() {
    const int middle = 209 / 2 - 2;
    for (int count = 1; count <= 3; ++count) {
        const QImage strike = Strike(count);
        QCOMPARE(strike.size(), QSize(626, 209));
        QVERIFY(CornersClear(strike));
        QCOMPARE(SolidRuns(strike, middle), count);
    }
    QVERIFY(Strike(1) != Strike(2));
    QVERIFY(Strike(2) != Strike(3));
    // Counts outside one to three still give a picture rather than an empty one.
    QCOMPARE(SolidRuns(Strike(0), middle), 1);
    QCOMPARE(SolidRuns(Strike(4), middle), 3);
}

void TstArt::everyThemeHasItsOwnCover() {
    const QString title = QStringLiteral("Veltarama");
    QList<QImage> covers{Cover(title, 0)};
    for (int theme : CoverThemeNumbers()) {
        const QImage cover = Cover(title, theme);
        QCOMPARE(cover.size(), QSize(1096, 601));
        for (const QImage& other : covers) {
            QVERIFY2(cover != other, qPrintable(QStringLiteral("theme %1").arg(theme)));
        }
        covers.append(cover);
    }
    // The title is painted, long ones too, and an unknown scheme falls back to the built-in.
    QVERIFY(Cover(QStringLiteral("Otro juego")) != covers.first());
    const QImage longTitle = Cover(QStringLiteral("Veltarama Navideño (fiesta de diciembre)"), 5);
    QCOMPARE(longTitle.size(), QSize(1096, 601));
    QVERIFY(longTitle != covers.at(CoverThemeNumbers().indexOf(5) + 1));
    QCOMPARE(Cover(title, 99), covers.first());
    QCOMPARE(Cover(QString()).size(), QSize(1096, 601));
}

void TstArt::numbersStayReadableOnBarsAndBoxes() {
    // White scores and lime answers go over these pictures: the areas under them stay dark.
    QVERIFY(MeanLightness(ScoreBoxLeft(), QRect(4, 4, 136, 62)) < 110);
    QVERIFY(MeanLightness(ScoreBoxRight(), QRect(8, 7, 136, 62)) < 110);
    QVERIFY(MeanLightness(PotBox(), QRect(8, 5, 136, 62)) < 110);
    for (int row = 1; row <= 5; ++row) {
        QVERIFY(MeanLightness(RowBar(row), QRect(30, 20, 590, 50)) < 110);
    }
    QVERIFY(MeanLightness(BoardBackground(), QRect(0, 0, 813, 70)) < 110);
}

void TstArt::framesDifferAndLeaveTheBoardDark() {
    // The board covers the middle of the frame; a bright middle would show round its edges.
    const QRect underBoard(80, 70, 790, 445);
    for (int variant = 0; variant < 3; ++variant) {
        QVERIFY(MeanLightness(Frame(variant), underBoard) < 40);
    }
    QVERIFY(Frame(0) != Frame(1));
    QVERIFY(Frame(1) != Frame(2));
    QCOMPARE(Frame(7), Frame(2));
}

void TstArt::fittedTextStaysInsideItsBox() {
    using namespace velta::art::paint;
    const QRectF box(50, 20, 400, 100);
    const QRectF one = FittedText(QStringLiteral("¡A jugar!"), ShowFont(), box).boundingRect();
    QVERIFY(box.adjusted(-0.5, -0.5, 0.5, 0.5).contains(one));
    QVERIFY(qAbs(one.width() - box.width()) < 1 || qAbs(one.height() - box.height()) < 1);
    QVERIFY(qAbs(one.center().x() - box.center().x()) < 1);

    const QList<QPainterPath> lines = FittedLines(
        {QStringLiteral("Veltarama Navideño"), QStringLiteral("(fiesta)")}, ShowFont(), box);
    QCOMPARE(lines.size(), 2);
    QVERIFY(lines[0].boundingRect().bottom() < lines[1].boundingRect().top());
    QVERIFY(box.adjusted(-0.5, -0.5, 0.5, 0.5)
                .contains(lines[0].boundingRect().united(lines[1].boundingRect())));
    QVERIFY(FittedText(QString(), ShowFont(), box).isEmpty());
}

void TstArt::veltaArtWritesTheProgramFolder() {
    QTemporaryDir folder;
    QProcess tool;
    tool.start(ArtTool(), {folder.path()});
    QVERIFY2(tool.waitForFinished(60000), qPrintable(ArtTool() + ": " + tool.errorString()));
    QCOMPARE(tool.exitStatus(), QProcess::NormalExit);
    QVERIFY2(tool.exitCode() == 0, tool.readAllStandardError().constData());

    QMap<QString, QSize> expected{
        {"Pictures/fondo.bmp", {813, 459}},   {"Pictures/cta_izq.bmp", {181, 89}},
        {"Pictures/cta_der.bmp", {181, 89}},  {"Pictures/cta_total.bmp", {181, 96}},
        {"Pictures/marco.bmp", {950, 590}},   {"Pictures/equis1.bmp", {626, 209}},
        {"Pictures/equis2.bmp", {626, 209}},  {"Pictures/equis3.bmp", {626, 209}},
        {"Pictures/noesta.bmp", {626, 209}},  {"Pictures/ajugar.bmp", {626, 209}},
        {"Pictures/dobles.bmp", {585, 136}},  {"Pictures/triples.bmp", {585, 136}},
        {"Pictures/ganador.bmp", {626, 209}}, {"Frames/marco1.jpg", {950, 590}},
        {"Frames/marco2.jpg", {950, 590}},    {"Frames/marco3.jpg", {950, 590}},
    };
    for (int theme : CoverThemeNumbers()) {
        expected.insert(QStringLiteral("Titles/portada%1.jpg").arg(theme), {1096, 601});
    }
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        const QImage picture(folder.filePath("Imagen/" + it.key()));
        QVERIFY2(!picture.isNull(), qPrintable(it.key()));
        QCOMPARE(picture.size(), it.value());
        QVERIFY2(DistinctColours(picture) >= 12, qPrintable(it.key()));
    }
    // Each file holds its own picture: opaque ones exactly, covers in their own theme.
    const auto written = [&](const QString& relative) {
        return QImage(folder.filePath("Imagen/" + relative)).convertToFormat(QImage::Format_RGB32);
    };
    QCOMPARE(written("Pictures/fondo.bmp"), BoardBackground());
    QCOMPARE(written("Pictures/cta_izq.bmp"), ScoreBoxLeft());
    QCOMPARE(written("Pictures/cta_der.bmp"), ScoreBoxRight());
    QCOMPARE(written("Pictures/cta_total.bmp"), PotBox());
    QCOMPARE(written("Pictures/marco.bmp"), Frame(0));
    QVERIFY(MeanDifference(written("Frames/marco2.jpg"), Frame(1)) < 4);
    for (int theme : CoverThemeNumbers()) {
        const QImage cover = written(QStringLiteral("Titles/portada%1.jpg").arg(theme));
        QVERIFY2(MeanDifference(cover, Cover(QStringLiteral("Veltarama"), theme)) < 4,
                 qPrintable(QString::number(theme)));
    }
    // The clear parts of the splash pictures are written black, the colour of the board;
    // their solid parts keep their colour.
    const QImage strike = written("Pictures/equis2.bmp");
    QCOMPARE(strike.pixel(0, 0), qRgb(0, 0, 0));
    const QPoint solid(213, 100);
    QCOMPARE(qAlpha(Strike(2).pixel(solid)), 255);
    QCOMPARE(strike.pixel(solid), Strike(2).pixel(solid) | 0xff000000u);

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
    QFile blocker(folder.filePath("Imagen"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    QProcess tool;
    tool.start(ArtTool(), {folder.path()});
    QVERIFY(tool.waitForFinished(60000));
    QVERIFY(tool.exitCode() != 0);
    QVERIFY(tool.readAllStandardError().contains("Imagen"));

    tool.start(ArtTool(), {});
    QVERIFY(tool.waitForFinished(60000));
    QVERIFY(tool.exitCode() != 0);
    QVERIFY(!tool.readAllStandardError().isEmpty());
}

QTEST_MAIN(TstArt)
#include "tst_art.moc"
