#pragma once

#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>

#include "packs/Catalogue.h"
#include "packs/InstalledPacks.h"
#include "packs/PackFormat.h"

namespace velta {

// Installing a pack file into the program folder, all or nothing. Every entry is checked
// before anything is written; the pack is unpacked into a temporary folder inside the
// program folder, each file measured against the manifest, and only then moved into place.
// Nothing that is there is overwritten: a cover, frame or sound whose name is taken by a
// different file comes in under a new name, names the program itself uses are never
// written, and a rounds folder of the same name is kept under a dated name.

struct PackInstallResult {
    InstalledPack pack;
    QString roundFolder;  // full path of the installed questions
    QString keptFolder;   // full path the earlier rounds folder was kept under; empty if none
    QStringList renamed;  // "<pack path>" -> "<installed name>", for each file renamed

    // What the operator reads once it is in place.
    QString note() const;
};

// Bytes unpacked so far of the pack's total.
using PackProgress = std::function<void(qint64 done, qint64 total)>;

// Throws PackError with the reason when the pack is refused, damaged or cancelled (the
// program folder is then as it was), FileError when a write fails half-way (what was placed
// is taken back). A pack downloaded for a catalogue entry is refused unless its manifest
// gives the entry's id and version. Runs on any thread: it touches no window and shows
// nothing.
PackInstallResult installPack(const QString& archive, const PackProgress& progress = {},
                              const std::atomic<bool>* cancel = nullptr,
                              const CatalogueEntry* offered = nullptr);

// Takes back the folder moves of an install that was cut short between them (a power cut,
// a killed process), as its journal tells: the operator's rounds folder returns under its
// own name and the pack's questions go with the staging folders. Runs at start and before
// each install, with the folder's show lock held. False when a journal remains because a
// move failed or it cannot be read; the next start or install tries again.
bool finishCutShortInstall();

// The message for a pack that was not installed; `name` is the pack's as the operator knows
// it: its file's name, or a download's entry text.
QString installFailedMessage(const QString& name, const QString& reason);

}  // namespace velta
