// Writes every picture of the registry, labelled with its name, at its own size and four times
// larger, onto one image, so that the whole set can be looked at at once.
// Usage: contact_sheet [OUT.png]   (default: contact-sheet.png in the current folder)

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPicture>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "pictures/Pictures.h"

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QGuiApplication app(argc, argv);
    const QString path = argc > 1 ? QString::fromLocal8Bit(argv[1]) : "contact-sheet.png";

    const int width = 2400;
    const int gap = 16;
    const int label = 18;
    QPicture cells;
    QPainter painter(&cells);
    QFont font("DejaVu Sans");
    font.setPixelSize(13);
    painter.setFont(font);
    painter.setPen(QColor(230, 230, 230));
    QPoint at(gap, gap);
    int rowHeight = 0;
    const velmora::Pictures& pictures = velmora::Pictures::instance();
    for (const QString& name : pictures.Names()) {
        const QImage& image = pictures.get(name);
        const QSize cell(image.width() * 5 + gap, label + image.height() * 4);
        if (at.x() + cell.width() > width - gap && at.x() > gap) {
            at = QPoint(gap, at.y() + rowHeight + gap);
            rowHeight = 0;
        }
        painter.drawText(at + QPoint(0, 13), name);
        painter.drawImage(at + QPoint(0, label), image);
        painter.drawImage(at + QPoint(image.width() + gap, label), image.scaled(image.size() * 4));
        at.rx() += cell.width() + gap;
        rowHeight = std::max(rowHeight, cell.height());
    }
    painter.end();

    QImage sheet(width, at.y() + rowHeight + gap, QImage::Format_RGB32);
    sheet.fill(QColor(48, 48, 48));
    QPainter(&sheet).drawPicture(0, 0, cells);
    if (!sheet.save(path)) {
        std::fprintf(stderr, "contact_sheet: cannot write %s\n", qPrintable(path));
        return 1;
    }
    return 0;
}
