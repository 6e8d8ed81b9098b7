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

}  // namespace velta
