#include "content/HostSheet.h"

#include <QLocale>
#include <QPagedPaintDevice>
#include <QPdfWriter>
#include <QSaveFile>

#include "content/SheetTransfer.h"
#include "platform/Errors.h"
#include "platform/ProgramFolder.h"

namespace velta {

namespace {

QFont sheetFont(int points, bool bold = false) {
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(points);
    font.setBold(bold);
    return font;
}

constexpr int kFlags = Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop;

}  // namespace

struct HostSheet::Block {
    RoundKind kind = RoundKind::Normal;
    QString label;
    QString heading;  // the tie-breakers' heading, above the first of them
    QString question;
    QList<std::pair<QString, QString>> answers;
    QList<int> answerHeights;
    int headingHeight = 0;
    int labelHeight = 0;
    int questionHeight = 0;
    int height = 0;
};

HostSheet::HostSheet(const QString& folder, const QString& title, const QDate& date,
                     QPagedPaintDevice* device)
    : folder_(folder),
      title_(title),
      date_(date),
      device_(device),
      cards_(folderCards(folder)),
      titleFont_(sheetFont(26, true)),
      dateFont_(sheetFont(14)),
      headingFont_(sheetFont(20, true)),
      labelFont_(sheetFont(12, true)),
      questionFont_(sheetFont(18, true)),
      answerFont_(sheetFont(16)) {
    device_->setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    if (!painter_.begin(device_)) {
        throw FileError(QStringLiteral("No se pudo empezar a imprimir la hoja."));
    }
    width_ = device_->width();
    height_ = device_->height();
    startPage();
    painter_.setFont(titleFont_);
    const int titleHeight = textHeight(titleFont_, width_, title_);
    painter_.drawText(QRect(0, y_, width_, titleHeight), kFlags, title_);
    y_ += titleHeight;
    const QString when = QLocale(QLocale::Spanish).toString(date_, QLocale::LongFormat);
    const int dateHeight = textHeight(dateFont_, width_, when);
    painter_.setFont(dateFont_);
    painter_.drawText(QRect(0, y_, width_, dateHeight), kFlags, when);
    y_ += dateHeight * 2;
}

HostSheet::~HostSheet() {
    if (painter_.isActive()) {
        painter_.end();
    }
}

int HostSheet::textHeight(const QFont& font, int width, const QString& text) const {
    const QFontMetrics metrics(font, device_);
    return metrics.boundingRect(QRect(0, 0, width, 1 << 24), kFlags, text).height();
}

void HostSheet::startPage() {
    if (page_ > 0) {
        device_->newPage();
    }
    ++page_;
    y_ = 0;
    // The page number at the foot, where the host finds it when the pages are dropped.
    const QFont foot = sheetFont(10);
    const int footHeight = textHeight(foot, width_, QStringLiteral("0"));
    painter_.setFont(foot);
    painter_.drawText(QRect(0, height_ - footHeight, width_, footHeight),
                      Qt::AlignRight | Qt::AlignBottom,
                      QStringLiteral("%1 · página %2").arg(title_).arg(page_));
}

HostSheet::Block HostSheet::layOut(RoundKind kind, int number) const {
    const RoundCard card = LoadRoundCard(RoundFilePath(folder_, kind, number));
    Block block;
    block.kind = kind;
    block.label = kind == RoundKind::Extra ? QStringLiteral("Extra %1").arg(number)
                                           : QStringLiteral("Pregunta %1").arg(number);
    if (kind == RoundKind::Extra && (done_ == 0 || cards_[done_ - 1].first == RoundKind::Normal)) {
        block.heading = QStringLiteral("Preguntas extras (desempate)");
        block.headingHeight = textHeight(headingFont_, width_, block.heading) * 3 / 2;
    }
    block.question = card.question;
    // An answer is in use when its line holds more than one character.
    for (const QString& line : card.answerLines) {
        if (line.size() > 1) {
            block.answers << SplitAnswerLine(line);
        }
    }
    const int answerWidth = width_ * 4 / 5;
    block.labelHeight = textHeight(labelFont_, width_, block.label);
    block.questionHeight = textHeight(questionFont_, width_, block.question);
    block.height = block.headingHeight + block.labelHeight + block.questionHeight;
    for (int i = 0; i < block.answers.size(); ++i) {
        const QString text = QStringLiteral("%1. %2").arg(i + 1).arg(block.answers[i].first);
        const int h = textHeight(answerFont_, answerWidth, text);
        block.answerHeights << h;
        block.height += h;
    }
    block.height += block.labelHeight;  // room after the card
    return block;
}

void HostSheet::paint(const Block& block) {
    // A card that does not fit below the last one starts the next page; one taller than a
    // whole page still starts at the top of its own.
    if (y_ > 0 && y_ + block.height > height_ - textHeight(sheetFont(10), width_, "0") * 2) {
        startPage();
    }
    int y = y_;
    if (!block.heading.isEmpty()) {
        painter_.setFont(headingFont_);
        painter_.drawText(QRect(0, y, width_, block.headingHeight), kFlags, block.heading);
        y += block.headingHeight;
    }
    painter_.setFont(labelFont_);
    painter_.setPen(QColor(0x55, 0x55, 0x55));
    painter_.drawText(QRect(0, y, width_, block.labelHeight), kFlags, block.label);
    painter_.setPen(Qt::black);
    y += block.labelHeight;
    painter_.setFont(questionFont_);
    painter_.drawText(QRect(0, y, width_, block.questionHeight), kFlags, block.question);
    y += block.questionHeight;
    const int answerWidth = width_ * 4 / 5;
    for (int i = 0; i < block.answers.size(); ++i) {
        const int h = block.answerHeights[i];
        painter_.setFont(answerFont_);
        painter_.drawText(QRect(width_ / 30, y, answerWidth, h), kFlags,
                          QStringLiteral("%1. %2").arg(i + 1).arg(block.answers[i].first));
        QFont points = answerFont_;
        points.setBold(true);
        painter_.setFont(points);
        painter_.drawText(QRect(answerWidth, y, width_ - answerWidth, h),
                          Qt::AlignRight | Qt::AlignTop, block.answers[i].second);
        y += h;
    }
    y += block.labelHeight / 2;
    painter_.setPen(QPen(QColor(0xAA, 0xAA, 0xAA), 0));
    painter_.drawLine(0, y, width_, y);
    painter_.setPen(Qt::black);
    y_ = y + block.labelHeight / 2;
}

bool HostSheet::step() {
    if (done_ >= cards_.size()) {
        return false;
    }
    paint(layOut(cards_[done_].first, cards_[done_].second));
    ++done_;
    return done_ < cards_.size();
}

void HostSheet::finish() {
    if (painter_.isActive()) {
        painter_.end();
    }
}

QString pageCount(int pages) {
    return pages == 1 ? QStringLiteral("1 página") : QStringLiteral("%1 páginas").arg(pages);
}

void writeHostSheetPdf(const QString& folder, const QString& title, const QString& file,
                       const QPageSize& paper, int* pages, int* cards) {
    QSaveFile target(normalizeSeparators(file));
    if (!target.open(QIODevice::WriteOnly)) {
        throw FileError(
            QStringLiteral("No se pudo guardar el archivo \"%1\"").arg(shownPath(file)));
    }
    {
        QPdfWriter pdf(&target);
        pdf.setTitle(title);
        pdf.setCreator(QStringLiteral("VELTA"));
        pdf.setPageSize(paper);
        HostSheet sheet(folder, title, QDate::currentDate(), &pdf);
        while (sheet.step()) {
        }
        sheet.finish();
        *pages = sheet.pages();
        *cards = sheet.done();
    }
    if (!target.commit()) {
        throw FileError(
            QStringLiteral("No se pudo guardar el archivo \"%1\"").arg(shownPath(file)));
    }
}

}  // namespace velta
