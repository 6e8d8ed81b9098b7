#include "packs/PackDialog.h"

#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>

#include "board/BoardStyle.h"
#include "content/TextFiles.h"
#include "packs/PackDownload.h"
#include "packs/PackFormat.h"
#include "packs/PackInstallJob.h"
#include "platform/Dialogs.h"
#include "platform/Guard.h"
#include "platform/ProgramFolder.h"

namespace velta {

namespace {

enum Column { kEntry, kVersion, kSize, kState };

}  // namespace

PackDialog::PackDialog(QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      downloader_(new PackDownloader(this)),
      job_(new PackInstallJob(this)) {
    setObjectName(QStringLiteral("PackDialog"));
    setWindowTitle(QStringLiteral("Temas para descargar"));
    setFixedSize(640, 430);
    setFont(tahoma(11));

    source_ = new QLabel(this);
    source_->setObjectName(QStringLiteral("LCatalogo"));
    source_->setGeometry(10, 8, 620, 36);
    source_->setWordWrap(true);

    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("ListaTemas"));
    list_->setGeometry(10, 48, 620, 180);
    list_->setRootIsDecorated(false);
    list_->setHeaderLabels({QStringLiteral("Tema"), QStringLiteral("Versión"),
                            QStringLiteral("Tamaño"), QStringLiteral("Estado")});
    list_->header()->setStretchLastSection(false);
    list_->header()->setSectionResizeMode(kEntry, QHeaderView::Stretch);
    connect(list_, &QTreeWidget::currentItemChanged, this,
            [this] { guarded([this] { showSelection(); }); });

    description_ = new QLabel(this);
    description_->setObjectName(QStringLiteral("LDescripcion"));
    description_->setGeometry(10, 232, 620, 36);
    description_->setWordWrap(true);

    download_ = new QPushButton(QStringLiteral("Descargar"), this);
    download_->setObjectName(QStringLiteral("BDescargar"));
    download_->setGeometry(10, 274, 110, 28);
    connect(download_, &QPushButton::clicked, this,
            [this] { guarded([this] { downloadSelected(); }); });
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("Progreso"));
    progress_->setGeometry(128, 276, 384, 24);
    progress_->setRange(0, 100);
    progress_->setValue(0);
    cancel_ = new QPushButton(QStringLiteral("Cancelar"), this);
    cancel_->setObjectName(QStringLiteral("BCancelar"));
    cancel_->setGeometry(520, 274, 110, 28);
    connect(cancel_, &QPushButton::clicked, this, [this] {
        guarded([this] {
            downloader_->cancel();
            job_->cancel();
        });
    });

    note_ = new QLabel(this);
    note_->setObjectName(QStringLiteral("LNota"));
    note_->setGeometry(10, 308, 620, 76);
    note_->setWordWrap(true);
    note_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    note_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    fromFile_ = new QPushButton(QStringLiteral("Instalar desde archivo…"), this);
    fromFile_->setObjectName(QStringLiteral("BArchivo"));
    fromFile_->setGeometry(10, 392, 200, 30);
    connect(fromFile_, &QPushButton::clicked, this,
            [this] { guarded([this] { installFromFile(); }); });
    useNow_ = new QPushButton(QStringLiteral("Usar ahora"), this);
    useNow_->setObjectName(QStringLiteral("BUsarAhora"));
    useNow_->setGeometry(402, 392, 110, 30);
    useNow_->setEnabled(false);
    connect(useNow_, &QPushButton::clicked, this, [this] {
        guarded([this] {
            if (justInstalled_) {
                const InstalledPack pack = *justInstalled_;
                hide();
                Q_EMIT useNow(pack);
            }
        });
    });
    auto* close = new QPushButton(QStringLiteral("Cerrar"), this);
    close->setObjectName(QStringLiteral("BCerrar"));
    close->setGeometry(520, 392, 110, 30);
    connect(close, &QPushButton::clicked, this, &QWidget::hide);

    connect(downloader_, &PackDownloader::catalogueReady, this,
            [this](const Catalogue& c) { guarded([this, &c] { showCatalogue(c); }); });
    connect(downloader_, &PackDownloader::catalogueFailed, this, [this](const QString& message) {
        guarded([this, &message] { source_->setText(message); });
    });
    const auto progress = [this](qint64 done, qint64 total) {
        guarded([this, done, total] { showProgress(done, total); });
    };
    connect(downloader_, &PackDownloader::progress, this, progress);
    connect(downloader_, &PackDownloader::downloaded, this, [this](const QString& file) {
        guarded([this, &file] { install(file, downloading_); });
    });
    connect(downloader_, &PackDownloader::failed, this,
            [this](const QString& message) { guarded([this, &message] { failed(message); }); });
    connect(job_, &PackInstallJob::progress, this, progress);
    connect(job_, &PackInstallJob::installed, this, [this](const PackInstallResult& result) {
        guarded([this, &result] { installed(result); });
    });
    connect(job_, &PackInstallJob::failed, this,
            [this](const QString& message) { guarded([this, &message] { failed(message); }); });
    setBusy(false);
}

