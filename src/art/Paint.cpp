#include "art/Paint.h"

#include <QLinearGradient>
#include <QRadialGradient>
#include <QtMath>
#include <algorithm>

namespace velta::art::paint {

QImage clearCanvas(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QImage solidCanvas(int width, int height, const QColor& fill) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

void prepare(QPainter& painter) {
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform |
                           QPainter::TextAntialiasing);
}

QFont showFont(bool condensed) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(120);
    font.setBold(true);
    if (condensed) {
        font.setStretch(QFont::Condensed);
    }
    return font;
}

QList<QPainterPath> fittedLines(const QStringList& lines, const QFont& font, const QRectF& box) {
    // Lines are laid out at the font's own size, then the whole block is scaled into the box.
    const double lineStep = font.pixelSize() * 1.05;
    QList<QPainterPath> laid;
    QRectF block;
    for (const QString& line : lines) {
        QPainterPath path;
        path.setFillRule(Qt::WindingFill);
        path.addText(0, 0, font, line);
        path.translate(-path.boundingRect().center().x(), laid.size() * lineStep);
        block = block.united(path.boundingRect());
        laid.append(path);
    }
    if (block.isEmpty()) {
        return laid;
    }
    const double scale = std::min(box.width() / block.width(), box.height() / block.height());
    QTransform place;
    place.translate(box.center().x(), box.center().y());
    place.scale(scale, scale);
    place.translate(-block.center().x(), -block.center().y());
    for (QPainterPath& path : laid) {
        path = place.map(path);
        path.setFillRule(Qt::WindingFill);
    }
    return laid;
}

QPainterPath fittedText(const QString& text, const QFont& font, const QRectF& box) {
    return fittedLines(QStringList{text}, font, box).value(0);
}

QColor faded(const QColor& colour, double alpha) {
    QColor faded = colour;
    faded.setAlphaF(static_cast<float>(std::clamp(alpha, 0.0, 1.0)));
    return faded;
}

