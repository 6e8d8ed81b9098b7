#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <optional>

namespace velta {

// A colour of the colour table: its name as the table writes it (without "cl") and its
// value. `Default` and `None` carry no colour of their own (an invalid QColor): whoever
// applies them keeps the element's own default colour.
struct TableColour {
    QString name;
    QColor colour;
};

// The twenty fixed colours the colour lists offer, in their order.
const QStringList& colourListNames();

// "cl" + name looked up in the table, ignoring case: the twenty fixed colours, the thirty
// desktop roles (taken from the running desktop's palette), Default and None. Nothing for
// a name that is not in the table.
std::optional<TableColour> lookupColour(const QString& name);

// The message an operator reads when a stored colour name is not in the table.
QString unknownColourMessage(const QString& file, int line, const QString& name);

}  // namespace velta
