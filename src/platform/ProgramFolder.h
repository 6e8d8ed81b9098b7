#pragma once

#include <QString>

namespace velta {

// The program folder is the folder of the executable; settings, pictures, sounds and the
// default rounds folder live below it. Set once at start; tests set their own.
void setProgramFolder(const QString& folder);

// The program folder with a trailing '/'.
QString programFolder();

// Joins the program folder with a relative path written with '\' or '/'.
QString programPath(const QString& relative);

// A relative path written with '\' or '/', resolved against the current directory.
QString currentDirPath(const QString& relative);

// Turns every '\' into '/', so stored Windows paths work on any desktop.
QString normalizeSeparators(const QString& path);

// A stored path read on this computer. When it does not exist but lies below a folder named
// "Imagen" or "Audio", or in a rounds folder ("Rondas" + a name), and that part exists in
// the program folder, the program folder's file is meant: a show folder copied to another
// computer or drive keeps its pictures and questions. Otherwise the path as stored.
QString portablePath(const QString& stored, const QString& folder = programFolder());

}  // namespace velta
