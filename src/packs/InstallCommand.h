#pragma once

#include <QString>
#include <QStringList>
#include <cstdio>

namespace velta {

// "velta --instalar-tema ARCHIVO": installs a pack file into the program folder without a
// window, with every check the dialog makes. Returns the process status, 0 when the pack is
// in place; the outcome is written to `out` or, with status 1, the reason to `err`. Refused
// while the show runs on that folder.
inline const QString kInstallOption = QStringLiteral("--instalar-tema");
int installCommand(const QString& programFolder, const QStringList& arguments, FILE* out,
                   FILE* err);

}  // namespace velta
