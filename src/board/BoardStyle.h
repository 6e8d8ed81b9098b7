#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QWidget>

namespace velta {

// Fonts and colours of the board's elements, as the window definitions give them.
inline QFont BoardFont(const QString& family, int pixels, bool bold = false) {
    QFont f(family);
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

inline QFont Tahoma(int pixels, bool bold = false) {
    return BoardFont(QStringLiteral("Tahoma"), pixels, bold);
}

inline void SetBackground(QWidget* w, const QColor& colour) {
    w->setAutoFillBackground(true);
    QPalette p = w->palette();
    p.setColor(QPalette::Window, colour);
    w->setPalette(p);
}

inline void SetTextColour(QWidget* w, QPalette::ColorRole role, const QColor& colour) {
    QPalette p = w->palette();
    p.setColor(role, colour);
    w->setPalette(p);
}

}  // namespace velta
