#include "RecordingSoundOutput.h"

namespace velta::test {

namespace {
const QString kOnce = QStringLiteral("effect:");
const QString kLoop = QStringLiteral("loop:");
}  // namespace

QStringList RecordingSoundOutput::effects() const {
    QStringList paths;
    for (const QString& call : calls) {
        if (call.startsWith(kOnce)) {
            paths.append(call.mid(kOnce.size()));
        } else if (call.startsWith(kLoop)) {
            paths.append(call.mid(kLoop.size()));
        }
    }
    return paths;
}

QString RecordingSoundOutput::lastEffect() const {
    const QStringList paths = effects();
    return paths.isEmpty() ? QString() : paths.last();
}

bool RecordingSoundOutput::lastEffectLooped() const {
    for (auto call = calls.crbegin(); call != calls.crend(); ++call) {
        if (call->startsWith(kOnce) || call->startsWith(kLoop)) {
            return call->startsWith(kLoop);
        }
    }
    return false;
}

void RecordingSoundOutput::playEffect(const QString& path, bool loop) {
    calls.append((loop ? kLoop : kOnce) + path);
}

void RecordingSoundOutput::stopEffects() {
    calls.append(QStringLiteral("stop"));
}

void RecordingSoundOutput::preloadEffect(const QString& path) {
    calls.append(QStringLiteral("preload:") + path);
}

void RecordingSoundOutput::playBankFile(const QString& path) {
    calls.append(QStringLiteral("bank:") + path);
}

void RecordingSoundOutput::closeBank() {
    calls.append(QStringLiteral("close"));
}

void RecordingSoundOutput::keepBankFilesReady(const QStringList& paths) {
    calls.append(QStringLiteral("ready:") + paths.join(QLatin1Char('|')));
    for (const QString& path : paths) {
        reportBankFile(path, !unplayable.contains(path));
    }
}

}  // namespace velta::test
