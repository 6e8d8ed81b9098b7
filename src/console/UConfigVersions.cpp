// Whole set-ups in one step: saving and loading game versions ("Mis versiones") and applying
// the themes of the theme dialog.
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QPushButton>

#include "board/BoardStyle.h"
#include "board/ImageBox.h"
#include "board/KeyButton.h"
#include "board/Uvelta.h"
#include "console/QuestionEditor.h"
#include "console/SettingsArea.h"
#include "console/UConfig.h"
#include "content/TextFiles.h"
#include "editing/GameSettings.h"
#include "editing/GameVersions.h"
#include "editing/Presets.h"
#include "editing/SettingsStore.h"
#include "editing/Utemas.h"
#include "packs/PackDialog.h"
#include "platform/Dialogs.h"
#include "platform/Guard.h"
#include "platform/ProgramFolder.h"
#include "sound/SoundBank.h"

namespace velta {

namespace {

// A title as a file name: the characters a file name cannot hold become spaces.
QString fileNameOf(const QString& title) {
    QString name = trimControl(title);
    for (const QChar c : QStringLiteral("\\/:*?\"<>|")) {
        name.replace(c, QLatin1Char(' '));
    }
    return name.isEmpty() ? QStringLiteral("version") : name;
}

}  // namespace

void TFConfig::buildVersions(QGroupBox* group) {
    const auto button = [this, group](const QString& name, const QString& caption,
                                      const QString& hint, int x, void (TFConfig::*command)()) {
        auto* b = commandButton(name, caption, hint, group, QRect(x, 22, 76, 28));
        connect(b, &QPushButton::clicked, this, [this, command] {
            guarded([this, command] { (this->*command)(); });
            parkFocus();
        });
    };
    button(QStringLiteral("BGuardarVersion"), QStringLiteral("Guardar"),
           QStringLiteral("Guardar la configuración actual del juego como una nueva versión"), 8,
           &TFConfig::saveVersion);
    button(QStringLiteral("BCargarVersion"), QStringLiteral("Cargar"),
           QStringLiteral("Seleccionar y cargar una version del juego guardada previamente"), 88,
           &TFConfig::loadVersion);
    button(QStringLiteral("BMasTemas"), QStringLiteral("Más temas…"),
           QStringLiteral("Descargar temas o instalarlos desde un archivo"), 168,
           &TFConfig::openPacks);
    infoIcon(QStringLiteral("Image25"),
             QStringLiteral("Guarda el título, portada, nombre de equipos y carpeta de rondas "
                            "actual  para cargarlo en otro momento"),
             group, QPoint(252, 28));
}

// The set-up as the settings fields hold it now, typing not yet saved included.
void TFConfig::saveVersion() {
    const GameSettings fields = settings_->fieldSettings();
    const QString path =
        dialogs().saveFile(QStringLiteral("Guardar versión actual"),
                           programPath(QStringLiteral("Config")), fileNameOf(fields.title),
                           QStringLiteral("Archivo del juego (*.vlt)"), QStringLiteral("vlt"));
    if (path.isEmpty()) {
        return;
    }
    writeLinesFile(path, versionLines(fields));
}

void TFConfig::loadVersion() {
    if (!editor_->confirmUnsavedQuestion()) {
        return;
    }
    const QString path = dialogs().openFile(programPath(QStringLiteral("Config")),
                                            QStringLiteral("Versión del juego (*.vlt)"));
    if (path.isEmpty() || !QFileInfo::exists(normalizeSeparators(path))) {
        board_.update();
        return;
    }
    loadVersionFile(path);
}

// Every line that can be applied is applied, shown on the board and stored as the show's
// settings; the others are named together at the end, and the board starts the loaded
// set on its first question. When a settings file cannot be written, nothing of the
// version is stored or shown.
void TFConfig::loadVersionFile(const QString& path, const InstalledPack* pack) {
    const QStringList lines = readLinesFile(path).value_or(QStringList());
    QStringList problems;
    SettingsStore& store = board_.settingsStore();
    const GameSettings before = store.settings();
    GameSettings loaded = readVersion(lines, before, &problems);
    SettingsStore::Parts parts = SettingsStore::Part::Title | SettingsStore::Part::Teams;
    if (loaded.coverImage != before.coverImage) {
        parts |= SettingsStore::Part::Cover;
    }
    if (loaded.roundFolderPath != before.roundFolderPath) {
        parts |= SettingsStore::Part::RoundFolder;
    }
    if (pack) {
        parts |= SettingsStore::Part::ThemeMarker;
        if (!pack->frameFile.isEmpty() && QFileInfo::exists(pack->frameFile)) {
            loaded.frameImage = pack->frameFile;
            parts |= SettingsStore::Part::Frame;
        }
    }
    store.applySetUp(loaded, parts);
    settings_->refresh();
    board_.game().restartRounds();
    editor_->restart();
    if (board_.gameViewShowing()) {
        for (const QChar key : {QChar('s'), QChar('f')}) {
            if (board_.command(key)->isEnabled()) {
                board_.run(key);
            }
        }
    }
    board_.update();
    if (!problems.isEmpty()) {
        dialogs().notice(QStringLiteral("De la versión \"%1\" no se cargó:\n%2\nLo demás se cargó.")
                             .arg(QDir::toNativeSeparators(path), problems.join('\n')));
    }
}

void TFConfig::openThemes() {
    if (!themes_) {
        themes_ = new TFtemas(this);
        connect(themes_, &TFtemas::themeAccepted, this,
                [this](int index) { guarded([this, index] { applyTheme(index); }); });
        connect(themes_, &TFtemas::morePacks, this, [this] { guarded([this] { openPacks(); }); });
    }
    themes_->setFolderChoice(board_.themeButtonShown());
    themes_->openModal();
}

// A theme's title, cover and rounds folder are stored and shown at once; what a preset
// misses is named, and the rest still applies. Any accepted theme starts its questions
// from the first.
void TFConfig::applyTheme(int index) {
    if (!editor_->confirmUnsavedQuestion()) {
        return;
    }
    const Preset& preset = presets().at(index);
    SettingsStore& store = board_.settingsStore();
    // The title comes with the colours in force; the files are written all or nothing.
    GameSettings s = store.settings();
    SettingsStore::Parts parts = SettingsStore::Part::ThemeMarker;
    QStringList missing;
    if (index > 0) {
        s.title = preset.entry;
        parts |= SettingsStore::Part::Title;
        const QString cover =
            mediaPath(QStringLiteral("Imagen\\Titles\\portada%1.jpg").arg(preset.cover));
        if (QFileInfo::exists(cover)) {
            s.coverImage = cover;
            parts |= SettingsStore::Part::Cover;
        } else {
            missing << QStringLiteral("la portada \"%1\"").arg(QDir::toNativeSeparators(cover));
        }
    }
    const QString folder = programPath(preset.roundFolder);
    if (QFileInfo(folder).isDir()) {
        s.roundFolderPath = folder;
        parts |= SettingsStore::Part::RoundFolder;
    } else if (index > 0) {
        missing << QStringLiteral("la carpeta de preguntas \"%1\"")
                       .arg(QDir::toNativeSeparators(folder));
    }
    store.applySetUp(s, parts);
    board_.game().restartRounds();
    ownVersionPending_ = index == 0;
    if (index == 0 || themes_->folderChoice()) {
        board_.armThemeTimer();
    }
    if (isVisible()) {
        settings_->refresh();
    }
    if (!missing.isEmpty()) {
        dialogs().notice(QStringLiteral("Al tema \"%1\" le falta %2; se conserva lo que había en "
                                        "su lugar.")
                             .arg(preset.entry, missing.join(QStringLiteral(" y "))));
    }
}

void TFConfig::openPacks() {
    if (!packs_) {
        packs_ = new PackDialog(this);
        connect(packs_, &PackDialog::useNow, this,
                [this](const InstalledPack& pack) { guarded([this, &pack] { usePack(pack); }); });
    }
    packs_->openWindow();
}

// An installed pack in one step: its version through the version loader together with its
// frame and the first-start theme prompt answered, then its bank in the slots (and restored
// at the next start).
void TFConfig::usePack(const InstalledPack& pack) {
    if (!editor_->confirmUnsavedQuestion()) {
        return;
    }
    loadVersionFile(pack.versionFile, &pack);
    if (!pack.bankFile.isEmpty()) {
        board_.soundBank().load(pack.bankFile);
    }
}

// The console opens on question 1 of the set, with a pointer to the rounds folder; a show of
// one's own starts with the prompt to type its title.
void TFConfig::themeAccepted() {
    open();
    folderPointer_->show();
    folderPointer_->raise();
    board_.game().restartRounds();
    editor_->restart();
    if (ownVersionPending_) {
        settings_->promptForTitle();
        ownVersionPending_ = false;
    }
}

}  // namespace velta
