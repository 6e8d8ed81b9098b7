#pragma once

#include <QChar>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace velta {

class TForm1;

// How the control window's twin of a command acts.
enum class TwinRole {
    RunsTheBoards,  // runs the board's command
    OwnPanel,       // opens the control window's own panel for it (B, K)
    Off,            // shown, never enabled (M is the board's, T opens this window)
};

// One command of the game, once: its key, its buttons on both windows, its tool-tip, its
// line in the key list, whether the game keeps its enabled state, and what it does. The
// board's key row, the console's twins, the key lists, the tool-tips and the saved
// enabled-state are all built from this table; adding a command is one row and its handler.
struct Command {
    char letter;
    const char* boardName;  // the key button's component name on the board
    int boardX;             // its place in the board's key row
    const char* twinName;   // the twin's component name on the control window
    int twinX;
    TwinRole twin;
    const char* hint;
    // The key list's line; the "1 a 5" line stands for all five answers and sits on 1.
    const char* listLine;
    int listPosition;  // the line's place in the key list (0 for no line of its own)
    bool savedWithGame;
    bool enabledAtStart;
    std::function<void(TForm1&)> run;
};

const std::vector<Command>& commandTable();
const Command* findCommand(QChar letter);
// Whether a key (Qt::Key) is one of the commands' letters or digits.
bool isCommandKey(int key);

// The key list, in the order the operator reads it; undo and redo come last.
QStringList keyListLines();
// The commands whose enabled state the game changes and keeps, and those on at the start.
QString savedCommands();
QString commandsEnabledAtStart();

}  // namespace velta
