#pragma once

#include <QString>

namespace velta {

// The room's settings, "Config\Sala.txt": line 1 the port, line 2 "1" to open the room at
// every start, line 3 a fixed room code of six digits (empty: a new code each opening).
struct RoomSettings {
    static constexpr quint16 kDefaultPort = 8080;
    quint16 port = kDefaultPort;
    bool openAtStart = false;
    QString fixedCode;

    bool operator==(const RoomSettings& other) const {
        return port == other.port && openAtStart == other.openAtStart &&
               fixedCode == other.fixedCode;
    }
};

inline const QString kRoomFile = QStringLiteral("Config\\Sala.txt");

// Whether the text is a room code: exactly six digits.
bool isRoomCode(const QString& text);

// The file of the program folder; a port that is no port (1..65535) reads as the default,
// a third line that is no room code as none. The defaults when the file is not there.
RoomSettings readRoomSettings();
void writeRoomSettings(const RoomSettings& settings);

}  // namespace velta
