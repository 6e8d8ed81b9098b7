// velta-art <programFolder>: paints the shipped pictures and writes them below the program
// folder, where the board looks for them at start. velta-art --builtin <folder> writes the
// built-in cover that the board carries as a resource.

#include <QDir>
#include <QGuiApplication>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>
#include <QTextStream>
#include <functional>

#include "art/Art.h"

namespace {

QTextStream& Err() {
    static QTextStream stream(stderr);
    return stream;
}

// Qt's BMP writer keeps no alpha channel, so pictures with clear parts are laid over black,
// the colour of the board behind them.
QImage OverBlack(const QImage& picture) {
    QImage flat(picture.size(), QImage::Format_RGB32);
    flat.fill(Qt::black);
    QPainter painter(&flat);
    painter.drawImage(0, 0, picture);
    painter.end();
    return flat;
}

// Writes through a temporary file, so a failed run never leaves half a picture behind.
bool WritePicture(const QString& path, const QImage& picture, const char* format) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        Err() << "velta-art: cannot write " << path << ": " << file.errorString() << Qt::endl;
        return false;
    }
    QImageWriter writer(&file, format);
    writer.setQuality(90);
    const bool keepsAlpha = qstrcmp(format, "png") == 0;
    const QImage flat = picture.hasAlphaChannel() && !keepsAlpha ? OverBlack(picture) : picture;
    if (!writer.write(flat)) {
        Err() << "velta-art: cannot write " << path << ": " << writer.errorString() << Qt::endl;
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        Err() << "velta-art: cannot write " << path << ": " << file.errorString() << Qt::endl;
        return false;
    }
    return true;
}

struct Picture {
    QString relative;
    std::function<QImage()> paint;
};

QList<Picture> ShippedPictures() {
    using namespace velta::art;
    QList<Picture> pictures{
        {"Imagen/Pictures/fondo.bmp", BoardBackground},
        {"Imagen/Pictures/cta_izq.bmp", ScoreBoxLeft},
        {"Imagen/Pictures/cta_der.bmp", ScoreBoxRight},
        {"Imagen/Pictures/cta_total.bmp", PotBox},
        {"Imagen/Pictures/marco.bmp", [] { return Frame(0); }},
        {"Imagen/Pictures/equis1.bmp", [] { return Strike(1); }},
        {"Imagen/Pictures/equis2.bmp", [] { return Strike(2); }},
        {"Imagen/Pictures/equis3.bmp", [] { return Strike(3); }},
        {"Imagen/Pictures/noesta.bmp", NotOnBoard},
        {"Imagen/Pictures/ajugar.bmp", StartSplash},
        {"Imagen/Pictures/dobles.bmp", DoublePoints},
        {"Imagen/Pictures/triples.bmp", TriplePoints},
        {"Imagen/Pictures/ganador.bmp", FastMoneyWinner},
    };
    for (int variant = 0; variant < 3; ++variant) {
        pictures.append({QStringLiteral("Imagen/Frames/marco%1.jpg").arg(variant + 1),
                         [variant] { return Frame(variant); }});
    }
    for (int theme : CoverThemeNumbers()) {
        pictures.append({QStringLiteral("Imagen/Titles/portada%1.jpg").arg(theme),
                         [theme] { return Cover(QStringLiteral("Veltarama"), theme); }});
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
            Err() << "velta-art: cannot create the folder " << builtin.path() << Qt::endl;
            return 1;
        }
        const bool cover = WritePicture(builtin.filePath(QStringLiteral("cover.jpg")),
                                        velta::art::Cover(QStringLiteral("Veltarama")), "jpeg");
        const bool logo =
            WritePicture(builtin.filePath(QStringLiteral("logo.png")), velta::art::Logo(), "png");
        return cover && logo ? 0 : 1;
    }
    if (args.size() != 2) {
        Err() << "usage: velta-art <programFolder> | velta-art --builtin <folder>" << Qt::endl;
        return 2;
    }
    const QDir folder(args.at(1));
    for (const char* sub : {"Imagen/Pictures", "Imagen/Titles", "Imagen/Frames"}) {
        if (!QDir().mkpath(folder.filePath(QLatin1String(sub)))) {
            Err() << "velta-art: cannot create the folder " << folder.filePath(QLatin1String(sub))
                  << Qt::endl;
            return 1;
        }
    }
    bool allWritten = true;
    for (const Picture& picture : ShippedPictures()) {
        const QString path = folder.filePath(picture.relative);
        const QByteArray format = path.endsWith(QLatin1String(".jpg")) ? "jpeg" : "bmp";
        allWritten = WritePicture(path, picture.paint(), format.constData()) && allWritten;
    }
    return allWritten ? 0 : 1;
}
