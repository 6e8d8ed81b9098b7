// "Más temas…": the window "Temas para descargar" against a local server that misbehaves on
// request, the file route for venues without internet, and a pack put on the board in one
// step.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include "ConsoleFixture.h"
#include "PackFixtures.h"
#include "PackServer.h"
#include "editing/GameSettings.h"
#include "editing/Utemas.h"
#include "packs/PackDialog.h"
#include "packs/PackDownload.h"
#include "packs/PackFormat.h"
#include "packs/PackInstall.h"
#include "platform/ProgramFolder.h"
#include "sound/SoundBank.h"

using namespace velta;
using velta::test::PackServer;

namespace {

constexpr int kPatience = 15000;  // ms: no step of a test waits longer

QByteArray catalogueOf(const QString& version, const QByteArray& pack,
                       const QString& url = QStringLiteral("paquetes/fiesta.zip")) {
    const QJsonObject entry{{"id", "fiesta-patria"},
                            {"nombre", "Fiesta Patria (15 de septiembre)"},
                            {"descripcion", "Preguntas para el grito"},
                            {"version", version},
                            {"bytes", double(pack.size())},
                            {"sha256", QString::fromLatin1(sha256Hex(pack))},
                            {"url", url}};
    return QJsonDocument(QJsonObject{{"temas", QJsonArray{entry}}}).toJson();
}

}  // namespace

class PackDownloadTest : public velta::test::ConsoleTestCase {
    Q_OBJECT

  private Q_SLOTS:
    void init();
    void cleanup();

    void downloadUpdateAndUse();
    void downloadFaults_data();
    void downloadFaults();
    void downloadedPackMustBeTheCatalogueEntry_data();
    void downloadedPackMustBeTheCatalogueEntry();
    void unreadableRecordLeavesTheWindowUsable();
    void cancelDownload();
    void fileRouteWithoutAddress();
    void themeDialogOffersMorePacks();

  private:
    PackDialog* dialog() { return f().console->findChild<PackDialog*>(); }
    template <class Widget>
    Widget* in(const char* name) {
        return dialog()->findChild<Widget*>(QLatin1String(name));
    }
    QString note() { return in<QLabel>("LNota")->text(); }
    // The pack as bytes and as a file outside the program folder.
    QByteArray fiesta(const QString& version) {
        const QString file = work_.filePath(QStringLiteral("fiesta-%1.zip").arg(version));
        velta::test::writeZip(file,
                              velta::test::packEntries(velta::test::fiestaPack(version), version));
        QFile zip(file);
        return zip.open(QIODevice::ReadOnly) ? zip.readAll() : QByteArray();
    }
    // The catalogue and the pack on the server, the program pointed at the catalogue.
    void publish(const QString& version, const PackServer::Route& pack) {
        server_->serve(QStringLiteral("/temas/catalogo.json"),
                       catalogueOf(version, fiesta(version)));
        server_->route(QStringLiteral("/temas/paquetes/fiesta.zip"), pack);
        writePathFile(programPath(QStringLiteral("Config/TemasURL.txt")),
                      server_->url(QStringLiteral("/temas/catalogo.json")).toString());
    }
    // "Más temas…" in "Mis versiones", and the catalogue on screen.
    bool openWithCatalogue() {
        QTest::mouseClick(f().find<QPushButton>("BMasTemas"), Qt::LeftButton);
        return dialog() && dialog()->isVisible() &&
               QTest::qWaitFor(
                   [this] { return in<QTreeWidget>("ListaTemas")->topLevelItemCount() == 1; },
                   kPatience);
    }

    std::unique_ptr<PackServer> server_;
    QTemporaryDir work_;
};

void PackDownloadTest::init() {
    server_ = std::make_unique<PackServer>();
    QVERIFY(server_->listen());
    QVERIFY(fresh(3).startWithConsole());
}

void PackDownloadTest::cleanup() {
    f_.reset();
    server_.reset();
}

