#pragma once

#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QResource>

// The game's icon in each size a desktop asks a window for, drawn when the program was built and
// kept as the pixels themselves: decoding pictures would be the most of what the icon costs a
// start.
inline QIcon windowIcon() {
    QIcon icon;
    for (const QFileInfo &picture :
         QDir(QStringLiteral(":/window-icon")).entryInfoList(QDir::Files)) {
        const int side = picture.baseName().section(QLatin1Char('-'), -1).toInt();
        // Stored uncompressed, the pixels lie in the program itself for as long as it runs.
        const QResource pixels(picture.filePath());
        if (side <= 0 || pixels.compressionAlgorithm() != QResource::NoCompression ||
            pixels.size() != qint64(side) * side * 4)
            continue;
        const QImage image(pixels.data(), side, side, side * 4,
                           QImage::Format_ARGB32_Premultiplied);
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}
