// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the calculator's SVG icon into a square PNG of the given size, for
// the hicolor icon theme.
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>

int main(int argc, char* argv[])
{
    if (argc != 4) {
        QTextStream(stderr) << "usage: render_icon INPUT.svg OUTPUT.png SIZE\n";
        return 2;
    }
    const QString input = QString::fromLocal8Bit(argv[1]);
    const QString output = QString::fromLocal8Bit(argv[2]);
    bool sizeOk = false;
    const int size = QString::fromLocal8Bit(argv[3]).toInt(&sizeOk);
    if (!sizeOk || size < 1 || size > 1024) {
        QTextStream(stderr) << "render_icon: bad size " << argv[3] << '\n';
        return 2;
    }

    QSvgRenderer renderer(input);
    if (!renderer.isValid()) {
        QTextStream(stderr) << "render_icon: cannot read " << input << '\n';
        return 1;
    }

    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        renderer.render(&painter, QRectF(0, 0, size, size));
    }
    if (!image.save(output, "PNG")) {
        QTextStream(stderr) << "render_icon: cannot write " << output << '\n';
        return 1;
    }
    return 0;
}
