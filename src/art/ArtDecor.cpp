// The decoration around the game: the frames, the next-question button, the corner logo
// and the pointer the control window shows beside a button.

#include <QLinearGradient>
#include <QRadialGradient>
#include <algorithm>

#include "art/Art.h"
#include "art/Paint.h"

namespace velta::art {

using namespace paint;

namespace {

constexpr int kFrameWidth = 950;
constexpr int kFrameHeight = 590;
// Where the board sits inside the frame; the band is drawn around it.
const QRectF kBoardHole(70, 60, 808, 464);

struct FrameLook {
    QColor bandLight;
    QColor bandDark;
    QColor rim;
    QColor bulbA;
    QColor bulbB;
    bool neon;
};

const FrameLook kFrameLooks[] = {
    {QColor(200, 30, 40), QColor(90, 0, 10), QColor(255, 200, 50), QColor(255, 240, 170),
     QColor(255, 200, 90), false},
    {QColor(70, 20, 130), QColor(20, 0, 50), QColor(60, 230, 255), QColor(255, 80, 220),
     QColor(60, 230, 255), true},
    {QColor(60, 120, 230), QColor(8, 26, 90), QColor(220, 230, 255), QColor(255, 255, 255),
     QColor(120, 200, 255), false},
};

// A strip of marquee lights along a closed path.
void paintBulbs(QPainter& painter, const QPainterPath& track, double spacing,
                const FrameLook& look) {
    const int count = std::max(8, static_cast<int>(track.length() / spacing));
    painter.save();
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        const QPointF spot = track.pointAtPercent(static_cast<double>(i) / count);
        const QColor& colour = (i % 2 == 0) ? look.bulbA : look.bulbB;
        QRadialGradient glow(spot, 14);
        glow.setColorAt(0, faded(colour, 0.9));
        glow.setColorAt(1, faded(colour, 0));
        painter.setBrush(glow);
        painter.drawEllipse(spot, 14, 14);
        QRadialGradient bulb(spot - QPointF(2, 2), 7);
        bulb.setColorAt(0, Qt::white);
        bulb.setColorAt(0.5, colour);
        bulb.setColorAt(1, colour.darker(150));
        painter.setBrush(bulb);
        painter.drawEllipse(spot, 6.5, 6.5);
    }
    painter.restore();
}

// A glowing tube of light along a path.
void paintNeon(QPainter& painter, const QPainterPath& tube, const QColor& colour) {
    for (int width = 22; width > 4; width -= 4) {
        painter.strokePath(
            tube, QPen(faded(colour, 0.14), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    }
    painter.strokePath(tube, QPen(colour.lighter(130), 4));
    painter.strokePath(tube, QPen(QColor(255, 255, 255, 200), 1.5));
}

}  // namespace

QImage frame(int variant) {
    const FrameLook& look = kFrameLooks[std::clamp(variant, 0, 2)];
    QImage image = solidCanvas(kFrameWidth, kFrameHeight, QColor(2, 6, 24));
    QPainter painter(&image);
    prepare(painter);

    // Square outer corners: the frame fills its whole rectangle whatever the window colour.
    const QRectF outer(0, 0, kFrameWidth, kFrameHeight);
    QPainterPath band;
    band.addRect(outer);
    QPainterPath hole;
    hole.addRoundedRect(kBoardHole, 14, 14);
    QLinearGradient fill(outer.topLeft(), outer.bottomRight());
    fill.setColorAt(0, look.bandLight);
    fill.setColorAt(0.5, look.bandDark);
    fill.setColorAt(1, look.bandLight.darker(130));
    painter.fillPath(band.subtracted(hole), fill);

    // Bevel: light on the outer edge, a double rim around the board.
    painter.strokePath(band, QPen(look.rim, 8));
    painter.strokePath(hole, QPen(look.rim.darker(150), 9));
    painter.strokePath(hole, QPen(look.rim, 4));

    const QRectF middle(
        (outer.left() + kBoardHole.left()) / 2, (outer.top() + kBoardHole.top()) / 2,
        (outer.width() + kBoardHole.width()) / 2, (outer.height() + kBoardHole.height()) / 2);
    QPainterPath track;
    track.addRoundedRect(middle, 24, 24);
    if (look.neon) {
        QPainterPath inner;
        inner.addRoundedRect(middle.adjusted(14, 12, -14, -12), 18, 18);
        QPainterPath outerTube;
        outerTube.addRoundedRect(middle.adjusted(-14, -12, 14, 12), 30, 30);
        paintNeon(painter, outerTube, look.bulbB);
        paintNeon(painter, inner, look.bulbA);
        for (const QPointF& corner :
             {middle.topLeft(), middle.topRight(), middle.bottomLeft(), middle.bottomRight()}) {
            paintSparkle(painter, corner, 26, QColor(255, 255, 255));
        }
    } else {
        paintBulbs(painter, track, 30, look);
        for (const QPointF& corner :
             {middle.topLeft(), middle.topRight(), middle.bottomLeft(), middle.bottomRight()}) {
            const QPainterPath star = starPath(corner + QPointF(0, 2), 24, 10, 5);
            painter.fillPath(star, look.rim);
            painter.strokePath(star, QPen(look.bandDark.darker(150), 2.5));
        }
    }
    painter.end();
    return image;
}

QImage nextArrow() {
    QImage image = clearCanvas(60, 56);
    QPainter painter(&image);
    prepare(painter);
    const QRectF disc(3, 1, 54, 54);
    paintGlossyPanel(painter, disc, 27, QColor(255, 170, 40), QColor(220, 70, 0),
                     QColor(255, 230, 120), 3);
    QPainterPath arrow;
    for (double x : {17.0, 31.0}) {
        arrow.moveTo(x, 15);
        arrow.lineTo(x + 14, 28);
        arrow.lineTo(x, 41);
        arrow.closeSubpath();
    }
    painter.strokePath(arrow,
                       QPen(QColor(90, 20, 0), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.fillPath(arrow, Qt::white);
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

QImage logo() {
    QImage image = clearCanvas(69, 59);
    QPainter painter(&image);
    prepare(painter);
    const QRectF badge(2, 9, 65, 44);
    QPainterPath oval;
    oval.addEllipse(badge);
    QLinearGradient fill(badge.topLeft(), badge.bottomLeft());
    fill.setColorAt(0, QColor(255, 70, 170));
    fill.setColorAt(1, QColor(70, 0, 140));
    painter.fillPath(oval, fill);
    painter.strokePath(oval, QPen(QColor(255, 200, 40), 3));
    const QPainterPath star = starPath(QPointF(34.5, 9), 9, 4, 5);
    painter.fillPath(star, QColor(255, 220, 60));
    painter.strokePath(star, QPen(QColor(120, 50, 0), 1.2));
    const QPainterPath word =
        fittedText(QStringLiteral("VELTA"), showFont(true), QRectF(8, 22, 53, 20));
    painter.strokePath(word,
                       QPen(QColor(30, 0, 60), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.fillPath(word, QColor(255, 255, 255));
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

QImage appIcon(int size) {
    QImage image = clearCanvas(size, size);
    QPainter painter(&image);
    prepare(painter);
    painter.scale(size / 64.0, size / 64.0);
    // The logo's colours on a square badge; the letter alone stays readable at 16 pixels.
    paintGlossyPanel(painter, QRectF(2, 2, 60, 60), 12, QColor(255, 70, 170), QColor(70, 0, 140),
                     QColor(255, 200, 40), 3);
    const QPainterPath star = starPath(QPointF(49, 14), 8, 3.5, 5);
    painter.fillPath(star, QColor(255, 220, 60));
    const QPainterPath letter = fittedText(QStringLiteral("V"), showFont(), QRectF(13, 14, 38, 40));
    painter.strokePath(letter,
                       QPen(QColor(30, 0, 60), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.fillPath(letter, QColor(255, 255, 255));
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

QImage pointer() {
    QImage image = clearCanvas(48, 48);
    QPainter painter(&image);
    prepare(painter);
    QPainterPath arrow;
    arrow.moveTo(3, 24);
    arrow.lineTo(24, 5);
    arrow.lineTo(24, 15);
    arrow.lineTo(44, 15);
    arrow.lineTo(44, 33);
    arrow.lineTo(24, 33);
    arrow.lineTo(24, 43);
    arrow.closeSubpath();
    painter.strokePath(arrow,
                       QPen(QColor(110, 30, 0), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QLinearGradient fill(0, 5, 0, 43);
    fill.setColorAt(0, QColor(255, 240, 90));
    fill.setColorAt(1, QColor(255, 120, 0));
    painter.fillPath(arrow, fill);
    painter.setClipPath(arrow);
    painter.fillRect(QRectF(0, 0, 48, 22), QColor(255, 255, 255, 90));
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

}  // namespace velta::art
