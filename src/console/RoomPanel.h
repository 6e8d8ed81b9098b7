#pragma once

#include "board/DragPanel.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace velta {

class Buzzers;
class Room;
class SettingsStore;

// The "Sala" panel: opens and closes the room, says on which port and addresses it listens,
// shows the room code, a QR code for the audience's board and one for the host's view (the
// host's secret travels only in its QR code), how many devices follow each, and the room's
// settings. Beside them, the face-off: the presses in order with their time after the
// first, and the keys of the two USB buttons, which the operator teaches by pressing them.
class RoomPanel : public DragPanel {
    Q_OBJECT
  public:
    RoomPanel(Room& room, SettingsStore& store, Buzzers& buzzers, QWidget* parent);
    ~RoomPanel() override;

    // Opens the room; when no port is free the panel says so.
    void openRoom();

  Q_SIGNALS:
    void closeRequested();
    void done();

  protected:
    // While a button is being taught, its key press comes here first.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildFaceOff();
    void showPresses();
    void showButtons();
    void teach(int team);
    void learn(int key);
    void toggle();
    void saveSettings();
    void showRoom();
    void showCodes();
    void showDevices();

    Room& room_;
    SettingsStore& store_;
    QPushButton* openButton_ = nullptr;
    QLabel* status_ = nullptr;
    QLabel* code_ = nullptr;
    QComboBox* address_ = nullptr;
    QLabel* audienceQr_ = nullptr;
    QLabel* hostQr_ = nullptr;
    QLabel* audienceLink_ = nullptr;
    QLabel* audienceDevices_ = nullptr;
    QLabel* hostDevices_ = nullptr;
    QSpinBox* port_ = nullptr;
    QCheckBox* openAtStart_ = nullptr;
    QLineEdit* fixedCode_ = nullptr;
    QString failure_;
    Buzzers& buzzers_;
    QLabel* buzzerDevices_ = nullptr;
    QListWidget* presses_ = nullptr;
    QPushButton* teachButtons_[2] = {};
    QLabel* buttonKeys_[2] = {};
    // The button being taught: 0 left, 1 right, -1 none.
    int teaching_ = -1;
    QString teachingRefusal_;
};

}  // namespace velta
