#pragma once

#include <QLabel>
#include <QPainter>
#include <QPixmap>

#include "board/BoardStyle.h"

namespace velta {

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