// An older version installed, the catalogue offers an update; downloaded, checked and
// installed, "Usar ahora" puts its title, cover and questions on the board and its bank in
// place for the next start.
void PackDownloadTest::downloadUpdateAndUse() {
    fiesta(QStringLiteral("1"));
    installPack(work_.filePath(QStringLiteral("fiesta-1.zip")));
    const QByteArray pack = fiesta(QStringLiteral("2"));
    publish(QStringLiteral("2"), {200, pack, PackServer::Fault::None, {}});
    QVERIFY(openWithCatalogue());
    auto* list = in<QTreeWidget>("ListaTemas");
    QCOMPARE(in<QLabel>("LCatalogo")->text(),
             QStringLiteral("Catálogo de %1: 1 tema.")
                 .arg(server_->url(QStringLiteral("/temas/catalogo.json")).toString()));
    QCOMPARE(list->topLevelItem(0)->text(0), QStringLiteral("Fiesta Patria (15 de septiembre)"));
    QCOMPARE(list->topLevelItem(0)->text(3), QStringLiteral("Actualización"));
    QCOMPARE(in<QLabel>("LDescripcion")->text(), QStringLiteral("Preguntas para el grito"));
    QVERIFY(!in<QPushButton>("BUsarAhora")->isEnabled());

    QTest::mouseClick(in<QPushButton>("BDescargar"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(in<QPushButton>("BUsarAhora")->isEnabled(), kPatience);
    QVERIFY2(
        note().startsWith(QStringLiteral("Tema \"Fiesta Patria (15 de septiembre)\" (versión 2) "
                                         "instalado.")),
        qPrintable(note()));
    QVERIFY(note().contains(QStringLiteral("RondasFiestaPatria-")));
    QCOMPARE(in<QProgressBar>("Progreso")->value(), 100);
    QCOMPARE(list->topLevelItem(0)->text(3), QStringLiteral("Instalado"));
    QVERIFY(velta::test::saveScreenshot(dialog(), QStringLiteral("pack_dialog.png")));
    QCOMPARE(server_->requests(QStringLiteral("/temas/paquetes/fiesta.zip")), 1);

    QTest::mouseClick(in<QPushButton>("BUsarAhora"), Qt::LeftButton);
    QVERIFY(!dialog()->isVisible());
    QCOMPARE(board().Label18->text(), QStringLiteral("Fiesta Patria"));
    QCOMPARE(board().Image2->image().size(), QSize(320, 180));
    QCOMPARE(board()->roundFolder(), programPath(QStringLiteral("RondasFiestaPatria")));
    QCOMPARE(f().folder.readBytes(QStringLiteral("Config/BancoSonido.txt")),
             QFile::encodeName(programPath(QStringLiteral("Config/Fiesta.bso"))));
    QCOMPARE(board()->soundBank().slot(1), programPath(QStringLiteral("Audio/EFFECTS/Grito.mp3")));
    QCOMPARE(board()->soundBank().slot(3),
             programPath(QStringLiteral("Audio/EFFECTS/Mariachi.wav")));
    QCOMPARE(board()->settings().frameImage,
             programPath(QStringLiteral("Imagen/Frames/marco-patrio.jpg")));
    QCOMPARE(f().find<QLineEdit>("EMarco")->text(), board()->settings().frameImage);
    QVERIFY(QFile::exists(f().folder.file(kThemeMarker)));
    QCOMPARE(f().find<QLineEdit>("Edit1")->text(),
             QStringLiteral("Menciona un platillo de septiembre 2"));
    f().press('s');
    QCOMPARE(board().Label16->text(), QStringLiteral("Menciona un platillo de septiembre 2"));
    QVERIFY(f().dialogs.shown.isEmpty());
}

void PackDownloadTest::downloadFaults_data() {
    QTest::addColumn<int>("fault");  // what the server does with the pack
    QTest::addColumn<QString>("reason");
    QTest::newRow("wrong hash") << 0 << "no coincide con el SHA-256 del catálogo";
    QTest::newRow("truncated body") << 1 << "llegaron";
    QTest::newRow("stall") << 2 << "no llegaron datos durante 1 s";
    QTest::newRow("not found") << 3 << "el servidor respondió con el error 404";
    QTest::newRow("redirect loop") << 4 << "el servidor redirige demasiadas veces";
    QTest::newRow("oversized body") << 5 << "el servidor envía más de los";
    QTest::newRow("TLS error") << 6 << "la conexión segura con el servidor falló";
}

// Whatever goes wrong on the way, the operator reads why, nothing is installed and the
// program folder is byte for byte as it was.
void PackDownloadTest::downloadFaults() {
    QFETCH(int, fault);
    QFETCH(QString, reason);
    QByteArray pack = fiesta(QStringLiteral("1"));
    PackServer::Route route{200, pack, PackServer::Fault::None, {}};
    const QString path = QStringLiteral("/temas/paquetes/fiesta.zip");
    switch (fault) {
        case 0:
            route.body[route.body.size() / 2] = route.body[route.body.size() / 2] ^ 0x55;
            break;
        case 1:
            route.fault = PackServer::Fault::Truncate;
            break;
        case 2:
            route.fault = PackServer::Fault::Stall;
            break;
        case 3:
            route = {404, "no existe", PackServer::Fault::None, {}};
            break;
        case 4:
            route = {302, {}, PackServer::Fault::None, server_->url(path).toEncoded()};
            break;
        case 5:
            route.body += QByteArray(4096, 'x');
            break;
    }
    publish(QStringLiteral("1"), route);
    QUrl secure = server_->url(path);
    secure.setScheme(QStringLiteral("https"));
    server_->serve(QStringLiteral("/temas/catalogo.json"),
                   fault == 6 ? catalogueOf(QStringLiteral("1"), pack, secure.toString())
                              : catalogueOf(QStringLiteral("1"), pack));
    QVERIFY(openWithCatalogue());
    dialog()->downloader().setStallLimit(300);
    const auto before = velta::test::snapshot(f().folder.path());
    QTest::mouseClick(in<QPushButton>("BDescargar"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(in<QPushButton>("BDescargar")->isEnabled(), kPatience);
    QVERIFY2(note().startsWith(QStringLiteral("No se descargó el tema \"Fiesta Patria (15 de "
                                              "septiembre)\":")) &&
                 note().contains(reason) && note().endsWith(QStringLiteral("No se instaló nada.")),
             qPrintable(note()));
    QVERIFY(!in<QPushButton>("BUsarAhora")->isEnabled());
    QCOMPARE(velta::test::snapshot(f().folder.path()), before);
    if (fault == 4) {
        QCOMPARE(server_->requests(path), PackDownloader::kMostRedirects + 1);
    }
}

void PackDownloadTest::downloadedPackMustBeTheCatalogueEntry_data() {
    QTest::addColumn<QString>("id");  // what the pack's manifest says
    QTest::addColumn<QString>("version");
    QTest::newRow("another version") << "fiesta-patria"
                                     << "2";
    QTest::newRow("another pack") << "fiesta-nacional"
                                  << "1";
}

// A pack whose manifest is not the catalogue entry's, though its SHA-256 is, is refused with
// the reason; its row keeps telling the truth.
void PackDownloadTest::downloadedPackMustBeTheCatalogueEntry() {
    QFETCH(QString, id);
    QFETCH(QString, version);
    const velta::test::PackFiles files = velta::test::fiestaPack(version);
    QList<velta::test::ZipEntry> entries = velta::test::packEntries(files, version);
    entries[0].content = velta::test::manifestFor(
        id, version, QStringLiteral("Fiesta Patria (15 de septiembre)"), files);
    const QString file = work_.filePath(QStringLiteral("otro.zip"));
    velta::test::writeZip(file, entries);
    QFile zip(file);
    QVERIFY(zip.open(QIODevice::ReadOnly));
    const QByteArray pack = zip.readAll();
    publish(QStringLiteral("1"), {200, pack, PackServer::Fault::None, {}});
    server_->serve(QStringLiteral("/temas/catalogo.json"), catalogueOf(QStringLiteral("1"), pack));
    QVERIFY(openWithCatalogue());
    const auto before = velta::test::snapshot(f().folder.path());
    QTest::mouseClick(in<QPushButton>("BDescargar"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(in<QPushButton>("BDescargar")->isEnabled(), kPatience);
    QCOMPARE(note(), QStringLiteral("No se instaló el tema \"Fiesta Patria (15 de septiembre)\": "
                                    "el paquete trae el tema \"%1\" en su versión %2, y el "
                                    "catálogo ofrece \"fiesta-patria\" en su versión 1. No se "
                                    "cambió nada.")
                         .arg(id, version));
    QCOMPARE(velta::test::snapshot(f().folder.path()), before);
    QCOMPARE(in<QTreeWidget>("ListaTemas")->topLevelItem(0)->text(3), QStringLiteral("Nuevo"));
}

// A record of installed packs grown past what the program reads (by an earlier build) makes
// each install fail, and the window says why and stays ready for the next try.
void PackDownloadTest::unreadableRecordLeavesTheWindowUsable() {
    QByteArray record;
    for (int n = 0; n < 70; ++n) {
        record += "otro-" + QByteArray::number(n) + "|1|||" + QByteArray(1024, 'E') + "\r\n";
    }
    f().folder.writeBytes(QStringLiteral("Config/TemasInstalados.txt"), record);
    const QString reason =
        QStringLiteral("No se puede leer el archivo \"%1\": mide %2 KB y el máximo es 64 KB")
            .arg(f().folder.file(QStringLiteral("Config/TemasInstalados.txt")))
            .arg((record.size() + 1023) / 1024);
    publish(QStringLiteral("1"), {200, fiesta(QStringLiteral("1")), PackServer::Fault::None, {}});
    QVERIFY(openWithCatalogue());
    QVERIFY(in<QPushButton>("BDescargar")->isEnabled());
    QVERIFY2(note().contains(reason), qPrintable(note()));

    const auto before = velta::test::snapshot(f().folder.path());
    QTest::mouseClick(in<QPushButton>("BDescargar"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(in<QPushButton>("BDescargar")->isEnabled(), kPatience);
    QCOMPARE(note(), QStringLiteral("No se instaló el tema \"Fiesta Patria (15 de septiembre)\": "
                                    "%1. No se cambió nada.")
                         .arg(reason));
    QVERIFY(in<QPushButton>("BArchivo")->isEnabled());
    QCOMPARE(velta::test::snapshot(f().folder.path()), before);
    QCOMPARE(f().dialogs.errors(), QStringList());
}

// "Cancelar" ends a download that is under way; the show went on meanwhile.
void PackDownloadTest::cancelDownload() {
    const QByteArray pack = fiesta(QStringLiteral("1"));
    publish(QStringLiteral("1"), {200, pack, PackServer::Fault::Stall, {}});
    QVERIFY(openWithCatalogue());
    const auto before = velta::test::snapshot(f().folder.path());
    QTest::mouseClick(in<QPushButton>("BDescargar"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(in<QProgressBar>("Progreso")->value() > 0, kPatience);
    f().board->command('s')->press();
    QCOMPARE(board().Label16->text(), QStringLiteral("Pregunta 1"));
    QTest::mouseClick(in<QPushButton>("BCancelar"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(note().contains(QStringLiteral("se canceló la descarga")), kPatience);
    QVERIFY(in<QPushButton>("BDescargar")->isEnabled());
    QCOMPARE(velta::test::snapshot(f().folder.path()), before);
}

// Without a catalogue address the window says so and still installs from a file; a pack
// that fails its checks says why and changes nothing.
void PackDownloadTest::fileRouteWithoutAddress() {
    QTest::mouseClick(f().find<QPushButton>("BMasTemas"), Qt::LeftButton);
    QVERIFY(dialog()->isVisible());
    QCOMPARE(in<QLabel>("LCatalogo")->text(),
             QStringLiteral("No hay una dirección de catálogo configurada (Config\\TemasURL.txt). "
                            "Puede instalar un tema desde un archivo con \"Instalar desde "
                            "archivo…\"."));
    QCOMPARE(in<QTreeWidget>("ListaTemas")->topLevelItemCount(), 0);
    QVERIFY(!in<QPushButton>("BDescargar")->isEnabled());

    QList<velta::test::ZipEntry> entries = velta::test::packEntries(velta::test::fiestaPack());
    for (velta::test::ZipEntry& entry : entries) {
        if (entry.path == QLatin1String("RondasFiestaPatria/ronda1.txt")) {
            entry.content += "alterado";
        }
    }
    const QString bad = work_.filePath(QStringLiteral("malo.zip"));
    velta::test::writeZip(bad, entries);
    const auto before = velta::test::snapshot(f().folder.path());
    f().dialogs.files << bad;
    QTest::mouseClick(in<QPushButton>("BArchivo"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(in<QPushButton>("BArchivo")->isEnabled(), kPatience);
    QVERIFY2(note().startsWith(QStringLiteral("No se instaló el tema \"malo.zip\":")),
             qPrintable(note()));
    QCOMPARE(velta::test::snapshot(f().folder.path()), before);

    fiesta(QStringLiteral("1"));
    f().dialogs.files << work_.filePath(QStringLiteral("fiesta-1.zip"));
    QTest::mouseClick(in<QPushButton>("BArchivo"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(in<QPushButton>("BUsarAhora")->isEnabled(), kPatience);
    QCOMPARE(f().dialogs.shown.constLast(),
             QStringLiteral("open: %1 | Paquete de temas (*.zip)").arg(QDir::homePath()));
    QTest::mouseClick(in<QPushButton>("BUsarAhora"), Qt::LeftButton);
    QCOMPARE(board().Label18->text(), QStringLiteral("Fiesta Patria"));
    f().press('s');
    QCOMPARE(board().Label16->text(), QStringLiteral("Menciona un platillo de septiembre 1"));
}

void PackDownloadTest::themeDialogOffersMorePacks() {
    f().press('j');
    auto* themes = f().console->findChild<TFtemas*>();
    QVERIFY(themes && themes->isVisible());
    QTest::mouseClick(themes->findChild<QPushButton*>(QStringLiteral("BMasTemas")), Qt::LeftButton);
    QVERIFY(!themes->isVisible());
    QVERIFY(dialog() && dialog()->isVisible());
}

QTEST_MAIN(PackDownloadTest)
#include "tst_pack_download.moc"
