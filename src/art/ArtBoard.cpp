// The board itself: its stage background, the five answer bars and the score boxes.

#include <QLinearGradient>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <algorithm>

#include "art/Art.h"
#include "art/Paint.h"

namespace velta::art {

using namespace paint;

namespace {

// The score panels clip their pictures: only this part of each picture is ever seen,
// so the box is drawn there and the rest carries on in the panel colour.
const QRect kLeftVisible(0, 0, 144, 70);
const QRect kRightVisible(4, 3, 145, 70);
const QRect kPotVisible(4, 1, 145, 70);

QImage scoreBox(int width, int height, const QRect& visible, const QColor& base,
                const QColor& light, const QColor& rim) {
    QImage image = solidCanvas(width, height, base.darker(150));
    QPainter painter(&image);
    prepare(painter);
    const QRectF box = QRectF(visible).adjusted(1, 1, -1, -1);
    paintGlossyPanel(painter, box, 12, light, base, rim, 5);

    // Faint diagonal stripes give the box some life without fighting the white numbers.
    QPainterPath inside;
    inside.addRoundedRect(box.adjusted(6, 6, -6, -6), 8, 8);
    painter.setClipPath(inside);
    painter.setPen(QPen(QColor(255, 255, 255, 18), 6));
    for (int x = -height; x < width; x += 18) {
        painter.drawLine(QPointF(x, height), QPointF(x + height, 0));
    }
    painter.end();
    return image;
}

}  // namespace

QImage boardBackground() {
    const int width = 813;
    const int height = 459;
    QImage image = solidCanvas(width, height, Qt::black);
    QPainter painter(&image);
    prepare(painter);

    QLinearGradient sky(0, 0, 0, height);
    sky.setColorAt(0, QColor(12, 36, 110));
    sky.setColorAt(0.5, QColor(5, 18, 66));
    sky.setColorAt(1, QColor(2, 6, 28));
    painter.fillRect(image.rect(), sky);

    // Stage lights: soft beams falling from the top edge.
    painter.setPen(Qt::NoPen);
    painter.setCompositionMode(QPainter::CompositionMode_Plus);
    for (int i = 0; i < 5; ++i) {
        const double x = 80 + i * 163;
        QLinearGradient beam(x, 0, x, height);
        beam.setColorAt(0, QColor(60, 120, 255, 80));
        beam.setColorAt(1, QColor(0, 0, 0, 0));
        QPainterPath cone;
        cone.moveTo(x - 14, 0);
        cone.lineTo(x + 14, 0);
        cone.lineTo(x + 90 + (i - 2) * 30, height);
        cone.lineTo(x - 90 + (i - 2) * 30, height);
        cone.closeSubpath();
        painter.fillPath(cone, beam);
    }
    QRadialGradient glow(width / 2.0, 0, width * 0.55);
    glow.setColorAt(0, QColor(70, 110, 255, 110));
    glow.setColorAt(1, QColor(0, 0, 0, 0));
    painter.fillRect(image.rect(), glow);

    // A field of small stars.
    QRandomGenerator random(3);
    for (int i = 0; i < 90; ++i) {
        const QPointF spot(random.bounded(width), random.bounded(height));
        const int alpha = 40 + random.bounded(110);
        painter.setBrush(QColor(180, 210, 255, alpha));
        const double r = 0.8 + random.bounded(1.6);
        painter.drawEllipse(spot, r, r);
    }
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);

    // A thin light line under the question band.
    QLinearGradient line(0, 0, width, 0);
    line.setColorAt(0, QColor(80, 160, 255, 0));
    line.setColorAt(0.5, QColor(140, 210, 255, 220));
    line.setColorAt(1, QColor(80, 160, 255, 0));
    painter.fillRect(QRectF(20, 70, width - 40, 2), line);
    painter.end();
    return image;
}

QImage rowBar(int row) {
    const int width = 777;
    const int height = 88;
    const int index = std::clamp(row, 1, 5) - 1;
    QImage image = clearCanvas(width, height);
    QPainter painter(&image);
    prepare(painter);

    // The bars overlap on the board: the body keeps to the middle rows of the picture.
    const QRectF body(2, 9, width - 4, 70);
    const QColor deep = QColor::fromHsv(222 + index * 3, 230, 120);
    paintGlossyPanel(painter, body, 16, deep.lighter(140), deep, QColor(255, 196, 40), 4);

    // The points well on the right, a shade darker and rimmed in light blue; it keeps within
    // the row's cover so a covered row shows none of it.
    const QRectF well(body.right() - 136, 16, 124, 52);
    paintGlossyPanel(painter, well, 10, QColor(20, 50, 140), QColor(3, 12, 50),
                     QColor(110, 190, 255), 3);
    painter.setPen(QPen(QColor(110, 190, 255, 140), 2));
    painter.drawLine(QPointF(well.left() - 10, 22), QPointF(well.left() - 10, 64));
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

QImage scoreBoxLeft() {
    return scoreBox(181, 89, kLeftVisible, QColor(0, 78, 60), QColor(10, 130, 85),
                    QColor(120, 255, 160));
}

QImage scoreBoxRight() {
    return scoreBox(181, 89, kRightVisible, QColor(76, 0, 92), QColor(125, 35, 165),
                    QColor(230, 150, 255));
}

QImage potBox() {
    return scoreBox(181, 96, kPotVisible, QColor(8, 20, 96), QColor(30, 70, 180),
                    QColor(255, 200, 40));
}

}  // namespace velta::art
