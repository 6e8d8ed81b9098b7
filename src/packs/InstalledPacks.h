#pragma once

#include <QList>
#include <QString>

namespace velta {

// The packs installed in this program folder, one line each in a line file under "Config":
// "id|version|version file|bank file|frame file|entry text" (the bank and frame files empty
// when the pack has none).
inline const QString kInstalledPacksFile = QStringLiteral("Config\\TemasInstalados.txt");

struct InstalledPack {
    QString id;
    QString version;
    QString entry;
    QString versionFile;  // full path of the pack's game version in "Config"
    QString bankFile;     // full path of its sound bank in "Config"; empty without one
    QString frameFile;    // full path of its frame as installed; empty without one
};

// Nothing when no pack was installed; lines that are not of the form above are passed over.
// Throws FileError when the file is there but cannot be read.
QList<InstalledPack> installedPacks();
const InstalledPack* findPack(const QList<InstalledPack>& packs, const QString& id);

// Adds the pack, or replaces the line of the same id.
void recordInstalledPack(const InstalledPack& pack);

// Whether a catalogue's version is newer than the installed one: compared as version
// numbers ("1.10" after "1.9") when both read as such, else any other text counts as newer.
bool isNewerVersion(const QString& offered, const QString& installed);

}  // namespace velta
