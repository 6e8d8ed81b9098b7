#include "console/QuestionPanel.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "board/BoardStyle.h"
#include "content/RoundFiles.h"

namespace velta {

namespace {

// Component names of the answer and points fields, row by row.
const char* const kAnswerNames[] = {"Edit2", "Edit6", "Edit8", "Edit10", "Edit12"};
const char* const kPointsNames[] = {"Edit3", "Edit7", "Edit9", "Edit11", "Edit13"};

QLineEdit* field(const QString& name, QWidget* parent, const QRect& geometry) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setGeometry(geometry);
    return e;
}

void setMarkedFont(QWidget* w, bool marked) {
    QFont f = w->font();
    f.setBold(marked);
    f.setUnderline(marked);
    w->setFont(f);
}

}  // namespace

QuestionPanel::QuestionPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("QuestionPanel"));
    resize(600, 250);
    fileName_ = new QLabel(QStringLiteral("No ronda"), this);
    fileName_->setObjectName(QStringLiteral("Label32"));
    fileName_->setGeometry(8, 0, 300, 18);
    fileName_->setFont(tahoma(12, true));

    question_ = field(QStringLiteral("Edit1"), this, QRect(8, 20, 584, 26));
    question_->setFont(tahoma(14, true));
    connect(question_, &QLineEdit::textChanged, question_, &QLineEdit::setToolTip);
    connect(question_, &QLineEdit::textEdited, this, &QuestionPanel::edited);

    for (int i = 0; i < 5; ++i) {
        const int y = 52 + 30 * i;
        auto* button = new QPushButton(QStringLiteral("%1.-").arg(i + 1), this);
        button->setObjectName(QStringLiteral("SB%1").arg(i + 1));
        button->setGeometry(8, y, 40, 26);
        button->setFlat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setToolTip(
            QStringLiteral("Mostrar/Ocultar en el juego la respuesta %1").arg(i + 1));
        connect(button, &QPushButton::clicked, this, [this, i] { Q_EMIT revealPressed(i + 1); });
        revealButtons_[i] = button;
        answers_[i] = field(QLatin1String(kAnswerNames[i]), this, QRect(52, y, 440, 26));
        answers_[i]->setFont(tahoma(13));
        points_[i] = field(QLatin1String(kPointsNames[i]), this, QRect(496, y, 60, 26));
        points_[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        points_[i]->setFont(tahoma(13));
        connect(points_[i], &QLineEdit::textChanged, this, &QuestionPanel::recomputeTotal);
        connect(answers_[i], &QLineEdit::textEdited, this, &QuestionPanel::edited);
        connect(points_[i], &QLineEdit::textEdited, this, &QuestionPanel::edited);
    }
    auto* totalLabel = new QLabel(QStringLiteral("Total"), this);
    totalLabel->setObjectName(QStringLiteral("LabelTotal"));
    totalLabel->setGeometry(440, 204, 50, 24);
    totalLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    total_ = field(QStringLiteral("Edit14"), this, QRect(496, 204, 60, 24));
    total_->setReadOnly(true);
    total_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    total_->setFocusPolicy(Qt::NoFocus);
    sumWarning_ = new QLabel(QStringLiteral("<-- la suma debe ser 100"), this);
    sumWarning_->setObjectName(QStringLiteral("LabelSuma"));
    sumWarning_->setGeometry(320, 228, 236, 18);
    sumWarning_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setTextColour(sumWarning_, QPalette::WindowText, QColor(0xC0, 0, 0));
    sumWarning_->hide();
}

void QuestionPanel::showFileName(const QString& fileName) {
    fileName_->setText(fileName);
}

void QuestionPanel::showCard(const QString& fileName, const RoundCard& card) {
    showFileName(fileName);
    question_->setText(card.question);
    for (int i = 0; i < 2; ++i) {
        const auto [text, points] = SplitAnswerLine(card.answerLines.value(i));
        answers_[i]->setText(text);
        points_[i]->setText(points);
    }
    for (int i = 2; i < 5; ++i) {
        answers_[i]->clear();
        points_[i]->clear();
    }
    for (int i = 2; i < 5 && !card.answerLines.value(i).isEmpty(); ++i) {
        const auto [text, points] = SplitAnswerLine(card.answerLines.value(i));
        answers_[i]->setText(text);
        points_[i]->setText(points);
    }
}

QString QuestionPanel::fileName() const {
    return fileName_->text();
}

void QuestionPanel::focusQuestion() {
    question_->setFocus(Qt::OtherFocusReason);
    question_->selectAll();
}

QStringList QuestionPanel::answers() const {
    QStringList texts;
    for (const QLineEdit* a : answers_) {
        texts << a->text();
    }
    return texts;
}

QStringList QuestionPanel::allPoints() const {
    QStringList texts;
    for (const QLineEdit* p : points_) {
        texts << p->text();
    }
    return texts;
}

void QuestionPanel::setAnswer(int row, const QString& text) {
    answers_.at(row - 1)->setText(text);
}

int QuestionPanel::badPoints(QString* why) const {
    for (int i = 0; i < 5; ++i) {
        *why = answerPointsFault(i + 1, answers_[i]->text(), points_[i]->text());
        if (!why->isEmpty()) {
            return i + 1;
        }
    }
    return 0;
}

bool QuestionPanel::questionEmpty() const {
    return question_->text().isEmpty();
}

void QuestionPanel::setRevealMark(int row, bool revealed) {
    setMarkedFont(answers_.at(row - 1), revealed);
    setMarkedFont(revealButtons_.at(row - 1), revealed);
}

void QuestionPanel::clearMarks() {
    for (int row = 1; row <= 5; ++row) {
        setRevealMark(row, false);
    }
}

QString QuestionPanel::question() const {
    return question_->text();
}

QString QuestionPanel::answer(int row) const {
    return answers_.at(row - 1)->text();
}

QString QuestionPanel::points(int row) const {
    return points_.at(row - 1)->text();
}

bool QuestionPanel::marked(int row) const {
    return answers_.at(row - 1)->font().underline();
}

// The total of the five points fields, an empty field counting 0. A field that holds no
// whole number is marked and leaves the total empty: it cannot be computed.
void QuestionPanel::recomputeTotal() {
    int sum = 0;
    bool computable = true;
    for (QLineEdit* p : points_) {
        const QString text = p->text().trimmed();
        bool ok = true;
        const int value = text.isEmpty() ? 0 : text.toInt(&ok);
        p->setStyleSheet(ok ? QString() : QStringLiteral("background: #F8C8C8;"));
        computable = computable && ok;
        sum += ok ? value : 0;
    }
    total_->setText(computable ? QString::number(sum) : QString());
    sumWarning_->setVisible(!computable || sum != 100);
}

}  // namespace velta
