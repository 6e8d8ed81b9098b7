#pragma once

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>
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

// A button the mouse presses and the keyboard never takes: the game's keys stay with the
// window's focus sink.
inline QPushButton* commandButton(const QString& name, const QString& caption, const QString& hint,
                                  QWidget* parent, const QRect& geometry) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setToolTip(hint);
    b->setGeometry(geometry);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

// A small round "i" whose hint says more.
inline QLabel* infoIcon(const QString& name, const QString& hint, QWidget* parent,
                        const QPoint& at) {
    QPixmap icon(16, 16);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2F, 0x6F, 0xB5));
    p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
    p.setPen(Qt::white);
    p.setFont(tahoma(11, true));
    p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, QStringLiteral("i"));
    p.end();
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setGeometry(QRect(at, QSize(16, 16)));
    label->setPixmap(icon);
    label->setToolTip(hint);
    return label;
}

}  // namespace velta
