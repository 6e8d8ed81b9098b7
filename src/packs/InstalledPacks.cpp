#include "packs/InstalledPacks.h"

#include <QVersionNumber>

#include "editing/GameSettings.h"
#include "platform/ProgramFolder.h"

namespace velta {

QList<InstalledPack> installedPacks() {
    QList<InstalledPack> packs;
    for (const QString& line :
         readLinesFile(programPath(kInstalledPacksFile)).value_or(QStringList())) {
        const QStringList fields = line.split('|');
        if (fields.size() < 6 || fields[0].isEmpty()) {
            continue;
        }
        packs << InstalledPack{fields[0], fields[1], fields.mid(5).join('|'),
                               fields[2], fields[3], fields[4]};
    }
    return packs;
}

const InstalledPack* findPack(const QList<InstalledPack>& packs, const QString& id) {
    for (const InstalledPack& pack : packs) {
        if (pack.id == id) {
            return &pack;
        }
    }
    return nullptr;
}

void recordInstalledPack(const InstalledPack& pack) {
    QStringList lines;
    bool replaced = false;
    const auto line = [](const InstalledPack& p) {
        return QStringList{p.id, p.version, p.versionFile, p.bankFile, p.frameFile, p.entry}.join(
            '|');
    };
    for (const InstalledPack& p : installedPacks()) {
        replaced = replaced || p.id == pack.id;
        lines << line(p.id == pack.id ? pack : p);
    }
    if (!replaced) {
        lines << line(pack);
    }
    writeLinesFile(programPath(kInstalledPacksFile), lines);
}

bool isNewerVersion(const QString& offered, const QString& installed) {
    qsizetype offeredEnd = 0;
    qsizetype installedEnd = 0;
    const QVersionNumber a = QVersionNumber::fromString(offered, &offeredEnd);
    const QVersionNumber b = QVersionNumber::fromString(installed, &installedEnd);
    if (!a.isNull() && !b.isNull() && offeredEnd == offered.size() &&
        installedEnd == installed.size()) {
        return a.normalized() > b.normalized();
    }
    return offered != installed;
}

}  // namespace velta
