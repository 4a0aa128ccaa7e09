// Draws the icon's SVG source once per side given, for the window icon:
//   pebblerun_icon_sizes SOURCE.svg OUTPUT_DIR SIDE...
// Each picture is OUTPUT_DIR/pebblerun-SIDE.rgba: its premultiplied pixels, one byte each of red,
// green, blue and alpha, row after row, so that starting the game decodes nothing.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QSaveFile>
#include <QTextStream>

int main(int argc, char *argv[]) {
    QGuiApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    QTextStream errors(stderr);
    if (arguments.size() < 4) {
        errors << "usage: " << arguments.value(0) << " SOURCE.svg OUTPUT_DIR SIDE...\n";
        return 2;
    }
    const QDir output(arguments.at(2));
    if (!output.mkpath(QStringLiteral("."))) {
        errors << "cannot make " << output.path() << '\n';
        return 1;
    }
    for (const QString &argument : arguments.mid(3)) {
        bool isNumber = false;
        const int side = argument.toInt(&isNumber);
        if (!isNumber || side <= 0) {
            errors << "not a side in pixels: " << argument << '\n';
            return 2;
        }
        QImageReader reader(arguments.at(1));
        reader.setScaledSize(QSize(side, side));
        const QImage picture = reader.read().convertToFormat(QImage::Format_RGBA8888_Premultiplied);
        // Written whole or not at all: the build may run this for two targets at once.
        QSaveFile file(output.filePath(QStringLiteral("pebblerun-%1.rgba").arg(side)));
        const QString path = file.fileName();
        const auto bytes = static_cast<qint64>(picture.sizeInBytes());
        if (picture.isNull() || picture.bytesPerLine() != side * 4 ||
            !file.open(QIODevice::WriteOnly) ||
            file.write(reinterpret_cast<const char *>(picture.constBits()), bytes) != bytes ||
            !file.commit()) {
            errors << "cannot draw " << path << ": " << reader.errorString() << '\n';
            return 1;
        }
    }
    return 0;
}
