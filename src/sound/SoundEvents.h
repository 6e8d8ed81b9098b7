#pragma once

#include <QObject>
#include <QString>

namespace velta {

// Tells who listens (the room's board pages) what the effect voice does, as the commands ask
// for it: an effect started, once or looped, by its path relative to the program folder as
// in `effects::`, and the effect voice stopped. The sound bank is not told.
class SoundEvents : public QObject {
    Q_OBJECT
  Q_SIGNALS:
    void effectStarted(const QString& relativePath, bool looped);
    void effectsStopped();
};

// The one the sound functions tell.
SoundEvents& soundEvents();

}  // namespace velta
