#pragma once

#include <QImage>
#include <QString>

namespace velta::art {

// The board's built-in pictures, painted in code. Each is drawn at the size the board
// shows it (or a multiple for the stretched ones), bold enough to read from the back of a
// room. The same pictures are written into the program folder by velta-art.

// cover screen: the title over a stage-light backdrop. `scheme` picks one of the colour
// schemes of the preset themes (0 is the built-in cover).
QImage cover(const QString& title, int scheme = 0);
QImage boardBackground();       // behind the question and the five rows, 813 x 459
QImage rowBar(int row);         // row 1..5, 777 x 88
QImage scoreBoxLeft();          // 181 x 89
QImage scoreBoxRight();         // 181 x 89
QImage potBox();                // 181 x 96
QImage frame(int variant = 0);  // around the game, 950 x 590; variants 0..2
QImage nextArrow();             // the next-question button, 60 x 56
QImage logo();                  // corner logo, 69 x 59
QImage appIcon(int size);       // the program's icon for menus and docks, size x size
QImage strikeMarks(int count);  // one, two or three red X, 626 x 209
QImage notOnBoardMark();        // "not on the board", 626 x 209
QImage startSplash();           // "¡A jugar!", 626 x 209
QImage doublePoints();          // 585 x 136
QImage triplePoints();          // 585 x 136
QImage fastMoneyWinner();       // fast-money win, a banner of 643 x 92
// A slot of the fast-money board, for an answer or (deeper) a score.
QImage fastMoneySlot(int width, int height, bool score);
QImage pointer();  // pointer beside a control-window button, 48 x 48

// The theme numbers that have a preset cover "Imagen\Titles\portada<N>.jpg".
const QList<int>& coverThemeNumbers();

}  // namespace velta::art
