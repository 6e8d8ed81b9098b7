#pragma once

#include <QString>
#include <array>
#include <functional>

#include "board/DragPanel.h"
#include "sound/SoundBank.h"

class QLabel;
class QLineEdit;

namespace velta {

class KeyRouter;

// The "Banco de sonidos" panel, the same in both windows: one row per slot with the slot's
// file, its choose and remove buttons and its play key (6 7 8 9 0 Y U I O P), the bank
// file's label, "Guardar" and "Cargar". It shows the program's one SoundBank, so a change
// made in either window shows in both. A slot whose file is ready is black; an empty slot,
// a missing file or one the media voice cannot play is red and struck through.
class SoundBankPanel : public DragPanel {
    Q_OBJECT
  public:
    // The play keys join the window's key router.
    SoundBankPanel(SoundBank& bank, KeyRouter& keys, QWidget* parent);

  Q_SIGNALS:
    // The " X ": the window puts the panel away.
    void closeRequested();
    // A button has done its work: the window gives the keyboard back to its focus sink.
    void done();

  private:
    void buildRow(int k, KeyRouter& keys);
    void showSlot(int k);
    void showBankFile();
    void chooseSound(int k);
    void saveBank();
    void loadBank();
    void run(const std::function<void()>& command);

    SoundBank& bank_;
    std::array<QLineEdit*, SoundBank::kSlots> fields_{};
    QLabel* bankLabel_ = nullptr;  // Label61
};

}  // namespace velta
