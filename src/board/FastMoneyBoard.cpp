#include "board/FastMoneyBoard.h"

#include <QLabel>
#include <QPainter>

#include "art/Art.h"
#include "board/BoardStyle.h"
#include "board/ImageBox.h"
#include "board/KeyButton.h"

namespace velta {

namespace {

constexpr int kTypePixels = 27;

}  // namespace

FastMoneySlot::FastMoneySlot(const QString& name, bool score, QWidget* parent)
    : QWidget(parent), score_(score) {
    setObjectName(name);
    setAttribute(Qt::WA_TranslucentBackground);
}

void FastMoneySlot::setText(const QString& text) {
    text_ = text;
    update();
}

void FastMoneySlot::resizeEvent(QResizeEvent*) {
    bar_ = art::fastMoneySlot(width(), height(), score_);
}

void FastMoneySlot::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, bar_);
    if (text_.isEmpty()) {
        return;
    }
    const QRect box = rect().adjusted(12, 0, -12, 0);
    QFont f = tahoma(kTypePixels, true);
    // A long answer shrinks rather than being cut.
    while (f.pixelSize() > 16 && QFontMetrics(f).horizontalAdvance(text_) > box.width()) {
        f.setPixelSize(f.pixelSize() - 1);
    }
    p.setFont(f);
    p.setPen(QColor(0, 0, 0, 150));
    const int align = score_ ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter;
    p.drawText(box.translated(2, 2), align, text_);
    p.setPen(score_ ? QColor(255, 230, 80) : QColor(120, 255, 90));
    p.drawText(box, align, text_);
}

FastMoneyBoard::FastMoneyBoard(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Panel18"));
    resize(798, 454);
    background_ = new ImageBox(QStringLiteral("Image23"), this, ImageBox::Fit::Stretch);
    background_->setGeometry(rect());

    auto* title = new QLabel(QStringLiteral("DINERO RÁPIDO"), this);
    title->setObjectName(QStringLiteral("Label63"));
    title->setGeometry(22, 8, 520, 56);
    title->setFont(tahoma(34, true));
    setTextColour(title, QPalette::WindowText, Qt::yellow);

    clock_ = new QLabel(QStringLiteral("00"), this);
    clock_->setObjectName(QStringLiteral("Label62"));
    clock_->setGeometry(600, 4, 150, 64);
    clock_->setFont(tahoma(53, true));
    clock_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setTextColour(clock_, QPalette::WindowText, QColor(0xC0, 0xDC, 0xC0));

    for (int slot = 0; slot < 10; ++slot) {
        const bool second = slot >= 5;
        const int y = 76 + (slot % 5) * 56;
        answers_[slot] = new FastMoneySlot(QLatin1String(kFastMoneyAnswerNames[slot]), false, this);
        scores_[slot] = new FastMoneySlot(QLatin1String(kFastMoneyScoreNames[slot]), true, this);
        answers_[slot]->setGeometry(second ? 508 : 14, y, 276, 50);
        scores_[slot]->setGeometry(second ? 403 : 294, y, 101, 50);
    }

    winner_ = new ImageBox(QStringLiteral("Image22"), this, ImageBox::Fit::Centre);
    winner_->setGeometry(77, 358, 643, 92);
    winner_->setKeyOutBackground(true);
    winner_->hide();

    auto* close = new KeyButton(QStringLiteral("SpeedButton100"), QStringLiteral("\u2715"),
                                QStringLiteral("Cerrar"), this);
    close->move(770, 2);
    close->setCaptionColour(Qt::white);
    connect(close, &KeyButton::clicked, this, &FastMoneyBoard::closeRequested);
}

void FastMoneyBoard::setAnswer(int slot, const QString& text) {
    answers_.at(slot - 1)->setText(text);
}

void FastMoneyBoard::setScore(int slot, const QString& text) {
    scores_.at(slot - 1)->setText(text);
}

QString FastMoneyBoard::answer(int slot) const {
    return answers_.at(slot - 1)->text();
}

QString FastMoneyBoard::score(int slot) const {
    return scores_.at(slot - 1)->text();
}

void FastMoneyBoard::clear() {
    for (int slot = 1; slot <= 10; ++slot) {
        setAnswer(slot, QString());
        setScore(slot, QString());
    }
}

void FastMoneyBoard::setClock(const QString& text) {
    clock_->setText(text);
}

}  // namespace velta
