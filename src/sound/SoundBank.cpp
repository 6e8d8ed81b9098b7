#include "sound/SoundBank.h"

#include <QFileInfo>
#include <algorithm>

#include "content/TextFiles.h"
#include "editing/GameSettings.h"
#include "platform/Errors.h"
#include "platform/ProgramFolder.h"
#include "sound/Sound.h"
#include "sound/SoundOutput.h"

namespace velta {

namespace {

// Bank files may have been saved on Windows, with '\' between folders.
bool isFile(const QString& path) {
    return !path.isEmpty() && QFileInfo(normalizeSeparators(path)).isFile();
}

}  // namespace

SoundBank::SoundBank(QObject* parent) : QObject(parent) {
    soundOutput().setBankFileChecked(
        [this](const QString& path, bool playable) { fileChecked(path, playable); });
}

SoundBank::~SoundBank() {
    soundOutput().setBankFileChecked({});
    if (!keptFiles_.isEmpty()) {
        soundOutput().keepBankFilesReady({});
    }
}

SoundBank::SlotState SoundBank::slotState(int k) const {
    const QString path = slot(k);
    if (path.isEmpty()) {
        return SlotState::Empty;
    }
    if (!isFile(path)) {
        return SlotState::Missing;
    }
    return unplayable_.contains(normalizeSeparators(path)) ? SlotState::Unplayable
                                                           : SlotState::Playable;
}

void SoundBank::setSlot(int k, const QString& path) {
    std::array<QString, kSlots> next = slots_;
    next.at(k - 1) = path;
    setSlots(next);
}

void SoundBank::play(int k) const {
    PlayBankFile(slot(k));
}

QString SoundBank::proposedName() const {
    const auto name = [this](int k) {
        return QFileInfo(normalizeSeparators(slot(k))).completeBaseName();
    };
    return QStringLiteral("Audio-") + name(1) + QLatin1Char('-') + name(2);
}

void SoundBank::restore() {
    const QString pointer = programPath(kBankPointerFile);
    try {
        const QString bank = QFileInfo::exists(pointer) ? readFirstLine(pointer) : QString();
        if (isFile(bank)) {
            const QStringList lines = readTextLines(bank);
            std::array<QString, kSlots> next = slots_;
            for (int k = 0; k < kSlots && k < lines.size(); ++k) {
                if (!lines[k].isEmpty()) {
                    next[k] = portablePath(lines[k]);
                }
            }
            setSlots(next);
            setBankFile(bank);
            return;
        }
    } catch (const FileError&) {
        // The show starts with the shipped sounds, and the operator hears why.
        restoreDefaults();
        throw;
    }
    restoreDefaults();
}

void SoundBank::restoreDefaults() {
    std::array<QString, kSlots> next = slots_;
    const QString defaults[] = {kApplauseSound, kBooSound};
    for (int k = 0; k < 2; ++k) {
        const QString path = mediaPath(defaults[k]);
        if (isFile(path)) {
            next[k] = path;
        }
    }
    setSlots(next);
}

void SoundBank::save(const QString& path) {
    try {
        writeLinesFile(path, QStringList(slots_.begin(), slots_.end()));
    } catch (const FileError&) {
        throw FileError(
            QStringLiteral("No se pudo guardar el banco de sonidos \"%1\".").arg(shownPath(path)));
    }
    setBankFile(path);
    rememberBankFile(
        QStringLiteral("El banco de sonidos se guardó en \"%1\"").arg(shownPath(path)));
}

void SoundBank::load(const QString& path) {
    if (!isFile(path)) {
        return;
    }
    const QStringList lines = readTextLines(path);
    std::array<QString, kSlots> next;
    for (int k = 0; k < kSlots; ++k) {
        next[k] = portablePath(lines.value(k));
    }
    setSlots(next);
    setBankFile(path);
    rememberBankFile(
        QStringLiteral("El banco de sonidos \"%1\" está cargado").arg(shownPath(path)));
}

// `done` says what did happen, for the message when the pointer cannot be written.
void SoundBank::rememberBankFile(const QString& done) {
    const QString pointer = programPath(kBankPointerFile);
    try {
        writePathFile(pointer, bankFile_);
    } catch (const FileError&) {
        throw FileError(done + QStringLiteral(", pero no se pudo escribir \"%1\": la próxima vez "
                                              "que se inicie el programa no se cargará este banco.")
                                   .arg(shownPath(pointer)));
    }
}

void SoundBank::setSlots(const std::array<QString, kSlots>& slots) {
    const std::array<QString, kSlots> before = slots_;
    slots_ = slots;
    keepFilesReady();
    for (int k = 0; k < kSlots; ++k) {
        if (slots_[k] != before[k]) {
            Q_EMIT slotChanged(k + 1);
        }
    }
}

void SoundBank::setBankFile(const QString& path) {
    if (bankFile_ != path) {
        bankFile_ = path;
        Q_EMIT bankFileChanged(path);
    }
}

// A file that leaves the bank is checked afresh when it comes back: it may have been
// replaced by then.
void SoundBank::keepFilesReady() {
    QStringList files;
    for (const QString& path : slots_) {
        const QString file = normalizeSeparators(path);
        if (isFile(file) && !files.contains(file)) {
            files << file;
        }
    }
    unplayable_.intersect(QSet<QString>(files.begin(), files.end()));
    if (files != keptFiles_) {
        keptFiles_ = files;
        soundOutput().keepBankFilesReady(files);
    }
}

void SoundBank::fileChecked(const QString& path, bool playable) {
    if (playable != unplayable_.contains(path)) {
        return;
    }
    const auto holds = [&path](const QString& slot) { return normalizeSeparators(slot) == path; };
    if (std::none_of(slots_.begin(), slots_.end(), holds)) {
        return;
    }
    if (playable) {
        unplayable_.remove(path);
    } else {
        unplayable_.insert(path);
    }
    for (int k = 0; k < kSlots; ++k) {
        if (holds(slots_[k])) {
            Q_EMIT slotChanged(k + 1);
        }
    }
}

}  // namespace velta
