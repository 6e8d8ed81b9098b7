#pragma once

#include <QDate>
#include <QFont>
#include <QList>
#include <QPageSize>
#include <QPainter>
#include <QString>
#include <utility>

#include "content/RoundFiles.h"

class QPagedPaintDevice;

namespace velta {

// The host's sheet: the show's title and the date, then every question of a rounds folder
// in order, the tie-breakers after, each with its card number and its answers with their
// points, in type large enough to read under stage lights. A question never runs across a
// page break. Painted on a printer or a PDF writer, one card per step.
class HostSheet {
  public:
    // Starts painting on the device; throws FileError when the device cannot be painted.
    HostSheet(const QString& folder, const QString& title, const QDate& date,
              QPagedPaintDevice* device);
    ~HostSheet();

    // Paints the next card; false once every card is painted. Throws FileError when a card
    // cannot be read.
    bool step();
    int done() const { return done_; }
    int total() const { return int(cards_.size()); }
    // Ends the last page; the device holds the whole sheet.
    void finish();
    int pages() const { return page_; }

  private:
    struct Block;
    Block layOut(RoundKind kind, int number) const;
    void paint(const Block& block);
    void startPage();
    int textHeight(const QFont& font, int width, const QString& text) const;

    QString folder_;
    QString title_;
    QDate date_;
    QPagedPaintDevice* device_;
    QPainter painter_;
    QList<std::pair<RoundKind, int>> cards_;
    int done_ = 0;
    int page_ = 0;
    int y_ = 0;
    int width_ = 0;
    int height_ = 0;
    QFont titleFont_, dateFont_, headingFont_, labelFont_, questionFont_, answerFont_;
};

// "1 página", "N páginas".
QString pageCount(int pages);

// The sheet as a PDF file on the paper given, written whole or not at all; `pages` and
// `cards` receive what it holds. Throws FileError.
void writeHostSheetPdf(const QString& folder, const QString& title, const QString& file,
                       const QPageSize& paper, int* pages, int* cards);

}  // namespace velta
