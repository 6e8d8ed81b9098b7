// The pictures that flash over the question: strikes, "not on the board", the start of a
// game, double and triple points, and the fast-money win. All have clear backgrounds.

#include <QLinearGradient>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <QtMath>
#include <algorithm>

#include "art/Art.h"
#include "art/Paint.h"

namespace velta::art {

using namespace paint;

namespace {

constexpr int kSplashWidth = 626;
constexpr int kSplashHeight = 209;
constexpr int kBannerWidth = 585;
constexpr int kBannerHeight = 136;

// One big glossy red X filling a square of side `size` around the centre.
void paintStrikeMark(QPainter& painter, const QPointF& centre, double size) {
    const double length = size * 1.22;
    const double thickness = size * 0.27;
    QPainterPath bar;
    bar.addRoundedRect(QRectF(-length / 2, -thickness / 2, length, thickness), thickness * 0.3,
                       thickness * 0.3);
    QTransform turn;
    turn.translate(centre.x(), centre.y());
    turn.rotate(45);
    const QPainterPath first = turn.map(bar);
    turn.rotate(90);
    const QPainterPath mark = first.united(turn.map(bar)).simplified();

    painter.save();
    const QRectF box = mark.boundingRect();
    painter.fillPath(mark.translated(6, 8), QColor(0, 0, 0, 120));
    painter.strokePath(
        mark, QPen(QColor(70, 0, 0), size * 0.07, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QLinearGradient red(box.topLeft(), box.bottomRight());
    red.setColorAt(0, QColor(255, 110, 90));
    red.setColorAt(0.45, QColor(235, 20, 20));
    red.setColorAt(1, QColor(140, 0, 0));
    painter.fillPath(mark, red);
    painter.setClipPath(mark);
    QLinearGradient gloss(box.topLeft(), QPointF(box.left(), box.center().y()));
    gloss.setColorAt(0, QColor(255, 255, 255, 150));
    gloss.setColorAt(1, QColor(255, 255, 255, 0));
    painter.fillRect(QRectF(box.left(), box.top(), box.width(), box.height() / 2), gloss);
    painter.strokePath(mark, QPen(QColor(255, 200, 190, 160), size * 0.02));
    painter.restore();
}

// A stretched star burst behind splash lettering, kept inside the picture's ellipse so the
// corners stay clear.
void paintBurst(QPainter& painter, const QRectF& area, const QColor& inner, const QColor& outer,
                const QColor& edge, int points) {
    painter.save();
    painter.translate(area.center());
    painter.scale(area.width() / area.height(), 1.0);
    const double radius = area.height() / 2;
    const QPainterPath star = starPath(QPointF(0, 0), radius, radius * 0.78, points);
    QRadialGradient fill(QPointF(0, 0), radius);
    fill.setColorAt(0, inner);
    fill.setColorAt(0.7, outer);
    fill.setColorAt(1, outer.darker(130));
    painter.fillPath(star, fill);
    painter.strokePath(star, QPen(edge, 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.restore();
}

// Confetti scattered inside an ellipse, the same pieces every time.
void paintConfetti(QPainter& painter, const QRectF& area, int pieces, quint32 seed) {
    const QColor colours[] = {QColor(255, 60, 80), QColor(60, 200, 255), QColor(255, 230, 40),
                              QColor(120, 255, 90), QColor(255, 120, 240)};
    QRandomGenerator random(seed);
    painter.save();
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < pieces; ++i) {
        const double angle = random.bounded(2 * M_PI);
        const double reach = std::sqrt(random.bounded(1.0)) * 0.95;
        const QPointF spot(area.center().x() + std::cos(angle) * reach * area.width() / 2,
                           area.center().y() + std::sin(angle) * reach * area.height() / 2);
        painter.save();
        painter.translate(spot);
        painter.rotate(random.bounded(180));
        painter.setBrush(colours[i % 5]);
        painter.drawRect(QRectF(-6, -3, 12, 6));
        painter.restore();
    }
    painter.restore();
}

// A ribbon banner with folded tails for the points pictures.
QImage pointsBanner(const QString& text, const QColor& light, const QColor& dark, int stars) {
    QImage image = clearCanvas(kBannerWidth, kBannerHeight);
    QPainter painter(&image);
    prepare(painter);
    const QColor gold(255, 200, 40);
    const QRectF body(44, 18, kBannerWidth - 88, 92);
    for (int side = 0; side < 2; ++side) {
        const double outer = side == 0 ? 6 : kBannerWidth - 6;
        const double inner = side == 0 ? body.left() + 24 : body.right() - 24;
        const double notch = side == 0 ? outer + 22 : outer - 22;
        QPainterPath tail;
        tail.moveTo(inner, 40);
        tail.lineTo(outer, 40);
        tail.lineTo(notch, 80);
        tail.lineTo(outer, 120);
        tail.lineTo(inner, 120);
        tail.closeSubpath();
        painter.fillPath(tail, dark.darker(170));
        painter.strokePath(tail,
                           QPen(gold.darker(140), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    }
    paintGlossyPanel(painter, body, 22, light, dark, gold, 6);
    for (int i = 0; i < stars; ++i) {
        const double x = body.center().x() + (i - (stars - 1) / 2.0) * 34;
        const QPainterPath star = starPath(QPointF(x, body.top() + 2), 14, 6, 5);
        painter.fillPath(star, gold);
        painter.strokePath(star, QPen(QColor(110, 60, 0), 2));
    }
    const QPainterPath letters = fittedText(text, showFont(true), body.adjusted(24, 24, -24, -14));
    paintShowText(painter, letters,
                  {QColor(255, 255, 255), QColor(255, 215, 30), QColor(20, 10, 40),
                   QColor(255, 240, 150, 0), 4.5});
    paintSparkle(painter, body.topLeft() + QPointF(18, 10), 16, QColor(255, 250, 200));
    paintSparkle(painter, body.bottomRight() - QPointF(20, 10), 18, QColor(255, 250, 200));
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

}  // namespace

QImage strikeMarks(int count) {
    const int marks = std::clamp(count, 1, 3);
    QImage image = clearCanvas(kSplashWidth, kSplashHeight);
    QPainter painter(&image);
    prepare(painter);
    const double size = 166;
    const double step = 200;
    const double first = kSplashWidth / 2.0 - (marks - 1) * step / 2;
    for (int i = 0; i < marks; ++i) {
        paintStrikeMark(painter, QPointF(first + i * step, kSplashHeight / 2.0 - 2), size);
    }
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

QImage notOnBoardMark() {
    QImage image = clearCanvas(kSplashWidth, kSplashHeight);
    QPainter painter(&image);
    prepare(painter);

    // Behind everything a dark rounded plate so the red reads over any question.
    QPainterPath plate;
    plate.addRoundedRect(QRectF(10, 18, kSplashWidth - 20, kSplashHeight - 36), 40, 40);
    painter.fillPath(plate, QColor(20, 0, 0, 200));
    painter.strokePath(plate, QPen(QColor(255, 60, 50), 5));

    // The sign: a red X inside a red ring on a white disc.
    const QPointF centre(112, kSplashHeight / 2.0);
    const double radius = 72;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255));
    painter.drawEllipse(centre, radius, radius);
    paintStrikeMark(painter, centre, 80);
    QPainterPath ring;
    ring.addEllipse(centre, radius, radius);
    ring.addEllipse(centre, radius - 16, radius - 16);
    QLinearGradient red(centre - QPointF(0, radius), centre + QPointF(0, radius));
    red.setColorAt(0, QColor(255, 70, 60));
    red.setColorAt(1, QColor(170, 0, 0));
    painter.fillPath(ring, red);
    painter.strokePath(ring, QPen(QColor(90, 0, 0), 3));

    const QPainterPath letters =
        fittedText(QStringLiteral("¡NO ESTÁ!"), showFont(true), QRectF(204, 50, 380, 110));
    paintShowText(
        painter, letters,
        {QColor(255, 235, 230), QColor(255, 40, 30), QColor(60, 0, 0), QColor(255, 60, 40), 5, 14});
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

QImage startSplash() {
    QImage image = clearCanvas(kSplashWidth, kSplashHeight);
    QPainter painter(&image);
    prepare(painter);
    const QRectF area(14, 4, kSplashWidth - 28, kSplashHeight - 8);
    paintBurst(painter, area, QColor(255, 250, 170), QColor(255, 140, 0), QColor(190, 40, 0), 22);
    paintConfetti(painter, area.adjusted(40, 20, -40, -20), 40, 7);
    const QPainterPath letters =
        fittedText(QStringLiteral("¡A jugar!"), showFont(), QRectF(96, 40, 434, 124));
    paintShowText(painter, letters,
                  {QColor(255, 255, 255), QColor(60, 200, 255), QColor(10, 20, 90),
                   QColor(255, 255, 255), 6, 10});
    paintSparkle(painter, QPointF(92, 56), 22, QColor(255, 255, 220));
    paintSparkle(painter, QPointF(536, 150), 26, QColor(255, 255, 220));
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

QImage doublePoints() {
    return pointsBanner(QStringLiteral("¡PUNTOS DOBLES!"), QColor(70, 150, 255),
                        QColor(10, 40, 170), 2);
}

QImage triplePoints() {
    return pointsBanner(QStringLiteral("¡PUNTOS TRIPLES!"), QColor(255, 80, 150),
                        QColor(140, 0, 70), 3);
}

// A banner the width of the fast-money board: a glowing golden plate with confetti and
// the word in show lettering.
QImage fastMoneyWinner() {
    const int width = 643;
    const int height = 92;
    QImage image = clearCanvas(width, height);
    QPainter painter(&image);
    prepare(painter);
    const QRectF plate(4, 6, width - 8, height - 12);
    paintGlossyPanel(painter, plate, 22, QColor(255, 230, 120), QColor(210, 120, 0),
                     QColor(120, 30, 0), 4);
    painter.save();
    painter.setClipRect(plate.adjusted(4, 4, -4, -4));
    paintRays(painter, plate.center(), plate.width() / 2, 28, QColor(255, 255, 255, 90),
              QColor(255, 150, 0, 60));
    painter.restore();
    paintConfetti(painter, plate.adjusted(16, 6, -16, -6), 36, 11);
    const QPainterPath letters =
        fittedText(QStringLiteral("¡GANADOR!"), showFont(true), QRectF(150, 12, 343, 68));
    paintShowText(painter, letters,
                  {QColor(255, 255, 220), QColor(255, 170, 0), QColor(120, 0, 0),
                   QColor(255, 255, 255), 5, 6});
    for (const QPointF& spot :
         {QPointF(60, 46), QPointF(120, 46), QPointF(523, 46), QPointF(583, 46)}) {
        const QPainterPath star = starPath(spot, 18, 7, 5);
        painter.fillPath(star, QColor(255, 240, 90));
        painter.strokePath(star, QPen(QColor(130, 40, 0), 2.5));
    }
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

// A slot of the fast-money board: a glossy bar, gold-rimmed; a score's is a deeper well.
QImage fastMoneySlot(int width, int height, bool score) {
    QImage image = clearCanvas(width, height);
    QPainter painter(&image);
    prepare(painter);
    const QRectF body(2, 2, width - 4, height - 4);
    if (score) {
        paintGlossyPanel(painter, body, 10, QColor(20, 50, 140), QColor(3, 12, 50),
                         QColor(255, 196, 40), 3);
    } else {
        paintGlossyPanel(painter, body, 12, QColor(40, 90, 200), QColor(10, 30, 110),
                         QColor(255, 196, 40), 3);
    }
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

}  // namespace velta::art
