#pragma once

#include <QFlags>
#include <QObject>
#include <QStringList>

#include "editing/GameSettings.h"
#include "editing/RoomSettings.h"

namespace velta {

// The one writer of the settings files and the option markers, holding the settings in
// force. Each setter writes its file through the atomic writer first and only then takes the
// new value and announces it with `changed`: a setting that could not be stored is neither
// in force nor shown, and the writer's error (naming the file) reaches the caller.
class SettingsStore : public QObject {
    Q_OBJECT
  public:
    // The files a whole set-up (a version, a theme, a pack) writes together.
    enum class Part {
        Title = 0x01,
        Cover = 0x02,
        Frame = 0x04,
        Teams = 0x08,
        RoundFolder = 0x10,
        ThemeMarker = 0x20,
    };
    Q_DECLARE_FLAGS(Parts, Part)

    explicit SettingsStore(QObject* parent = nullptr);

    const GameSettings& settings() const { return settings_; }
    const RoomSettings& room() const { return room_; }

    // Reads the files of the program folder as readGameSettings does and puts what they hold
    // in force. Nothing is announced: the start-up shows it once its messages are out.
    const GameSettings& load(QStringList* unreadable = nullptr, QStringList* notices = nullptr);

    // The title file: the title trimmed, each colour name as given. The title in force keeps
    // the text as given, spaces included, until the next start.
    void setTitle(const QString& title, const QString& titleColour,
                  const QString& backgroundColour);
    // A picture chosen is announced as chosen, so it is read again even when the path is the
    // one in force (the file may have been put in place since).
    void setCover(const QString& path);
    void setFrame(const QString& path);
    // Both names written as given; an empty one keeps the name in force, as the file reads.
    void setTeamNames(const QString& left, const QString& right);
    void setRoundFolder(const QString& folder);
    void setMultipliersInNormal(bool on);
    void setAccumulateInEasy(bool on);
    void setHideScores(bool on);
    void setHideQuestion(bool on);
    // The room's file; announced with `roomChanged`.
    void setRoom(const RoomSettings& room);

    // Writes the files of `parts` from `wanted` (the marker: a theme was accepted), all or
    // nothing: when one cannot be written, those already written get their old content back
    // (or are removed when they did not exist), nothing is announced and a FileError naming
    // the file is thrown.
    void applySetUp(const GameSettings& wanted, Parts parts);

  Q_SIGNALS:
    void changed(const velta::GameSettings& settings, velta::ChosenPicture chosen);
    void roomChanged(const velta::RoomSettings& room);

  private:
    void setOption(bool GameSettings::*option, const QString& marker, bool markerWhenOn, bool on);
    void takeUp(const GameSettings& next, ChosenPicture chosen = ChosenPicture::None);

    GameSettings settings_;
    RoomSettings room_;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(SettingsStore::Parts)

}  // namespace velta
