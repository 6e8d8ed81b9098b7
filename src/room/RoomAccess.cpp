#include "room/RoomAccess.h"

#include <QElapsedTimer>
#include <QRandomGenerator>

#include "editing/RoomSettings.h"

namespace velta {

namespace {

// Compares every character whatever the first difference, so the time taken tells nothing.
bool sameText(const QString& a, const QString& b) {
    if (a.size() != b.size()) {
        return false;
    }
    ushort diff = 0;
    for (qsizetype i = 0; i < a.size(); ++i) {
        diff |= a.at(i).unicode() ^ b.at(i).unicode();
    }
    return diff == 0;
}

qint64 steadyNow() {
    static QElapsedTimer clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return clock.elapsed();
}

}  // namespace

RoomAccess::RoomAccess(std::function<qint64()> now) : now_(now ? std::move(now) : steadyNow) {}

void RoomAccess::open(const QString& fixedCode) {
    auto* random = QRandomGenerator::system();
    code_ = isRoomCode(fixedCode)
                ? fixedCode
                : QStringLiteral("%1").arg(random->bounded(1000000), 6, 10, QLatin1Char('0'));
    quint32 bits[4];
    random->fillRange(bits);
    secret_.clear();
    for (const quint32 b : bits) {
        secret_ += QStringLiteral("%1").arg(b, 8, 16, QLatin1Char('0'));
    }
    tries_.clear();
}

RoomAccess::Verdict RoomAccess::check(const QHostAddress& from, Page page, const QString& given) {
    const QString key = from.toString();
    const qint64 now = now_();
    auto it = tries_.find(key);
    if (it != tries_.end() && it->waitUntil > now) {
        return Verdict::Waiting;
    }
    const QString& expected = page == Page::Host ? secret_ : code_;
    if (!expected.isEmpty() && sameText(given, expected)) {
        if (it != tries_.end()) {
            tries_.erase(it);
        }
        return Verdict::Allowed;
    }
    if (it == tries_.end()) {
        if (tries_.size() >= kTrackedAddresses) {
            tries_.removeIf([now](const auto& entry) { return entry.value().waitUntil <= now; });
        }
        it = tries_.insert(key, Tries{});
    }
    if (++it->wrong >= kWrongTries) {
        it->wrong = 0;
        it->waitUntil = now + kWaitMs;
    }
    return Verdict::Refused;
}

}  // namespace velta
