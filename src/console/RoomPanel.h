#pragma once

#include "board/DragPanel.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace velta {

class Room;
class SettingsStore;

// The "Sala" panel: opens and closes the room, says on which port and addresses it listens,
// shows the room code, a QR code for the audience's board and one for the host's view (the
// host's secret travels only in its QR code), how many devices follow each, and the room's
// settings.
class RoomPanel : public DragPanel {
    Q_OBJECT
  public:
    RoomPanel(Room& room, SettingsStore& store, QWidget* parent);

    // Opens the room; when no port is free the panel says so.
    void openRoom();

  Q_SIGNALS:
    void closeRequested();
    void done();

  private:
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
};

}  // namespace velta
