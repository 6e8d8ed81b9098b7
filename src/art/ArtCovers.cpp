// The cover screen: the show's title over a stage lit by spotlights, in one colour scheme
// per preset theme.

#include <QLinearGradient>
#include <QRadialGradient>
#include <QRandomGenerator>

#include "art/Art.h"
#include "art/Paint.h"

namespace velta::art {

using namespace paint;

namespace {

constexpr int kCoverWidth = 1096;
constexpr int kCoverHeight = 601;

enum class Motif { Rays, Stars, Confetti };

struct CoverScheme {
    int theme;  // 0 for the built-in cover
    QColor skyTop;
    QColor skyBottom;
    QColor beamA;
    QColor beamB;
    QColor titleTop;
    QColor titleBottom;
    QColor outline;
    QColor glow;
    Motif motif;
};

const CoverScheme kSchemes[] = {
    {0, QColor(40, 10, 110), QColor(6, 2, 30), QColor(255, 200, 60), QColor(60, 200, 255),
     QColor(255, 250, 170), QColor(255, 130, 0), QColor(90, 10, 0), QColor(255, 170, 40),
     Motif::Rays},
    {1, QColor(150, 0, 20), QColor(30, 0, 6), QColor(255, 230, 80), QColor(255, 120, 60),
     QColor(255, 255, 255), QColor(255, 210, 40), QColor(100, 0, 0), QColor(255, 220, 90),
     Motif::Confetti},
    {2, QColor(0, 110, 60), QColor(0, 24, 14), QColor(200, 255, 90), QColor(255, 255, 200),
     QColor(255, 245, 160), QColor(230, 160, 0), QColor(0, 50, 20), QColor(220, 255, 120),
     Motif::Stars},
    {3, QColor(0, 90, 150), QColor(0, 14, 40), QColor(90, 240, 255), QColor(160, 200, 255),
     QColor(255, 255, 255), QColor(60, 220, 255), QColor(0, 20, 80), QColor(120, 230, 255),
     Motif::Stars},
    {4, QColor(170, 0, 120), QColor(40, 0, 40), QColor(255, 140, 220), QColor(255, 255, 255),
     QColor(255, 255, 255), QColor(255, 110, 200), QColor(70, 0, 70), QColor(255, 150, 230),
     Motif::Confetti},
    {5, QColor(230, 90, 0), QColor(60, 0, 30), QColor(255, 240, 100), QColor(255, 150, 50),
     QColor(255, 255, 150), QColor(255, 60, 20), QColor(80, 0, 30), QColor(255, 230, 80),
     Motif::Rays},
    {6, QColor(30, 40, 70), QColor(2, 2, 10), QColor(200, 220, 255), QColor(140, 160, 200),
     QColor(255, 255, 255), QColor(140, 170, 210), QColor(10, 20, 50), QColor(180, 210, 255),
     Motif::Stars},
    {7, QColor(80, 0, 120), QColor(14, 0, 30), QColor(255, 210, 60), QColor(200, 120, 255),
     QColor(255, 240, 140), QColor(230, 150, 0), QColor(50, 0, 60), QColor(255, 200, 60),
     Motif::Rays},
    {13, QColor(130, 0, 10), QColor(0, 40, 20), QColor(255, 255, 255), QColor(120, 255, 150),
     QColor(255, 255, 255), QColor(255, 40, 40), QColor(0, 60, 20), QColor(255, 255, 255),
     Motif::Stars},
    {15, QColor(20, 140, 230), QColor(0, 30, 90), QColor(255, 255, 160), QColor(255, 255, 255),
     QColor(255, 255, 120), QColor(255, 170, 0), QColor(0, 40, 120), QColor(255, 255, 200),
     Motif::Confetti},
    {16, QColor(130, 70, 10), QColor(30, 10, 0), QColor(255, 220, 140), QColor(255, 170, 60),
     QColor(255, 245, 210), QColor(220, 130, 30), QColor(60, 20, 0), QColor(255, 200, 120),
     Motif::Rays},
    {17, QColor(0, 120, 120), QColor(0, 24, 30), QColor(255, 160, 60), QColor(255, 230, 120),
     QColor(255, 230, 140), QColor(255, 110, 20), QColor(0, 50, 60), QColor(255, 180, 80),
     Motif::Confetti},
    {18, QColor(10, 20, 80), QColor(10, 0, 20), QColor(255, 80, 200), QColor(80, 220, 255),
     QColor(255, 200, 250), QColor(255, 40, 180), QColor(30, 0, 60), QColor(255, 90, 210),
     Motif::Stars},
    {22, QColor(20, 40, 20), QColor(0, 0, 0), QColor(160, 255, 60), QColor(255, 255, 120),
     QColor(230, 255, 170), QColor(80, 220, 0), QColor(0, 40, 0), QColor(160, 255, 80),
     Motif::Rays},
};

const CoverScheme& schemeFor(int theme) {
    for (const CoverScheme& scheme : kSchemes) {
        if (scheme.theme == theme) {
            return scheme;
        }
    }
    return kSchemes[0];
}

void paintMotif(QPainter& painter, const CoverScheme& scheme) {
    const QPointF centre(kCoverWidth / 2.0, kCoverHeight * 0.45);
    QRandomGenerator random(static_cast<quint32>(scheme.theme) + 17);
    painter.save();
    painter.setPen(Qt::NoPen);
    switch (scheme.motif) {
        case Motif::Rays:
            paintRays(painter, centre, kCoverWidth * 0.75, 28, faded(scheme.beamA, 0.22),
                      faded(scheme.beamB, 0.08), 4);
            break;
        case Motif::Stars:
            for (int i = 0; i < 160; ++i) {
                const QPointF spot(random.bounded(kCoverWidth), random.bounded(kCoverHeight));
                const double r = 0.8 + random.bounded(2.2);
                painter.setBrush(faded(i % 3 == 0 ? scheme.beamA : QColor(255, 255, 255),
                                       0.3 + random.bounded(0.6)));
                painter.drawEllipse(spot, r, r);
            }
            break;
        case Motif::Confetti:
            for (int i = 0; i < 140; ++i) {
                painter.save();
                painter.translate(random.bounded(kCoverWidth), random.bounded(kCoverHeight));
                painter.rotate(random.bounded(180));
                const QColor colours[] = {scheme.beamA, scheme.beamB, scheme.titleBottom,
                                          QColor(255, 255, 255)};
                painter.setBrush(faded(colours[i % 4], 0.75));
                painter.drawRect(QRectF(-7, -3.5, 14, 7));
                painter.restore();
            }
            break;
    }
    painter.restore();
}

// Spotlight cones from the top edge, crossing over the title, and the pools they make on
// the stage floor.
void paintSpotlights(QPainter& painter, const CoverScheme& scheme) {
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_Plus);
    painter.setPen(Qt::NoPen);
    const double floorY = kCoverHeight * 0.86;
    const struct {
        double fromX;
        double toX;
    } beams[] = {{60, 430}, {300, 640}, {796, 456}, {1036, 666}};
    for (int i = 0; i < 4; ++i) {
        const QColor colour = i % 2 == 0 ? scheme.beamA : scheme.beamB;
        QLinearGradient light(beams[i].fromX, 0, beams[i].toX, floorY);
        light.setColorAt(0, faded(colour, 0.55));
        light.setColorAt(1, faded(colour, 0.05));
        QPainterPath cone;
        cone.moveTo(beams[i].fromX - 16, -4);
        cone.lineTo(beams[i].fromX + 16, -4);
        cone.lineTo(beams[i].toX + 130, floorY);
        cone.lineTo(beams[i].toX - 130, floorY);
        cone.closeSubpath();
        painter.fillPath(cone, light);

        QRadialGradient pool(beams[i].toX, floorY, 150);
        pool.setColorAt(0, faded(colour, 0.5));
        pool.setColorAt(1, faded(colour, 0));
        painter.save();
        painter.translate(beams[i].toX, floorY);
        painter.scale(1, 0.22);
        painter.translate(-beams[i].toX, -floorY);
        painter.setBrush(pool);
        painter.drawEllipse(QPointF(beams[i].toX, floorY), 150, 150);
        painter.restore();
    }
    painter.restore();
}

// Two lines when a long title would otherwise shrink too far.
QStringList titleLines(const QString& title) {
    const QString text = title.simplified();
    if (text.size() <= 14 || !text.contains(QLatin1Char(' '))) {
        return {text};
    }
    int split = -1;
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char(' ') &&
            (split < 0 || qAbs(i - text.size() / 2) < qAbs(split - text.size() / 2))) {
            split = i;
        }
    }
    return {text.left(split), text.mid(split + 1)};
}

}  // namespace

