#pragma once

#include <QString>

namespace velta {

class ShowLock;

// The shipped files a show folder has been given, one relative path a line (folders end in
// '/'): a file that is listed and missing was removed by the operator and stays removed.
inline const QString kShippedListFile = QStringLiteral("Config/ArchivosIncluidos.txt");
// Laid into an installed program folder: its show is never kept there, not even for a user
// who may write it (root), or the next update of the program would overwrite the show.
inline const QString kInstalledMarkerFile = QStringLiteral("instalado.txt");

struct ShowPlace {
    QString folder;
    bool writable = true;
    // What the operator is told once, in Spanish; empty when all went well.
    QString problem;
};

// Where the show of this start is kept: `requested` (velta --carpeta) when given; else the
// program folder when it can be written and is no installation; else `userFolder`. A show
// folder apart from the program folder is filled with the shipped files it lacks (a
// requested one only when it is empty or was filled before). A show folder that cannot be
// made or written is still read (the program folder when it does not exist) and never
// written. `lock` is taken on the show folder first, so that two starts never fill it at
// once; a show folder another copy holds is left as it is.
ShowPlace placeShow(const QString& programFolder, const QString& requested,
                    const QString& userFolder, ShowLock& lock);

// Copies into `show` every shipped file of `program` that it was never given, except the
// pictures and sounds (Imagen, Audio), which the program folder keeps for every show. Each
// file goes to a temporary name first and is renamed once it is whole, never over a file
// that exists; the list of given files is written last, so a copy cut short is finished at
// the next start. Throws FileError naming what could not be copied.
void fillShowFolder(const QString& program, const QString& show);

// Whether a file can be made in the folder (a read-only disk, a folder of another user or
// the Windows program files all say no).
bool folderWritable(const QString& folder);

}  // namespace velta
