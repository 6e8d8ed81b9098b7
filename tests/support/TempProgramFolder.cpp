#include "TempProgramFolder.h"

#include <sys/stat.h>
#include <unistd.h>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>

#include "content/TextFiles.h"
#include "platform/ProgramFolder.h"

namespace velta::test {

QByteArray lineFile(const QStringList& values) {
    QString text;
    for (const QString& value : values) {
        text += value + QStringLiteral("\r\n");
    }
    return encodeText(text);
}

TempProgramFolder::TempProgramFolder() : previousCurrent_(QDir::currentPath()) {
    setProgramFolder(dir_.path());
    QDir::setCurrent(dir_.path());
    QDir(dir_.path()).mkpath(QStringLiteral("Rondas"));
    // Other users may look in, as they may in a program folder (see asShowUser).
    chmod(QFile::encodeName(dir_.path()).constData(), 0755);
}

TempProgramFolder::~TempProgramFolder() {
    QDir::setCurrent(previousCurrent_);
}

QString TempProgramFolder::file(const QString& relative) const {
    return QDir(dir_.path()).filePath(normalizeSeparators(relative));
}

void TempProgramFolder::writeBytes(const QString& relative, const QByteArray& bytes) const {
    const QString full = file(relative);
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile f(full);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) {
        qFatal("Cannot write test file %s", qPrintable(full));
    }
}

void TempProgramFolder::writeRound(int number, const QString& question,
                                   const QStringList& answerLines, bool extra) const {
    const QString name = (extra ? QStringLiteral("xronda") : QStringLiteral("ronda")) +
                         QString::number(number) + QStringLiteral(".txt");
    writeBytes(QStringLiteral("Rondas/") + name,
               encodeText((QStringList{question} + answerLines).join(QStringLiteral("\r\n"))));
}

QByteArray TempProgramFolder::readBytes(const QString& relative) const {
    QFile f(file(relative));
    if (!f.open(QIODevice::ReadOnly)) {
        return {};
    }
    return f.readAll();
}

void TempProgramFolder::denyReading(const QString& relative) const {
    if (!QFile::setPermissions(file(relative), {})) {
        qFatal("Cannot take the permissions of %s", qPrintable(file(relative)));
    }
}

void asShowUser(const std::function<void()>& step) {
    const uid_t previous = geteuid();
    const uid_t nobody = 65534;
    if (previous == 0 && seteuid(nobody) != 0) {
        qFatal("Cannot run as the user nobody");
    }
    const auto back = qScopeGuard([previous] {
        if (previous == 0 && seteuid(previous) != 0) {
            qFatal("Cannot become root again");
        }
    });
    step();
}

}  // namespace velta::test