const QList<int>& coverThemeNumbers() {
    static const QList<int> numbers{1, 2, 3, 4, 5, 6, 7, 13, 15, 16, 17, 18, 22};
    return numbers;
}

QImage cover(const QString& title, int scheme) {
    const CoverScheme& look = schemeFor(scheme);
    QImage image = solidCanvas(kCoverWidth, kCoverHeight, Qt::black);
    QPainter painter(&image);
    prepare(painter);

    QLinearGradient sky(0, 0, 0, kCoverHeight);
    sky.setColorAt(0, look.skyTop);
    sky.setColorAt(0.75, look.skyBottom);
    sky.setColorAt(1, look.skyBottom.darker(150));
    painter.fillRect(image.rect(), sky);
    paintMotif(painter, look);
    paintSpotlights(painter, look);

    // The stage edge: a bright line over a darker apron.
    const double floorY = kCoverHeight * 0.86;
    painter.fillRect(QRectF(0, floorY + 24, kCoverWidth, kCoverHeight), QColor(0, 0, 0, 110));
    QLinearGradient edge(0, 0, kCoverWidth, 0);
    edge.setColorAt(0, faded(look.beamA, 0));
    edge.setColorAt(0.5, faded(look.beamA, 0.9));
    edge.setColorAt(1, faded(look.beamA, 0));
    painter.fillRect(QRectF(0, floorY + 22, kCoverWidth, 3), edge);

    const QStringList lines = titleLines(title);
    const QRectF titleBox = lines.size() == 1 ? QRectF(70, 150, kCoverWidth - 140, 200)
                                              : QRectF(70, 90, kCoverWidth - 140, 320);
    QRectF around = titleBox;
    bool first = true;
    for (const QPainterPath& line : fittedLines(lines, showFont(), titleBox)) {
        paintShowText(painter, line,
                      {look.titleTop, look.titleBottom, look.outline, look.glow, 9, 34});
        if (!line.isEmpty()) {
            around = first ? line.boundingRect() : around.united(line.boundingRect());
            first = false;
        }
    }
    paintSparkle(painter, around.topLeft() + QPointF(10, 6), 40, look.glow);
    paintSparkle(painter, around.topRight() + QPointF(-24, 26), 30, look.glow);
    paintSparkle(painter, around.bottomRight() + QPointF(-6, 12), 44, look.glow);
    paintSparkle(painter, around.bottomLeft() + QPointF(40, 4), 28, look.glow);
    painter.end();
    return image;
}

}  // namespace velta::art
