#include "editing/RoomSettings.h"

#include <QKeySequence>

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

QString keyName(int key) {
    return QKeySequence(key).toString(QKeySequence::PortableText);
}

int keyFromName(const QString& name) {
    const QKeySequence sequence =
        QKeySequence::fromString(name.trimmed(), QKeySequence::PortableText);
    if (sequence.count() != 1 || sequence[0].keyboardModifiers() != Qt::NoModifier) {
        return 0;
    }
    return sequence[0].key();
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
    const int left = keyFromName(lines->value(3));
    const int right = keyFromName(lines->value(4));
    s.leftButtonKey = left ? left : s.leftButtonKey;
    s.rightButtonKey = right ? right : s.rightButtonKey;
    if (s.leftButtonKey == s.rightButtonKey) {
        s.leftButtonKey = Qt::Key_Q;
        s.rightButtonKey = Qt::Key_W;
    }
    return s;
}

void writeRoomSettings(const RoomSettings& s) {
    writeLinesFile(
        programPath(kRoomFile),
        {QString::number(s.port), s.openAtStart ? QStringLiteral("1") : QStringLiteral("0"),
         s.fixedCode, keyName(s.leftButtonKey), keyName(s.rightButtonKey)});
}

}  // namespace velta
