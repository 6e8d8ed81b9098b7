// velta-art <programFolder>: paints the shipped pictures and writes them below the program
// folder, where the board looks for them at start. velta-art --builtin <folder> writes the
// built-in cover that the board carries as a resource; velta-art --icons <folder> the
// program's icon in the sizes of a desktop's icon theme (hicolor/<N>x<N>/apps).

#include <QDir>
#include <QGuiApplication>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>
#include <QTextStream>
#include <functional>

#include "art/Art.h"
#include "art/RawPicture.h"
#include "editing/Presets.h"

namespace {

QTextStream& err() {
    static QTextStream stream(stderr);
    return stream;
}

// Qt's BMP writer keeps no alpha channel, so pictures with clear parts are laid over black,
// the colour of the board behind them.
QImage overBlack(const QImage& picture) {
    QImage flat(picture.size(), QImage::Format_RGB32);
    flat.fill(Qt::black);
    QPainter painter(&flat);
    painter.drawImage(0, 0, picture);
    painter.end();
    return flat;
}

// Writes through a temporary file, so a failed run never leaves half a picture behind.
bool writeBytes(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        err() << "velta-art: cannot write " << path << ": " << file.errorString() << Qt::endl;
        return false;
    }
    return true;
}

bool writePicture(const QString& path, const QImage& picture, const char* format) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        err() << "velta-art: cannot write " << path << ": " << file.errorString() << Qt::endl;
        return false;
    }
    QImageWriter writer(&file, format);
    writer.setQuality(90);
    const bool keepsAlpha = qstrcmp(format, "png") == 0;
    const QImage flat = picture.hasAlphaChannel() && !keepsAlpha ? overBlack(picture) : picture;
    if (!writer.write(flat)) {
        err() << "velta-art: cannot write " << path << ": " << writer.errorString() << Qt::endl;
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        err() << "velta-art: cannot write " << path << ": " << file.errorString() << Qt::endl;
        return false;
    }
    return true;
}

struct Picture {
    QString relative;
    std::function<QImage()> paint;
};

QList<Picture> shippedPictures() {
    using namespace velta::art;
    QList<Picture> pictures{
        {"Imagen/Pictures/fondo.bmp", boardBackground},
        {"Imagen/Pictures/cta_izq.bmp", scoreBoxLeft},
        {"Imagen/Pictures/cta_der.bmp", scoreBoxRight},
        {"Imagen/Pictures/cta_total.bmp", potBox},
        {"Imagen/Pictures/marco.bmp", [] { return frame(0); }},
        {"Imagen/Pictures/equis1.bmp", [] { return strikeMarks(1); }},
        {"Imagen/Pictures/equis2.bmp", [] { return strikeMarks(2); }},
        {"Imagen/Pictures/equis3.bmp", [] { return strikeMarks(3); }},
        {"Imagen/Pictures/noesta.bmp", notOnBoardMark},
        {"Imagen/Pictures/ajugar.bmp", startSplash},
        {"Imagen/Pictures/dobles.bmp", doublePoints},
        {"Imagen/Pictures/triples.bmp", triplePoints},
        {"Imagen/Pictures/ganador.bmp", fastMoneyWinner},
    };
    for (int variant = 0; variant < 3; ++variant) {
        pictures.append({QStringLiteral("Imagen/Frames/marco%1.jpg").arg(variant + 1),
                         [variant] { return frame(variant); }});
    }
    for (int theme : coverThemeNumbers()) {
        pictures.append({QStringLiteral("Imagen/Titles/portada%1.jpg").arg(theme),
                         [theme] { return cover(velta::presetCoverTitle(theme), theme); }});
    }
    return pictures;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    // --builtin <folder>: the pictures the cover screen shows at once, which the board
    // carries compiled in, so the first start never waits for them to be painted.
    if (args.size() == 3 && args.at(1) == QLatin1String("--builtin")) {
        const QDir builtin(args.at(2));
        if (!QDir().mkpath(builtin.path())) {
            err() << "velta-art: cannot create the folder " << builtin.path() << Qt::endl;
            return 1;
        }
        const QImage cover = velta::art::cover(QStringLiteral("Veltarama"));
        const bool coverWritten =
            writeBytes(builtin.filePath(QStringLiteral("cover.raw")),
                       velta::art::rawPicture(cover.convertToFormat(QImage::Format_RGB32)));
        const bool logoWritten = writeBytes(
            builtin.filePath(QStringLiteral("logo.raw")),
            velta::art::rawPicture(
                velta::art::logo().convertToFormat(QImage::Format_ARGB32_Premultiplied)));
        return coverWritten && logoWritten ? 0 : 1;
    }
    if (args.size() == 4 && args.at(1) == QLatin1String("--icons")) {
        bool allWritten = true;
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256, 512}) {
            const QString folder =
                QDir(args.at(2)).filePath(QStringLiteral("hicolor/%1x%1/apps").arg(size));
            if (!QDir().mkpath(folder)) {
                err() << "velta-art: cannot create the folder " << folder << Qt::endl;
                return 1;
            }
            allWritten = writePicture(QDir(folder).filePath(args.at(3) + QStringLiteral(".png")),
                                      velta::art::appIcon(size), "png") &&
                         allWritten;
        }
        return allWritten ? 0 : 1;
    }
    if (args.size() != 2) {
        err() << "usage: velta-art <programFolder> | velta-art --builtin <folder> | velta-art "
                 "--icons <folder> <name>"
              << Qt::endl;
        return 2;
    }
    const QDir folder(args.at(1));
    for (const char* sub : {"Imagen/Pictures", "Imagen/Titles", "Imagen/Frames"}) {
        if (!QDir().mkpath(folder.filePath(QLatin1String(sub)))) {
            err() << "velta-art: cannot create the folder " << folder.filePath(QLatin1String(sub))
                  << Qt::endl;
            return 1;
        }
    }
    bool allWritten = true;
    for (const Picture& picture : shippedPictures()) {
        const QString path = folder.filePath(picture.relative);
        const QByteArray format = path.endsWith(QLatin1String(".jpg")) ? "jpeg" : "bmp";
        allWritten = writePicture(path, picture.paint(), format.constData()) && allWritten;
    }
    return allWritten ? 0 : 1;
}
