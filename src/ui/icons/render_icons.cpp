// Build-time tool: renders the window's SVG pictures to PNG, each at its size and at twice that size
// (name@2x.png, which QIcon picks on a high-density screen), so that the program itself needs no SVG
// renderer at start. The pictures draw everything, digits included, as shapes: no fonts are needed.
//
//   render_icons IN.svg OUT.png SIZE [IN.svg OUT.png SIZE]...
//
// A SIZE written as =N gives the one picture of N pixels only (the program's icon, one file a size).
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

}  // namespace

int main(int argc, char **argv) {
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
