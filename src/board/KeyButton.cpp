#include "board/KeyButton.h"

#include <QPainter>

#include "board/TipStyle.h"

namespace velta {

KeyButton::KeyButton(const QString& name, const QString& caption, const QString& hint,
                     QWidget* parent)
    : QAbstractButton(parent), caption_(caption) {
    setObjectName(name);
    setToolTip(hint);
    setToolTipDuration(kTipDurationMs);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
    resize(23, 22);
    const int amp = caption.indexOf('&');
    if (amp >= 0 && amp + 1 < caption.size()) {
        accelerator_ = caption[amp + 1].toLower();
    }
    QFont f = font();
    f.setFamily(QStringLiteral("Tahoma"));
    f.setPixelSize(13);
    f.setBold(true);
    setFont(f);
}

void KeyButton::setCaptionColour(const QColor& colour) {
    captionColour_ = colour;
    update();
}

void KeyButton::press() {
    Q_EMIT clicked(false);
}

void KeyButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    if (hovered_ && isEnabled()) {
        p.setPen(palette().color(QPalette::Mid));
        p.setBrush(palette().color(QPalette::Button).lighter(105));
        p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    }
    QString text = caption_;
    text.remove('&');
    QColor colour = captionColour_.isValid() ? captionColour_ : palette().color(QPalette::Link);
    if (!isEnabled()) {
        colour = palette().color(QPalette::Disabled, QPalette::WindowText);
    }
    p.setPen(colour);
    QFont f = font();
    f.setUnderline(accelerator_ != QChar());
    p.setFont(f);
    p.drawText(rect(), Qt::AlignCenter, text);
}

void KeyButton::enterEvent(QEnterEvent* event) {
    hovered_ = true;
    update();
    QAbstractButton::enterEvent(event);
}

void KeyButton::leaveEvent(QEvent* event) {
    hovered_ = false;
    update();
    QAbstractButton::leaveEvent(event);
}

}  // namespace velta
