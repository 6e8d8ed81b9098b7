#pragma once

#include <QImage>
#include <QString>

namespace velta::art {

// The board's built-in pictures, painted in code. Each is drawn at the size the board
// shows it (or a multiple for the stretched ones), bold enough to read from the back of a
// room. The same pictures are written into the program folder by velta-art.

// Cover screen: the title over a stage-light backdrop. `scheme` picks one of the colour
// schemes of the preset themes (0 is the built-in cover).
QImage Cover(const QString& title, int scheme = 0);
QImage BoardBackground();       // behind the question and the five rows, 813 x 459
QImage RowBar(int row);         // row 1..5, 777 x 88
QImage ScoreBoxLeft();          // 181 x 89
QImage ScoreBoxRight();         // 181 x 89
QImage PotBox();                // 181 x 96
QImage Frame(int variant = 0);  // around the game, 950 x 590; variants 0..2
QImage NextArrow();             // the next-question button, 60 x 56
QImage Logo();                  // corner logo, 69 x 59
QImage Strike(int count);       // one, two or three red X, 626 x 209
QImage NotOnBoard();            // "not on the board", 626 x 209
QImage StartSplash();           // "¡A jugar!", 626 x 209
QImage DoublePoints();          // 585 x 136
QImage TriplePoints();          // 585 x 136
QImage FastMoneyWinner();       // fast-money win, 626 x 209
QImage Pointer();               // pointer beside a control-window button, 48 x 48

// The theme numbers that have a preset cover "Imagen\Titles\portada<N>.jpg".
const QList<int>& CoverThemeNumbers();

}  // namespace velta::art
