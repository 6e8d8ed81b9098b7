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
    const QString folder = QFileInfo(NormalizeSeparators(path)).absolutePath();
    if (!QDir().mkpath(folder)) {
        throw FileError(QStringLiteral("No se pudo crear la carpeta \"%1\"")
                            .arg(QDir::toNativeSeparators(folder)));
    }
}
}  // namespace

std::optional<QStringList> readLinesFile(const QString& path) {
    if (!QFileInfo::exists(NormalizeSeparators(path))) {
        return std::nullopt;
    }
    return ReadTextLines(path);
}

void writeLinesFile(const QString& path, const QStringList& values) {
    makeParentFolder(path);
    QString text;
    for (const QString& value : values) {
        text += value + QStringLiteral("\r\n");
    }
    WriteTextFile(path, text);
}

std::optional<QString> readPathFile(const QString& path) {
    return ReadPathFile(path);
}

void writePathFile(const QString& path, const QString& text) {
    makeParentFolder(path);
    WriteTextFile(path, text);
}

void setMarker(const QString& name, bool present) {
    const QString path = ProgramPath(name);
    const bool exists = QFileInfo::exists(path);
    if (present && !exists) {
        WriteTextFile(path, QStringLiteral("1"));
    } else if (!present && exists && !QFile::remove(path)) {
        throw FileError(QStringLiteral("No se pudo borrar el archivo \"%1\"")
                            .arg(QDir::toNativeSeparators(path)));
    }
}

bool markerPresent(const QString& name) {
    return QFileInfo::exists(ProgramPath(name));
}

void takeLine(const QStringList& lines, int k, QString& field) {
    if (k >= 1 && k <= lines.size() && !lines[k - 1].isEmpty()) {
        field = lines[k - 1];
    }
}

GameSettings ReadGameSettings() {
    GameSettings s;
    if (const auto title = readLinesFile(ProgramPath(kTitleFile))) {
        takeLine(*title, 1, s.title);
        takeLine(*title, 2, s.titleColour);
        takeLine(*title, 3, s.backgroundColour);
    }
    if (const auto teams = readLinesFile(ProgramPath(kTeamsFile))) {
        takeLine(*teams, 1, s.leftTeamName);
        takeLine(*teams, 2, s.rightTeamName);
    }
    if (QFileInfo::exists(ProgramPath(kCoverFile))) {
        s.coverImage = readPathFile(ProgramPath(kCoverFile));
        if (!s.coverImage) {
            const QString own = ProgramPath(QStringLiteral("Imagen\\Titles\\portada.jpg"));
            s.coverImage = QFileInfo::exists(own)
                               ? own
                               : ProgramPath(QStringLiteral("Imagen\\Titles\\portada1.jpg"));
        }
    }
    if (QFileInfo::exists(ProgramPath(kFrameFile))) {
        s.frameImage = readPathFile(ProgramPath(kFrameFile)).value_or(QString());
    }
    s.roundFolderPath = ResolveRoundFolder(ProgramFolder());
    s.multipliersInNormal = !markerPresent(kMultipliersOffMarker);
    s.accumulateInEasy = markerPresent(kAccumulateEasyMarker);
    s.hideScores = markerPresent(kHideScoresMarker);
    s.hideQuestion = markerPresent(kHideQuestionMarker);
    return s;
}

}  // namespace velta
