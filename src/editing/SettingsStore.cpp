#include "editing/SettingsStore.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <functional>
#include <optional>
#include <vector>

#include "content/TextFiles.h"
#include "platform/Errors.h"
#include "platform/ProgramFolder.h"

namespace velta {

namespace {

// The one shape of each settings file.
void writeTitleFile(const GameSettings& s) {
    writeLinesFile(programPath(kTitleFile),
                   {trimControl(s.title), s.titleColour, s.backgroundColour});
}

void writeTeamsFile(const QString& left, const QString& right) {
    writeLinesFile(programPath(kTeamsFile), {left, right});
}

void writeCoverFile(const QString& path) {
    writePathFile(programPath(kCoverFile), path);
}

void writeFrameFile(const QString& path) {
    writePathFile(programPath(kFrameFile), path);
}

void writeRoundFolderFile(const QString& folder) {
    writePathFile(programPath(kRoundFolderFile), folder);
}

// A name written empty keeps the one in force, as reading the file back would.
void takeTeamNames(GameSettings& s, const QString& left, const QString& right) {
    const QStringList names{left, right};
    takeLine(names, 1, s.leftTeamName);
    takeLine(names, 2, s.rightTeamName);
}

// A file of a set-up as it was before the set-up wrote it: its bytes, or nothing when it
// was not there.
struct Previous {
    QString path;
    std::optional<QByteArray> bytes;
};

Previous previousOf(const QString& path) {
    const QString native = normalizeSeparators(path);
    if (!QFileInfo(native).isFile()) {
        return {path, std::nullopt};
    }
    QFile file(native);
    if (!file.open(QIODevice::ReadOnly)) {
        throw FileError(QStringLiteral("No se pudo leer el archivo \"%1\"").arg(shownPath(path)));
    }
    return {path, file.readAll()};
}

// True once the file holds its old bytes again, or is gone when it was not there.
bool putBack(const Previous& previous) {
    const QString native = normalizeSeparators(previous.path);
    if (!previous.bytes) {
        return !QFileInfo::exists(native) || QFile::remove(native);
    }
    QSaveFile file(native);
    return file.open(QIODevice::WriteOnly) &&
           file.write(*previous.bytes) == previous.bytes->size() && file.commit();
}

}  // namespace

SettingsStore::SettingsStore(QObject* parent) : QObject(parent) {}

const GameSettings& SettingsStore::load(QStringList* unreadable, QStringList* notices) {
    settings_ = readGameSettings(unreadable, notices);
    try {
        room_ = readRoomSettings();
    } catch (const FileError& e) {
        room_ = RoomSettings();
        if (unreadable) {
            *unreadable << errorMessage(e);
        }
    }
    return settings_;
}

void SettingsStore::takeUp(const GameSettings& next, ChosenPicture chosen) {
    settings_ = next;
    Q_EMIT changed(settings_, chosen);
}

void SettingsStore::setTitle(const QString& title, const QString& titleColour,
                             const QString& backgroundColour) {
    GameSettings next = settings_;
    next.title = title;
    next.titleColour = titleColour;
    next.backgroundColour = backgroundColour;
    writeTitleFile(next);
    takeUp(next);
}

void SettingsStore::setCover(const QString& path) {
    writeCoverFile(path);
    GameSettings next = settings_;
    next.coverImage = path;
    takeUp(next, ChosenPicture::Cover);
}

void SettingsStore::setFrame(const QString& path) {
    writeFrameFile(path);
    GameSettings next = settings_;
    next.frameImage = path;
    takeUp(next, ChosenPicture::Frame);
}

void SettingsStore::setTeamNames(const QString& left, const QString& right) {
    writeTeamsFile(left, right);
    GameSettings next = settings_;
    takeTeamNames(next, left, right);
    takeUp(next);
}

void SettingsStore::setRoundFolder(const QString& folder) {
    writeRoundFolderFile(folder);
    GameSettings next = settings_;
    next.roundFolderPath = folder;
    takeUp(next);
}

void SettingsStore::setOption(bool GameSettings::*option, const QString& marker, bool markerWhenOn,
                              bool on) {
    setMarker(marker, on == markerWhenOn);
    GameSettings next = settings_;
    next.*option = on;
    takeUp(next);
}

void SettingsStore::setRoom(const RoomSettings& room) {
    writeRoomSettings(room);
    room_ = room;
    Q_EMIT roomChanged(room_);
}

void SettingsStore::setMultipliersInNormal(bool on) {
    setOption(&GameSettings::multipliersInNormal, kMultipliersOffMarker, false, on);
}

void SettingsStore::setAccumulateInEasy(bool on) {
    setOption(&GameSettings::accumulateInEasy, kAccumulateEasyMarker, true, on);
}

void SettingsStore::setHideScores(bool on) {
    setOption(&GameSettings::hideScores, kHideScoresMarker, true, on);
}

void SettingsStore::setHideQuestion(bool on) {
    setOption(&GameSettings::hideQuestion, kHideQuestionMarker, true, on);
}

void SettingsStore::applySetUp(const GameSettings& wanted, Parts parts) {
    GameSettings next = settings_;
    // Each file of the set-up with its writer, in the order they are written.
    std::vector<std::pair<QString, std::function<void()>>> steps;
    if (parts & Part::Title) {
        steps.emplace_back(kTitleFile, [&wanted] { writeTitleFile(wanted); });
        next.title = wanted.title;
        next.titleColour = wanted.titleColour;
        next.backgroundColour = wanted.backgroundColour;
    }
    if (parts & Part::Cover) {
        steps.emplace_back(kCoverFile,
                           [&wanted] { writeCoverFile(wanted.coverImage.value_or(QString())); });
        next.coverImage = wanted.coverImage;
    }
    if (parts & Part::Frame) {
        steps.emplace_back(kFrameFile,
                           [&wanted] { writeFrameFile(wanted.frameImage.value_or(QString())); });
        next.frameImage = wanted.frameImage;
    }
    if (parts & Part::Teams) {
        steps.emplace_back(
            kTeamsFile, [&wanted] { writeTeamsFile(wanted.leftTeamName, wanted.rightTeamName); });
        takeTeamNames(next, wanted.leftTeamName, wanted.rightTeamName);
    }
    if (parts & Part::RoundFolder) {
        steps.emplace_back(kRoundFolderFile,
                           [&wanted] { writeRoundFolderFile(wanted.roundFolderPath); });
        next.roundFolderPath = wanted.roundFolderPath;
    }
    if ((parts & Part::ThemeMarker) && !markerPresent(kThemeMarker)) {
        steps.emplace_back(kThemeMarker, [] { setMarker(kThemeMarker, true); });
    }

    std::vector<Previous> written;
    for (const auto& [file, write] : steps) {
        try {
            Previous previous = previousOf(programPath(file));
            write();
            written.push_back(std::move(previous));
        } catch (const FileError& e) {
            QStringList notBack;
            for (auto w = written.rbegin(); w != written.rend(); ++w) {
                if (!putBack(*w)) {
                    notBack << QStringLiteral("\"%1\"").arg(shownPath(w->path));
                }
            }
            QString message = errorMessage(e) + QStringLiteral("; no se cambió ningún ajuste");
            if (!notBack.isEmpty()) {
                message += QStringLiteral(", pero no se pudo devolver a como estaba ") +
                           notBack.join(QStringLiteral(" ni "));
            }
            throw FileError(message + QLatin1Char('.'));
        }
    }
    takeUp(next);
}

}  // namespace velta
