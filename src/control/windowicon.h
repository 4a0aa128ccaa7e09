#pragma once

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QResource>

#include <cstring>
#include <utility>

// The game's icon in each size a desktop asks a window for, drawn when the program was built and
// kept as the pixels themselves: decoding pictures would be the most of what the icon costs a
// start.
inline QIcon windowIcon() {
    QIcon icon;
    for (const QFileInfo &picture :
         QDir(QStringLiteral(":/window-icon")).entryInfoList(QDir::Files)) {
        const int side = picture.baseName().section(QLatin1Char('-'), -1).toInt();
        const QByteArray pixels = QResource(picture.filePath()).uncompressedData();
        QImage image(side, side, QImage::Format_RGBA8888_Premultiplied);
        if (side <= 0 || pixels.size() != image.sizeInBytes())
            continue;
        // Copied rather than used in place, where nothing promises the alignment an image needs.
        std::memcpy(image.bits(), pixels.constData(), static_cast<std::size_t>(pixels.size()));
        icon.addPixmap(QPixmap::fromImage(std::move(image)));
    }
    return icon;
}
