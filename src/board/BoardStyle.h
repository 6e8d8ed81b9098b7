#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QWidget>

namespace velta {

// Fonts and colours of the board's elements, as the window definitions give them.
inline QFont boardFont(const QString& family, int pixels, bool bold = false) {
    QFont f(family);
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

inline QFont tahoma(int pixels, bool bold = false) {
    return boardFont(QStringLiteral("Tahoma"), pixels, bold);
}

inline void setBackground(QWidget* w, const QColor& colour) {
    w->setAutoFillBackground(true);
    QPalette p = w->palette();
    p.setColor(QPalette::Window, colour);
    w->setPalette(p);
}

inline void setTextColour(QWidget* w, QPalette::ColorRole role, const QColor& colour) {
    QPalette p = w->palette();
    p.setColor(role, colour);
    w->setPalette(p);
}

}  // namespace velta
