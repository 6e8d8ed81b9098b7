#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "content/TextFiles.h"

namespace velta {

// The settings of one game set-up, kept in five files under "Config" and four marker files
// in the program folder. All are located from the program folder, never the current one.
struct GameSettings {
    QString title = QStringLiteral("Veltarama");
    QString titleColour = QStringLiteral("HotLight");
    QString backgroundColour = QStringLiteral("Window");
    std::optional<QString> coverImage;
    std::optional<QString> frameImage;
    QString leftTeamName = QStringLiteral("Los Verdes");
    QString rightTeamName = QStringLiteral("Los Púrpuras");
    QString roundFolderPath;
    bool multipliersInNormal = true;
    bool accumulateInEasy = false;
    bool hideScores = false;
    bool hideQuestion = false;
};

// A picture the operator has just chosen: the board reads it again even when its path is the
// one it shows, as the file may have been put in place or replaced since.
enum class ChosenPicture { None, Cover, Frame };

// Relative paths of the settings files, below the program folder.
inline const QString kTitleFile = QStringLiteral("Config\\Titulo.txt");
inline const QString kCoverFile = QStringLiteral("Config\\Portada.txt");
inline const QString kFrameFile = QStringLiteral("Config\\Marco.txt");
inline const QString kTeamsFile = QStringLiteral("Config\\Equipos.txt");
inline const QString kRoundFolderFile = QStringLiteral("Config\\RondaDir.txt");

inline const QString kMultipliersOffMarker = QStringLiteral("dt.cfg");
inline const QString kAccumulateEasyMarker = QStringLiteral("sf.cfg");
inline const QString kHideScoresMarker = QStringLiteral("sp.cfg");
inline const QString kHideQuestionMarker = QStringLiteral("sq.cfg");
// Written when a theme is accepted: the first-start theme prompt then stays away.
inline const QString kThemeMarker = QStringLiteral("getparam.lic");

// Line files: one value per line. Nothing when the file does not exist.
std::optional<QStringList> readLinesFile(const QString& path);
// Every line, the last included, ends in CR LF.
void writeLinesFile(const QString& path, const QStringList& values);

// Path files (read with readPathFile of TextFiles.h): written with no line break.
void writePathFile(const QString& path, const QString& text);

// Marker files in the program folder: only their presence counts.
void setMarker(const QString& name, bool present);
bool markerPresent(const QString& name);

// Line k (1-based) replaces the field when it exists and is not empty.
void takeLine(const QStringList& lines, int k, QString& field);

// The operator's own cover, "Imagen\Titles\portada.jpg" in the show folder.
QString ownCoverPath();
// The cover a blank cover file names: the operator's own when it exists, else the first
// preset's.
QString defaultCoverPath();

// The defaults, overlaid with whatever the files of the program folder hold. The rounds
// folder resolves as at start-up, and a blank cover file names the default cover. A file
// that is there but cannot be read keeps the defaults of what it holds; `unreadable`
// receives one message for each such file, naming it and the reason. Whatever else the
// operator should hear about (a rounds folder named but missing) goes to `notices`.
GameSettings readGameSettings(QStringList* unreadable = nullptr, QStringList* notices = nullptr);

}  // namespace velta