void paintShowText(QPainter& painter, const QPainterPath& text, const TextLook& look) {
    if (text.isEmpty()) {
        return;
    }
    painter.save();
    const QRectF bounds = text.boundingRect();
    const double edge = look.outlineWidth * 2;

    // Halo: wide strokes of low alpha pile up towards the letters.
    if (look.glow.alpha() > 0 && look.glowWidth > 0) {
        const int steps = 6;
        for (int i = steps; i >= 1; --i) {
            painter.strokePath(text, QPen(faded(look.glow, 0.16), edge + look.glowWidth * i / steps,
                                          Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        }
    }

    // Drop shadow below and to the right, so the letters stand off the background.
    const QPointF drop(edge * 0.35 + 2, edge * 0.45 + 3);
    painter.strokePath(text.translated(drop), QPen(QColor(0, 0, 0, 150), edge, Qt::SolidLine,
                                                   Qt::RoundCap, Qt::RoundJoin));
    painter.strokePath(text, QPen(look.outline, edge, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));

    QLinearGradient fill(bounds.topLeft(), bounds.bottomLeft());
    fill.setColorAt(0, look.top);
    fill.setColorAt(0.45, look.top.lighter(108));
    fill.setColorAt(0.55, look.bottom);
    fill.setColorAt(1, look.bottom.darker(125));
    painter.fillPath(text, fill);

    // Gloss on the upper part of every letter, and a thin light inner edge.
    painter.setClipPath(text);
    QLinearGradient gloss(bounds.topLeft(), QPointF(bounds.left(), bounds.center().y()));
    gloss.setColorAt(0, QColor(255, 255, 255, 170));
    gloss.setColorAt(1, QColor(255, 255, 255, 20));
    painter.fillRect(QRectF(bounds.topLeft(), QSizeF(bounds.width(), bounds.height() * 0.48)),
                     gloss);
    painter.strokePath(text, QPen(QColor(255, 255, 255, 110), std::max(1.5, edge * 0.18)));
    painter.restore();
}

QPainterPath starPath(const QPointF& centre, double outer, double inner, int points) {
    QPainterPath star;
    for (int i = 0; i < points * 2; ++i) {
        const double radius = (i % 2 == 0) ? outer : inner;
        const double angle = -M_PI / 2 + i * M_PI / points;
        const QPointF tip(centre.x() + radius * std::cos(angle),
                          centre.y() + radius * std::sin(angle));
        if (i == 0) {
            star.moveTo(tip);
        } else {
            star.lineTo(tip);
        }
    }
    star.closeSubpath();
    return star;
}

void paintRays(QPainter& painter, const QPointF& centre, double radius, int rays,
               const QColor& first, const QColor& second, double turnDegrees) {
    painter.save();
    painter.setPen(Qt::NoPen);
    const double half = M_PI / (rays * 2.0);
    for (int i = 0; i < rays; ++i) {
        const double angle = qDegreesToRadians(turnDegrees) + i * 2 * M_PI / rays;
        const QColor& colour = (i % 2 == 0) ? first : second;
        QRadialGradient fade(centre, radius);
        fade.setColorAt(0, colour);
        fade.setColorAt(0.6, faded(colour, colour.alphaF() * 0.5));
        fade.setColorAt(1, faded(colour, 0));
        QPainterPath ray(centre);
        ray.lineTo(centre +
                   QPointF(radius * std::cos(angle - half), radius * std::sin(angle - half)));
        ray.lineTo(centre +
                   QPointF(radius * std::cos(angle + half), radius * std::sin(angle + half)));
        ray.closeSubpath();
        painter.fillPath(ray, fade);
    }
    painter.restore();
}

void paintSparkle(QPainter& painter, const QPointF& centre, double radius, const QColor& colour) {
    painter.save();
    painter.setPen(Qt::NoPen);
    QRadialGradient halo(centre, radius);
    halo.setColorAt(0, faded(colour, 0.8));
    halo.setColorAt(0.35, faded(colour, 0.25));
    halo.setColorAt(1, faded(colour, 0));
    painter.setBrush(halo);
    painter.drawEllipse(centre, radius, radius);
    painter.setBrush(QColor(255, 255, 255, 235));
    painter.drawPath(starPath(centre, radius, radius * 0.16, 4));
    painter.restore();
}

void paintGlossyPanel(QPainter& painter, const QRectF& rect, double radius, const QColor& light,
                      const QColor& dark, const QColor& rim, double rimWidth) {
    painter.save();
    QPainterPath body;
    body.addRoundedRect(rect, radius, radius);
    QLinearGradient fill(rect.topLeft(), rect.bottomLeft());
    fill.setColorAt(0, light);
    fill.setColorAt(0.5, dark);
    fill.setColorAt(1, dark.darker(140));
    painter.fillPath(body, fill);

    painter.setClipPath(body);
    QPainterPath gloss;
    const QRectF top(rect.left() + rimWidth, rect.top() + rimWidth, rect.width() - 2 * rimWidth,
                     rect.height() * 0.45);
    gloss.addRoundedRect(top, radius * 0.8, radius * 0.8);
    QLinearGradient shine(top.topLeft(), top.bottomLeft());
    shine.setColorAt(0, QColor(255, 255, 255, 120));
    shine.setColorAt(1, QColor(255, 255, 255, 12));
    painter.fillPath(gloss, shine);
    painter.setClipping(false);

    QLinearGradient edge(rect.topLeft(), rect.bottomLeft());
    edge.setColorAt(0, rim.lighter(150));
    edge.setColorAt(0.5, rim);
    edge.setColorAt(1, rim.darker(160));
    const double inset = rimWidth / 2;
    painter.setPen(QPen(QBrush(edge), rimWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(rect.adjusted(inset, inset, -inset, -inset), radius, radius);
    painter.restore();
}

}  // namespace velta::art::paint
