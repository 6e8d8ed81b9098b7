#pragma once

#include <QDialog>
#include <optional>

#include "packs/Catalogue.h"
#include "packs/InstalledPacks.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTreeWidget;

namespace velta {

class PackDownloader;
class PackInstallJob;
struct PackInstallResult;

// "Temas para descargar": the packs of the download service named in Config\TemasURL.txt,
// each with its state (new, installed, update), downloaded with a progress bar, or installed
// from a pack file brought on a stick. Once a pack is in place "Usar ahora" puts it on the
// board. The window does not block the show: keys reach the board while a pack downloads
// and installs.
class PackDialog : public QDialog {
    Q_OBJECT
  public:
    explicit PackDialog(QWidget* parent);
    ~PackDialog() override;

    // Shows the window and reads the catalogue again, unless a pack is on its way.
    void openWindow();
    PackDownloader& downloader() { return *downloader_; }

  Q_SIGNALS:
    // "Usar ahora" on the pack just installed.
    void useNow(const velta::InstalledPack& pack);

  private:
    void loadCatalogue();
    void showCatalogue(const Catalogue& catalogue);
    void downloadSelected();
    void installFromFile();
    void install(const QString& file, const std::optional<CatalogueEntry>& offered = {});
    void installed(const PackInstallResult& result);
    void failed(const QString& message);
    void showProgress(qint64 done, qint64 total);
    void setBusy(bool busy);
    void showSelection();
    void refreshStates();

    PackDownloader* downloader_;
    PackInstallJob* job_;
    QString address_;
    Catalogue catalogue_;
    std::optional<InstalledPack> justInstalled_;
    // The entry of the pack on its way: its manifest must be that entry's.
    std::optional<CatalogueEntry> downloading_;
    bool busy_ = false;       // a pack downloading or installing
    QLabel* source_;          // LCatalogo
    QTreeWidget* list_;       // ListaTemas
    QLabel* description_;     // LDescripcion
    QPushButton* download_;   // BDescargar
    QPushButton* cancel_;     // BCancelar
    QProgressBar* progress_;  // Progreso
    QLabel* note_;            // LNota
    QPushButton* fromFile_;   // BArchivo
    QPushButton* useNow_;     // BUsarAhora
};

}  // namespace velta
