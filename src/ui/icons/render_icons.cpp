// Build-time tool: renders the window's SVG pictures to PNG, each at its size and at twice that size
// (name@2x.png, which QIcon picks on a high-density screen), so that the program itself needs no SVG
// renderer at start. The pictures draw everything, digits included, as shapes: no fonts are needed.
//
//   render_icons IN.svg OUT.png SIZE [IN.svg OUT.png SIZE]...
//
// A SIZE written as =N gives the one picture of N pixels only (the program's icon, one file a size).
//
//   render_icons --ico OUT.ico IN.png...
//
// packs PNG pictures (square, at most 256 pixels) into a Windows icon file, one entry each.
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>
#include <cstdio>
#include <cstdlib>

namespace {

bool render(const QString &svg, const QString &png, int size) {
    QSvgRenderer renderer(svg);
    if (!renderer.isValid()) {
        std::fprintf(stderr, "render_icons: cannot read %s\n", qPrintable(svg));
        return false;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        renderer.render(&p, QRectF(0, 0, size, size));
    }
    if (!image.save(png, "PNG")) {
        std::fprintf(stderr, "render_icons: cannot write %s\n", qPrintable(png));
        return false;
    }
    return true;
}

void putLittleEndian(QByteArray &out, quint32 value, int bytes) {
    for (int k = 0; k < bytes; ++k) out.append(static_cast<char>((value >> (8 * k)) & 0xff));
}

// An .ico file: a header, a directory entry per picture, then the pictures as PNG data, which every
// Windows since Vista reads at any size.
bool packIcon(const QString &ico, const QStringList &pngs) {
    QList<QByteArray> pictures;
    QList<int> sizes;
    for (const QString &png : pngs) {
        QFile in(png);
        QImage image(png);
        if (!in.open(QIODevice::ReadOnly) || image.isNull() || image.width() != image.height() ||
            image.width() > 256) {
            std::fprintf(stderr, "render_icons: cannot use %s\n", qPrintable(png));
            return false;
        }
        pictures << in.readAll();
        sizes << image.width();
    }
    QByteArray out;
    putLittleEndian(out, 0, 2);  // reserved
    putLittleEndian(out, 1, 2);  // an icon, not a cursor
    putLittleEndian(out, static_cast<quint32>(pictures.size()), 2);
    quint32 offset = 6 + 16 * static_cast<quint32>(pictures.size());
    for (int k = 0; k < pictures.size(); ++k) {
        putLittleEndian(out, sizes[k] % 256, 1);  // 0 stands for 256
        putLittleEndian(out, sizes[k] % 256, 1);
        putLittleEndian(out, 0, 2);   // no palette, reserved
        putLittleEndian(out, 1, 2);   // planes
        putLittleEndian(out, 32, 2);  // bits per pixel
        putLittleEndian(out, static_cast<quint32>(pictures[k].size()), 4);
        putLittleEndian(out, offset, 4);
        offset += static_cast<quint32>(pictures[k].size());
    }
    for (const QByteArray &picture : pictures) out += picture;
    QFile file(ico);
    if (!file.open(QIODevice::WriteOnly) || file.write(out) != out.size()) {
        std::fprintf(stderr, "render_icons: cannot write %s\n", qPrintable(ico));
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char **argv) {
    if (argc >= 4 && QLatin1String(argv[1]) == QLatin1String("--ico")) {
        QStringList pngs;
        for (int k = 3; k < argc; ++k) pngs << QString::fromLocal8Bit(argv[k]);
        return packIcon(QString::fromLocal8Bit(argv[2]), pngs) ? 0 : 1;
    }
    if (argc < 4 || (argc - 1) % 3 != 0) {
        std::fprintf(stderr, "usage: render_icons IN.svg OUT.png SIZE [IN.svg OUT.png SIZE]...\n");
        return 2;
    }
    for (int k = 1; k < argc; k += 3) {
        const QString svg = QString::fromLocal8Bit(argv[k]);
        const QString png = QString::fromLocal8Bit(argv[k + 1]);
        const bool single = argv[k + 2][0] == '=';
        const int size = std::atoi(argv[k + 2] + (single ? 1 : 0));
        QString png2x = png;
        png2x.insert(png2x.lastIndexOf(QLatin1Char('.')), QLatin1String("@2x"));
        if (size <= 0 || !render(svg, png, size) || (!single && !render(svg, png2x, 2 * size))) return 1;
    }
    return 0;
}
