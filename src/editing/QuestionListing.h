#pragma once

#include <QString>

namespace velta {

// Text as the question search compares it: lower case and without accents, so "limon"
// finds "Limón" and "PLAYA" finds "playa".
QString searchKey(const QString& text);

// The listing of every question of a rounds folder, to copy elsewhere: the heading "Rondas "
// + the game's title, then each normal card (its question, and its answers numbered
// "1.- " to "5.- "), then "Rondas Extras" and each extra card as stored. Each card ends with
// a separator line, a lone CR; lines are joined by CR LF. Each series is listed up to its
// own last card.
QString questionListing(const QString& folder, const QString& title);

}  // namespace velta
