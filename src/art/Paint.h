#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <QStringList>

// Drawing helpers shared by the built-in pictures: canvases, show lettering, bursts,
// sparkles and glossy panels.
namespace velta::art::paint {

// A transparent canvas, and an opaque one filled with a colour.
QImage clearCanvas(int width, int height);
QImage solidCanvas(int width, int height, const QColor& fill);

// A painter with antialiasing switched on.
void prepare(QPainter& painter);

// Heavy lettering: DejaVu Sans Bold, or its condensed cut for long words.
QFont showFont(bool condensed = false);

// The outlines of one or more lines of text, one path per line, stacked and centred in the
// box and scaled together so the block fills it.
QList<QPainterPath> fittedLines(const QStringList& lines, const QFont& font, const QRectF& box);
QPainterPath fittedText(const QString& text, const QFont& font, const QRectF& box);

struct TextLook {
    QColor top;            // fill at the top of the letters
    QColor bottom;         // fill at the bottom
    QColor outline;        // thick outer edge
    QColor glow;           // soft halo; transparent for none
    double outlineWidth;   // width of the outer edge on each side
    double glowWidth = 0;  // how far the halo reaches beyond the edge
};

// Lettering as a show would paint it: halo, drop shadow, thick edge, gradient, gloss.
void paintShowText(QPainter& painter, const QPainterPath& text, const TextLook& look);

// A star with `points` tips, the first pointing up.
QPainterPath starPath(const QPointF& centre, double outer, double inner, int points);

// Light rays spreading from a centre and fading out, alternating two colours.
void paintRays(QPainter& painter, const QPointF& centre, double radius, int rays,
               const QColor& first, const QColor& second, double turnDegrees = 0);

// A four-pointed twinkle with a small halo.
void paintSparkle(QPainter& painter, const QPointF& centre, double radius, const QColor& colour);

// A rounded panel with a rim, a vertical gradient and a gloss on its upper half.
void paintGlossyPanel(QPainter& painter, const QRectF& rect, double radius, const QColor& light,
                      const QColor& dark, const QColor& rim, double rimWidth);

// The colour with another alpha (0..1).
QColor faded(const QColor& colour, double alpha);

}  // namespace velta::art::paint
