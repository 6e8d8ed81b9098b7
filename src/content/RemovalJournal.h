#pragma once

#include <QString>
#include <optional>

#include "content/RoundFiles.h"

namespace velta {

// What a removal of a card is doing, kept in "borrado/renumeracion.txt" from before its
// first move until after its last: the series, the number removed and the name the removed
// card takes in "borrado" (empty when there was no such card, and only the gap is closed).
struct RemovalJournal {
    RoundKind kind = RoundKind::Normal;
    int number = 0;
    QString removedName;
};

QString removalJournalPath(const QString& folder);
QString removalJournalText(const RemovalJournal& journal);
// Nothing for a text this program did not write: no file is moved on its word.
std::optional<RemovalJournal> parseRemovalJournal(const QString& text);

// Finishes the removal a journal in the folder describes, as the operator asked it: the
// card goes to "borrado" if it has not yet, the cards after the gap move down one each,
// and the journal goes. A journal that is not this program's is dropped. False when a
// journal remains: it could not be read, or a move failed (the next look tries again).
bool finishRemoval(const QString& folder);

}  // namespace velta
