#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <utility>

#include "content/QuestionSheet.h"
#include "content/RoundFiles.h"

namespace velta {

// Long transfers go one card per step, so a window can keep the board answering between
// steps and show how far it got.

// Writes the ready rows of a sheet as new cards of a rounds folder, each series after its
// last card: a card already there is never replaced, and a gap in the numbering is left
// as it is. Each card is written whole through SaveRoundCard.
class CardImport {
  public:
    CardImport(const QString& folder, const QList<SheetRow>& rows);

    // Writes the next card; false once every card is written. Throws FileError when a card
    // cannot be written: the cards written before it stay.
    bool step();
    int done() const { return done_; }
    int total() const { return int(rows_.size()); }
    // The numbers the cards took, per series: (first, last), or (0, 0) for none.
    std::pair<int, int> numbers(RoundKind kind) const;
    // The next number the series would take.
    int nextNumber(RoundKind kind) const;

  private:
    QString folder_;
    QList<SheetRow> rows_;
    int done_ = 0;
    int next_[2] = {1, 1};
    std::pair<int, int> taken_[2] = {{0, 0}, {0, 0}};
};

// The cards of a rounds folder as a spreadsheet: UTF-8 with a byte-order mark, the header
// row, then every normal card and every extra card in number order.
class SheetExport {
  public:
    explicit SheetExport(const QString& folder);

    // Reads the next card; false once every card is read. Throws FileError when a card
    // cannot be read.
    bool step();
    int done() const { return done_; }
    int total() const { return int(cards_.size()); }
    const QByteArray& bytes() const { return bytes_; }

  private:
    QString folder_;
    QList<std::pair<RoundKind, int>> cards_;
    int done_ = 0;
    QByteArray bytes_;
};

// "1 pregunta", "N preguntas".
QString questionCount(int count);

// What the import wrote: "Se importaron N preguntas en \"FOLDER\" (ronda5.txt a ronda9.txt)."
QString importNote(const CardImport& import, const QString& folder);

// Every card of both series, normal first, in number order.
QList<std::pair<RoundKind, int>> folderCards(const QString& folder);

// Replaces the file with the bytes atomically; throws FileError when it cannot.
void writeWholeFile(const QString& path, const QByteArray& bytes);

}  // namespace velta
