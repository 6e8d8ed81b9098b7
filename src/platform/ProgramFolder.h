#pragma once

#include <QString>

namespace velta {

// Two folders: the program folder is the folder of the executable, with what is part of the
// program (the board's pictures, the sounds, the shipped questions); the show folder holds
// what the operator makes (settings, questions, themes, versions, banks, the game in
// progress). They are one folder when the program folder can be written (a build, a copy on
// a USB stick); an installed program keeps the show in the user's data folder.

// Sets the program folder, and the show folder with it. Set once at start; tests set their
// own.
void setProgramFolder(const QString& folder);

// Moves the show to a folder of its own. A show folder that cannot be written is read but
// never saved to: every save below it is skipped.
void setShowFolder(const QString& folder, bool writable = true);

// The show folder with a trailing '/': every setting, question and save is addressed below
// it. (Named for the program folder, which it is unless the show has a folder of its own.)
QString programFolder();

// Joins the show folder with a relative path written with '\' or '/'.
QString programPath(const QString& relative);

// A picture or sound: the show folder's own when it has one by that name (the operator's,
// or a theme pack's), else the one that comes with the program.
QString mediaPath(const QString& relative);

// Whether a file may be written: false below a show folder that cannot be written.
bool savesAllowed(const QString& path);

// A relative path written with '\' or '/', resolved against the current directory.
QString currentDirPath(const QString& relative);

// Turns every '\' into '/', so stored Windows paths work on any desktop.
QString normalizeSeparators(const QString& path);

// A stored path read on this computer. When it does not exist but lies below a folder named
// "Imagen" or "Audio", or in a rounds folder ("Rondas" + a name), and that part exists in
// `folder`, that file is meant: a show folder copied to another computer or drive keeps its
// pictures and questions. Otherwise the path as stored.
QString portablePath(const QString& stored, const QString& folder);
// The same against the show folder, then the program folder, whose pictures and sounds
// every show may name.
QString portablePath(const QString& stored);

}  // namespace velta
