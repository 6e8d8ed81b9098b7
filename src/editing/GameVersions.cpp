#include "editing/GameVersions.h"

#include <QDir>
#include <QFileInfo>

#include "content/TextFiles.h"
#include "editing/Colours.h"
#include "platform/Pictures.h"
#include "platform/ProgramFolder.h"

namespace velta {

namespace {

// A path as this computer finds it: relative to the program folder when written so, and
// looked for in the program folder when written on another computer.
QString localPath(const QString& stored) {
    const QString path = normalizeSeparators(stored);
    const bool absolute = QDir::isAbsolutePath(path) || (path.size() > 1 && path[1] == ':');
    return portablePath(absolute ? stored : programPath(stored));
}

// A value quoted in a message: short enough to read at a glance.
QString quoted(const QString& value) {
    return QStringLiteral("\"%1\"").arg(value.size() > 80 ? value.left(77) + QStringLiteral("...")
                                                          : value);
}

}  // namespace

QStringList versionLines(const GameSettings& s) {
    return {
        trimControl(s.title), s.titleColour,   s.backgroundColour, s.coverImage.value_or(QString()),
        s.leftTeamName,       s.rightTeamName, s.roundFolderPath};
}

GameSettings readVersion(const QStringList& lines, GameSettings s, QStringList* problems) {
    const auto line = [&lines](int k) { return lines.value(k - 1); };
    const auto problem = [problems](int k, const QString& what) {
        if (problems) {
            *problems << QStringLiteral("Línea %1: %2").arg(k).arg(what);
        }
    };
    if (!line(1).isEmpty()) {
        s.title = line(1);
    }
    for (const int k : {2, 3}) {
        if (line(k).isEmpty()) {
            continue;
        }
        if (!lookupColour(line(k))) {
            problem(k, QStringLiteral("%1 no es un color conocido").arg(quoted(line(k))));
            continue;
        }
        (k == 2 ? s.titleColour : s.backgroundColour) = line(k);
    }
    if (!line(4).isEmpty()) {
        const QString cover = localPath(line(4));
        const QString why = pictureProblem(cover);
        if (why.isEmpty()) {
            s.coverImage = cover;
        } else {
            problem(4, QStringLiteral("la portada %1 no se puede mostrar: %2")
                           .arg(quoted(QDir::toNativeSeparators(line(4))), why));
        }
    }
    if (!line(5).isEmpty()) {
        s.leftTeamName = line(5);
    }
    if (!line(6).isEmpty()) {
        s.rightTeamName = line(6);
    }
    if (!line(7).isEmpty()) {
        const QString folder = localPath(line(7));
        if (QFileInfo(normalizeSeparators(folder)).isDir()) {
            s.roundFolderPath = folder;
        } else {
            problem(7, QStringLiteral("no existe la carpeta de rondas %1")
                           .arg(quoted(QDir::toNativeSeparators(line(7)))));
        }
    }
    return s;
}

}  // namespace velta
