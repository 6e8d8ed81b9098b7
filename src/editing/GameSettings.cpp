#include "editing/GameSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "content/RoundFiles.h"
#include "content/TextFiles.h"
#include "platform/Errors.h"
#include "platform/ProgramFolder.h"

namespace velta {

namespace {
void makeParentFolder(const QString& path) {
    if (!savesAllowed(path)) {
        return;
    }
    const QString folder = QFileInfo(normalizeSeparators(path)).absolutePath();
    if (!QDir().mkpath(folder)) {
        throw FileError(QStringLiteral("No se pudo crear la carpeta \"%1\"")
                            .arg(QDir::toNativeSeparators(folder)));
    }
}
}  // namespace

std::optional<QStringList> readLinesFile(const QString& path) {
    if (!QFileInfo::exists(normalizeSeparators(path))) {
        return std::nullopt;
    }
    return readTextLines(path);
}

void writeLinesFile(const QString& path, const QStringList& values) {
    makeParentFolder(path);
    QString text;
    for (const QString& value : values) {
        text += value + QStringLiteral("\r\n");
    }
    writeTextFile(path, text);
}

void writePathFile(const QString& path, const QString& text) {
    makeParentFolder(path);
    writeTextFile(path, text);
}

void setMarker(const QString& name, bool present) {
    const QString path = programPath(name);
    const bool exists = QFileInfo::exists(path);
    if (!savesAllowed(path)) {
        return;
    }
    if (present && !exists) {
        writeTextFile(path, QStringLiteral("1"));
    } else if (!present && exists && !QFile::remove(path)) {
        throw FileError(QStringLiteral("No se pudo borrar el archivo \"%1\"")
                            .arg(QDir::toNativeSeparators(path)));
    }
}

bool markerPresent(const QString& name) {
    return QFileInfo::exists(programPath(name));
}

void takeLine(const QStringList& lines, int k, QString& field) {
    if (k >= 1 && k <= lines.size() && !lines[k - 1].isEmpty()) {
        field = lines[k - 1];
    }
}

QString ownCoverPath() {
    return programPath(QStringLiteral("Imagen\\Titles\\portada.jpg"));
}

QString defaultCoverPath() {
    const QString own = ownCoverPath();
    return QFileInfo::exists(own) ? own : mediaPath(QStringLiteral("Imagen\\Titles\\portada1.jpg"));
}

GameSettings readGameSettings(QStringList* unreadable, QStringList* notices) {
    // A file that is there but cannot be read counts as absent; why is kept for the operator.
    const auto read = [unreadable](const auto& step) {
        try {
            step();
        } catch (const FileError& e) {
            if (unreadable) {
                *unreadable << errorMessage(e);
            }
        }
    };
    GameSettings s;
    read([&s] {
        if (const auto title = readLinesFile(programPath(kTitleFile))) {
            takeLine(*title, 1, s.title);
            takeLine(*title, 2, s.titleColour);
            takeLine(*title, 3, s.backgroundColour);
        }
    });
    read([&s] {
        if (const auto teams = readLinesFile(programPath(kTeamsFile))) {
            takeLine(*teams, 1, s.leftTeamName);
            takeLine(*teams, 2, s.rightTeamName);
        }
    });
    read([&s] {
        if (QFileInfo::exists(programPath(kCoverFile))) {
            s.coverImage =
                portablePath(readPathFile(programPath(kCoverFile)).value_or(defaultCoverPath()));
        }
    });
    read([&s] {
        if (QFileInfo::exists(programPath(kFrameFile))) {
            s.frameImage = portablePath(readPathFile(programPath(kFrameFile)).value_or(QString()));
        }
    });
    s.roundFolderPath = defaultRoundFolder(programFolder());
    read([&s] { s.roundFolderPath = ResolveRoundFolder(programFolder()); });
    // A rounds folder that is named but missing is said, or the show would run the default
    // questions without a word. (An unreadable setting has been named above.)
    try {
        const auto storedFolder = readPathFile(programPath(kRoundFolderFile));
        if (notices && storedFolder &&
            !QFileInfo(normalizeSeparators(portablePath(*storedFolder))).isDir()) {
            *notices << QStringLiteral(
                            "No se encontró la carpeta de rondas \"%1\" que indica %2; se usan "
                            "las preguntas de \"%3\".")
                            .arg(*storedFolder,
                                 QDir::toNativeSeparators(programPath(kRoundFolderFile)),
                                 QDir::toNativeSeparators(s.roundFolderPath));
        }
    } catch (const FileError&) {
    }
    s.multipliersInNormal = !markerPresent(kMultipliersOffMarker);
    s.accumulateInEasy = markerPresent(kAccumulateEasyMarker);
    s.hideScores = markerPresent(kHideScoresMarker);
    s.hideQuestion = markerPresent(kHideQuestionMarker);
    return s;
}

}  // namespace velta
