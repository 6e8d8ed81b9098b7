#pragma once

#include <QByteArray>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QRect>
#include <QTemporaryDir>

namespace velta::test {

// Gives the offscreen platform these monitors (side by side as their rectangles say).
// Call it before QApplication exists; on any other platform it does nothing and says so.
inline bool useOffscreenScreens(const QList<QRect>& monitors) {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && platform != "offscreen") {
        return false;
    }
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("screens.json"));
    QJsonArray screens;
    for (int i = 0; i < monitors.size(); ++i) {
        const QRect& r = monitors[i];
        screens.append(QJsonObject{{"name", QStringLiteral("Monitor%1").arg(i + 1)},
                                   {"x", r.x()},
                                   {"y", r.y()},
                                   {"width", r.width()},
                                   {"height", r.height()},
                                   {"logicalDpi", 96},
                                   {"logicalBaseDpi", 96},
                                   {"dpr", 1}});
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(QJsonDocument(QJsonObject{{"screens", screens}}).toJson()) < 0) {
        return false;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(path));
    return true;
}

}  // namespace velta::test
