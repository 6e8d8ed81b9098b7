#pragma once

#include <qnamespace.h>
#include <QString>

namespace velta {

// The room's settings, "Config\Sala.txt": line 1 the port, line 2 "1" to open the room at
// every start, line 3 a fixed room code of six digits (empty: a new code each opening),
// lines 4 and 5 the keys the left and right face-off buttons type (Qt's portable key names).
struct RoomSettings {
    static constexpr quint16 kDefaultPort = 8080;
    quint16 port = kDefaultPort;
    bool openAtStart = false;
    QString fixedCode;
    int leftButtonKey = Qt::Key_Q;
    int rightButtonKey = Qt::Key_W;

    bool operator==(const RoomSettings& other) const {
        return port == other.port && openAtStart == other.openAtStart &&
               fixedCode == other.fixedCode && leftButtonKey == other.leftButtonKey &&
               rightButtonKey == other.rightButtonKey;
    }
};

inline const QString kRoomFile = QStringLiteral("Config\\Sala.txt");

// Whether the text is a room code: exactly six digits.
bool isRoomCode(const QString& text);

// A key as the file and the panel name it ("Q", "F5", "Space"), and back (0: none).
QString keyName(int key);
int keyFromName(const QString& name);

// The file of the program folder; a port that is no port (1..65535) reads as the default,
// a third line that is no room code as none, a button line that names no key
// as its default (both defaults when the two name the same key). The defaults when the file is not
// there.
RoomSettings readRoomSettings();
void writeRoomSettings(const RoomSettings& settings);

}  // namespace velta
