#include "editing/RoomSettings.h"

#include "editing/GameSettings.h"
#include "platform/ProgramFolder.h"

namespace velta {

bool isRoomCode(const QString& text) {
    if (text.size() != 6) {
        return false;
    }
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            return false;
        }
    }
    return true;
}

RoomSettings readRoomSettings() {
    RoomSettings s;
    const auto lines = readLinesFile(programPath(kRoomFile));
    if (!lines) {
        return s;
    }
    bool ok = false;
    const uint port = lines->value(0).trimmed().toUInt(&ok);
    if (ok && port >= 1 && port <= 65535) {
        s.port = static_cast<quint16>(port);
    }
    s.openAtStart = lines->value(1).trimmed() == QLatin1String("1");
    const QString code = lines->value(2).trimmed();
    if (isRoomCode(code)) {
        s.fixedCode = code;
    }
    return s;
}

void writeRoomSettings(const RoomSettings& s) {
    writeLinesFile(programPath(kRoomFile),
                   {QString::number(s.port),
                    s.openAtStart ? QStringLiteral("1") : QStringLiteral("0"), s.fixedCode});
}

}  // namespace velta
