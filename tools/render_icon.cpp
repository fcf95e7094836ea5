// Renders the program's SVG icon as the PNG files of an icon theme, at build time:
//   render_icon ICON.svg FOLDER SIZE...
// writes FOLDER/SIZExSIZE/apps/vemo.png for each size.
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv); // shapes only: no display, no fonts
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 4) {
        std::fputs("usage : render_icon ICON.svg DOSSIER TAILLE...\n", stderr);
        return 2;
    }
    QSvgRenderer svg(args[1]);
    if (!svg.isValid()) {
        std::fprintf(stderr, "render_icon : %s n'est pas une image SVG lisible.\n",
                     qPrintable(args[1]));
        return 1;
    }
    for (const QString& arg : args.mid(3)) {
        const int size = arg.toInt();
        if (size <= 0)
            return 2;
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
        svg.render(&p, QRectF(0, 0, size, size));
        p.end();
        const QString folder = QDir(args[2]).filePath(QStringLiteral("%1x%1/apps").arg(size));
        const QString out = QDir(folder).filePath(QStringLiteral("vemo.png"));
        if (!QDir().mkpath(folder) || !image.save(out, "PNG")) {
            std::fprintf(stderr, "render_icon : impossible d'écrire %s.\n", qPrintable(out));
            return 1;
        }
    }
    return 0;
}
