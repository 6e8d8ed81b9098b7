#pragma once

#include <QString>
#include <functional>
#include <memory>

#include "app/ShowFolder.h"
#include "packs/ShowLock.h"
#include "platform/QtDialogs.h"
#include "sound/QtSoundOutput.h"

namespace velta {

class AutoSave;
class TFConfig;
class TForm1;

// Sets up the running application the way every start of the show needs it: Qt's own
// dialogs in Spanish and hints that show at once. Tests call it too, so their windows
// behave as the operator's do.
void prepareApplication();

// One start of the show on a program folder, as the program entry, the benchmarks and the
// end-to-end runs make it: the show folder placed (and filled), the real dialogs and sound
// voices, then the board window.
class Show {
  public:
    // `showFolder` is the folder the operator asked for (velta --carpeta), else empty.
    explicit Show(const QString& programFolder, const QString& showFolder = {});
    ~Show();

    // Creates and shows the board; false when another copy already runs (the operator has
    // been told). A show folder that cannot be filled or written is reported here, once. Once the
    // cover is on screen the sounds start loading, `afterFirstPaint` runs, and the control window
    // is made (hidden until T) in the idle time after.
    bool open(std::function<void()> afterFirstPaint = {});

    TForm1& board() { return *board_; }
    // Null until the cover has been painted.
    TFConfig* console() { return console_.get(); }
    // Null until the cover has been painted.
    AutoSave* autoSave() { return autoSave_; }
    QtSoundOutput& sound() { return sound_; }

  private:
    QtDialogs dialogs_;
    QtSoundOutput sound_;
    ShowLock folderLock_;
    ShowPlace place_;
    std::unique_ptr<TForm1> board_;
    std::unique_ptr<TFConfig> console_;
    AutoSave* autoSave_ = nullptr;  // owned by the board
};

}  // namespace velta
