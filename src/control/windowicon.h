#pragma once

#include <QDir>
#include <QFileInfo>
#include <QIcon>

// The game's icon in each size a desktop asks a window for, drawn when the program was built.
inline QIcon windowIcon() {
    QIcon icon;
    for (const QFileInfo &picture :
         QDir(QStringLiteral(":/window-icon")).entryInfoList(QDir::Files))
        icon.addFile(picture.filePath());
    return icon;
}
