#include "packs/InstallCommand.h"

#include <QDir>
#include <QFileInfo>

#include "packs/PackInstall.h"
#include "packs/ShowLock.h"
#include "platform/CommandOutput.h"
#include "platform/Errors.h"
#include "platform/ProgramFolder.h"

namespace velta {

int installCommand(const QString& folder, const QStringList& arguments, FILE* out, FILE* err) {
    if (arguments.size() != 1 || arguments[0].isEmpty()) {
        say(err, QStringLiteral("Uso: velta %1 ARCHIVO").arg(kInstallOption));
        return 1;
    }
    const QString archive = QFileInfo(arguments[0]).absoluteFilePath();
    const QString name = QFileInfo(archive).fileName();
    setProgramFolder(folder);
    ShowLock lock;
    switch (lock.acquire(folder)) {
        case ShowLock::Outcome::HeldElsewhere:
            say(err, installFailedMessage(name, QStringLiteral("VELTA se está ejecutando en "
                                                               "esta carpeta; ciérrelo y vuelva "
                                                               "a intentarlo")));
            return 1;
        case ShowLock::Outcome::NotWritable:
            say(err, installFailedMessage(
                         name, QStringLiteral("no se puede escribir en la carpeta del programa "
                                              "\"%1\"")
                                   .arg(shownPath(folder))));
            return 1;
        case ShowLock::Outcome::Taken:
            break;
    }
    try {
        say(out, installPack(archive).note());
        return 0;
    } catch (const std::exception& e) {
        say(err, installFailedMessage(name, errorMessage(e)));
        return 1;
    }
}

}  // namespace velta