PackDialog::~PackDialog() = default;

void PackDialog::openWindow() {
    show();
    raise();
    activateWindow();
    if (!busy_) {
        loadCatalogue();
    }
}

void PackDialog::loadCatalogue() {
    list_->clear();
    catalogue_ = Catalogue();
    const std::optional<QString> address = readPathFile(programPath(kCatalogueAddressFile));
    address_ = address ? trimControl(*address) : QString();
    if (address_.isEmpty()) {
        source_->setText(QStringLiteral("No hay una dirección de catálogo configurada (%1). Puede "
                                        "instalar un tema desde un archivo con \"Instalar desde "
                                        "archivo…\".")
                             .arg(kCatalogueAddressFile));
        return;
    }
    source_->setText(QStringLiteral("Leyendo el catálogo de %1…").arg(address_));
    downloader_->fetchCatalogue(QUrl::fromUserInput(address_));
}

void PackDialog::showCatalogue(const Catalogue& catalogue) {
    catalogue_ = catalogue;
    const qsizetype count = catalogue.packs.size();
    QString text = QStringLiteral("Catálogo de %1: %2 %3.")
                       .arg(address_)
                       .arg(count)
                       .arg(count == 1 ? QStringLiteral("tema") : QStringLiteral("temas"));
    if (catalogue.skipped > 0) {
        text +=
            QStringLiteral(" %1 entradas no son válidas y no se muestran.").arg(catalogue.skipped);
    }
    source_->setText(text);
    for (const CatalogueEntry& entry : catalogue.packs) {
        auto* row = new QTreeWidgetItem(
            list_, {entry.entry, entry.version, shownSize(entry.size), QString()});
        row->setToolTip(kEntry, entry.description);
    }
    refreshStates();
    if (list_->topLevelItemCount() > 0) {
        list_->setCurrentItem(list_->topLevelItem(0));
    }
    setBusy(busy_);
}

// The states follow what is installed now: after an install its row says so. A record that
// cannot be read leaves the states blank and says why, and the window stays usable.
void PackDialog::refreshStates() {
    QList<InstalledPack> installed;
    try {
        installed = installedPacks();
    } catch (const FileError& e) {
        for (int i = 0; i < list_->topLevelItemCount(); ++i) {
            list_->topLevelItem(i)->setText(kState, QString());
        }
        const QString why = errorMessage(e);
        note_->setText(note_->text().isEmpty() ? why : note_->text() + '\n' + why);
        return;
    }
    for (int i = 0; i < list_->topLevelItemCount(); ++i) {
        list_->topLevelItem(i)->setText(kState,
                                        stateText(packState(catalogue_.packs[i], installed)));
    }
}

void PackDialog::showSelection() {
    const int row = list_->indexOfTopLevelItem(list_->currentItem());
    description_->setText(row < 0 ? QString() : catalogue_.packs[row].description);
    setBusy(busy_);
}

void PackDialog::downloadSelected() {
    const int row = list_->indexOfTopLevelItem(list_->currentItem());
    if (row < 0 || busy_) {
        return;
    }
    const CatalogueEntry& entry = catalogue_.packs[row];
    note_->setText(QStringLiteral("Descargando \"%1\"…").arg(entry.entry));
    useNow_->setEnabled(false);
    justInstalled_.reset();
    progress_->setValue(0);
    downloading_ = entry;
    setBusy(true);
    downloader_->download(entry);
}

void PackDialog::installFromFile() {
    const QString file =
        dialogs().openFile(QDir::homePath(), QStringLiteral("Paquete de temas (*.zip)"));
    if (file.isEmpty()) {
        return;
    }
    useNow_->setEnabled(false);
    justInstalled_.reset();
    install(file);
}

void PackDialog::install(const QString& file, const std::optional<CatalogueEntry>& offered) {
    note_->setText(
        QStringLiteral("Comprobando e instalando \"%1\"…").arg(QDir::toNativeSeparators(file)));
    progress_->setValue(0);
    setBusy(true);
    job_->start(file, offered);
}

void PackDialog::installed(const PackInstallResult& result) {
    downloader_->discardPack();
    justInstalled_ = result.pack;
    progress_->setValue(100);
    note_->setText(result.note());
    useNow_->setEnabled(true);
    setBusy(false);
    refreshStates();
}

void PackDialog::failed(const QString& message) {
    downloader_->discardPack();
    note_->setText(message);
    progress_->setValue(0);
    setBusy(false);
}

void PackDialog::showProgress(qint64 done, qint64 total) {
    progress_->setValue(total > 0 ? int(done * 100 / total) : 0);
}

void PackDialog::setBusy(bool busy) {
    busy_ = busy;
    download_->setEnabled(!busy && list_->currentItem() != nullptr);
    fromFile_->setEnabled(!busy);
    cancel_->setEnabled(busy);
}

}  // namespace velta
