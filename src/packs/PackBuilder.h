#pragma once

#include <QString>

#include "packs/Catalogue.h"
#include "packs/PackFormat.h"

namespace velta {

// Makes a pack of the set-up a game version names, so anyone can publish their own: the
// version's title, colours and team names, its cover, the round files of its rounds folder
// (never "borrado"), and optionally a sound bank with its sounds and a frame. Full paths of
// any computer (either separator, drive letters too) become paths in the program folder:
// covers to "Imagen/Titles", frames to "Imagen/Frames", sounds to "Audio/EFFECTS", the
// questions to a rounds folder "Rondas" + a name.
struct PackRequest {
    QString versionFile;
    QString output;
    QString bankFile;   // optional
    QString frameFile;  // optional
    // Where the files the version names are looked for when their stored path does not exist
    // on this computer. Empty: the folder above the version's "Config" folder, or else the
    // version's own folder.
    QString programFolder;
    QString id;  // empty: made from the version file's name
    QString version = QStringLiteral("1");
    QString description;
};

// Throws PackError (or FileError for a file that cannot be read) naming what is missing or
// wrong; the output file is written only when the whole pack is. Returns the catalogue entry
// the pack would have, without its address.
CatalogueEntry buildPack(const PackRequest& request);

// An id made of a name: lower-case ASCII letters and digits joined by '-'.
QString packIdFrom(const QString& name);

}  // namespace velta
