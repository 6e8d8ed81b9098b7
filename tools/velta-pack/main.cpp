// velta-pack: makes a theme pack of the set-up a game version names, and optionally adds it
// to a catalogue that a web server publishes.
//   velta-pack VERSION.vlt PAQUETE.zip [--banco BANCO.bso] [--marco MARCO.jpg]
//              [--id ID] [--version V] [--descripcion TEXTO] [--carpeta CARPETA_DEL_PROGRAMA]
//              [--catalogo catalogo.json --url BASE]
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

#include "content/TextFiles.h"
#include "packs/Catalogue.h"
#include "packs/PackBuilder.h"
#include "platform/Errors.h"

namespace {

void say(FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fputc('\n', stream);
}

// The catalogue as it stands, or nothing when there is none yet.
QByteArray readCatalogue(const QString& path) {
    QFile file(path);
    if (!file.exists()) {
        return QByteArray();
    }
    if (file.size() > velta::kLargestCatalogue || !file.open(QIODevice::ReadOnly)) {
        throw velta::PackError(
            QStringLiteral("no se puede leer el catálogo \"%1\" (o pasa de %2)")
                .arg(velta::shownPath(path), velta::shownSize(velta::kLargestCatalogue)));
    }
    return file.read(velta::kLargestCatalogue + 1);
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("velta-pack"));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Hace un paquete de tema con lo que nombra una versión del juego."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("VERSION.vlt"),
                                 QStringLiteral("la versión del juego"));
    parser.addPositionalArgument(QStringLiteral("PAQUETE.zip"),
                                 QStringLiteral("el paquete a escribir"));
    const QCommandLineOption bank(QStringLiteral("banco"),
                                  QStringLiteral("banco de sonidos (.bso) con sus sonidos"),
                                  QStringLiteral("BANCO.bso"));
    const QCommandLineOption frame(QStringLiteral("marco"), QStringLiteral("imagen de marco"),
                                   QStringLiteral("MARCO"));
    const QCommandLineOption id(
        QStringLiteral("id"),
        QStringLiteral("identificador del tema (minúsculas, cifras y guiones)"),
        QStringLiteral("ID"));
    const QCommandLineOption version(QStringLiteral("version"),
                                     QStringLiteral("versión del paquete (1 si no se da)"),
                                     QStringLiteral("V"), QStringLiteral("1"));
    const QCommandLineOption description(QStringLiteral("descripcion"),
                                         QStringLiteral("descripción para el catálogo"),
                                         QStringLiteral("TEXTO"));
    const QCommandLineOption folder(
        QStringLiteral("carpeta"), QStringLiteral("carpeta del programa donde buscar los archivos"),
        QStringLiteral("CARPETA"));
    const QCommandLineOption catalogue(
        QStringLiteral("catalogo"), QStringLiteral("catálogo (.json) al que se agrega el paquete"),
        QStringLiteral("catalogo.json"));
    const QCommandLineOption base(QStringLiteral("url"),
                                  QStringLiteral("dirección donde se publica el paquete"),
                                  QStringLiteral("BASE"));
    parser.addOptions({bank, frame, id, version, description, folder, catalogue, base});
    parser.process(app);
    const QStringList files = parser.positionalArguments();
    if (files.size() != 2 || (parser.isSet(catalogue) != parser.isSet(base))) {
        say(stderr, QStringLiteral("Uso: velta-pack VERSION.vlt PAQUETE.zip [--banco BANCO.bso] "
                                   "[--catalogo catalogo.json --url BASE]"));
        return 1;
    }
    try {
        velta::PackRequest request;
        request.versionFile = files[0];
        request.output = files[1];
        request.bankFile = parser.value(bank);
        request.frameFile = parser.value(frame);
        request.id = parser.value(id);
        request.version = parser.value(version);
        request.description = parser.value(description);
        request.programFolder = parser.value(folder);
        velta::CatalogueEntry entry = velta::buildPack(request);
        say(stdout, QStringLiteral("Paquete \"%1\": tema \"%2\" versión %3, %4, SHA-256 %5")
                        .arg(files[1], entry.entry, entry.version, velta::shownSize(entry.size),
                             QString::fromLatin1(entry.sha256)));
        if (parser.isSet(catalogue)) {
            QString url = parser.value(base);
            if (!url.endsWith('/')) {
                url += '/';
            }
            url += QFileInfo(files[1]).fileName();
            const QString path = parser.value(catalogue);
            const QByteArray json = velta::withCatalogueEntry(readCatalogue(path), entry, url);
            velta::writeTextFile(path, QString::fromLatin1(json));
            say(stdout, QStringLiteral("Catálogo \"%1\": \"%2\" en %3").arg(path, entry.id, url));
        }
        return 0;
    } catch (const std::exception& e) {
        say(stderr, QStringLiteral("velta-pack: %1").arg(velta::errorMessage(e)));
        return 1;
    }
}
