#pragma once

#include <QSoundEffect>
#include <QString>
#include <map>
#include <memory>

namespace velta {

// The voice of the fixed WAV effects: one sound at a time, once or looped. Each effect
// file keeps one decoded QSoundEffect for the whole run, so a key never waits for a file
// to load. A missing or unreadable file is heard as nothing.
//
// Every play gets a fresh QSoundEffect on that decoded sound, created in microseconds:
// on PulseAudio a QSoundEffect that is stopped and started again within a few tens of
// milliseconds (keys pressed in quick succession) can fall silent for good.
class EffectChannel {
  public:
    // Starts loading the file in the background, unless it is loaded or loading already.
    void preload(const QString& path);

    // Stops whatever plays, a loop included, and starts the file from its beginning.
    void play(const QString& path, bool loop);
    void stop();

    // What is heard now: the file playing (empty when silent) and whether it loops.
    QString playing() const;
    bool looping() const;
    bool isLoaded(const QString& path) const;

  private:
    std::map<QString, std::unique_ptr<QSoundEffect>> loaded_;
    std::unique_ptr<QSoundEffect> voice_;
};

}  // namespace velta
