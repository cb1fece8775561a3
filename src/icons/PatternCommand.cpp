#include "icons/PatternCommand.h"

#include "icons/FolderPattern.h"
#include "icons/PatternDraw.h"
#include "platform/ConsoleText.h"

#include <QCommandLineParser>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>
#include <QTextStream>
#include <cstdio>

namespace nivora {

namespace {

constexpr int usageError = 2;
constexpr int maxSize = 4096;
// Patterns are designed on a 512-unit canvas (line widths, the wave step); other
// sizes scale that canvas so the picture is the same at every size.
constexpr double designSize = 512.0;

QString usage()
{
    return QStringLiteral("usage: nivora pattern NAME --size N --output FILE.png\n"
                          "       nivora pattern --list\n");
}

} // namespace

int runPatternCommand(int, char**, const QStringList& args)
{
    QCommandLineParser parser;
    const QCommandLineOption sizeOption(
        QStringLiteral("size"), QStringLiteral("Image width and height in pixels."), QStringLiteral("N"));
    const QCommandLineOption outputOption(QStringLiteral("output"), QStringLiteral("PNG file to write."),
                                          QStringLiteral("FILE"));
    const QCommandLineOption listOption(QStringLiteral("list"), QStringLiteral("List the preset names."));
    const QCommandLineOption helpOption({QStringLiteral("h"), QStringLiteral("help")},
                                        QStringLiteral("Show usage."));
    parser.addOptions({sizeOption, outputOption, listOption, helpOption});
    parser.addPositionalArgument(QStringLiteral("NAME"), QStringLiteral("Preset name."));

    // The parser skips the first entry as the program name.
    if (!parser.parse(QStringList{QStringLiteral("nivora pattern")} + args)) {
        writeText(stderr, QStringLiteral("nivora pattern: %1\n%2").arg(parser.errorText(), usage()));
        return usageError;
    }
    if (parser.isSet(helpOption)) {
        writeText(stdout, usage());
        return 0;
    }
    if (parser.isSet(listOption)) {
        writeText(stdout, FolderPattern::nameList());
        return 0;
    }

    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 1) {
        writeText(stderr, QStringLiteral("nivora pattern: give exactly one preset name\n%1").arg(usage()));
        return usageError;
    }
    const FolderPattern* pattern = FolderPattern::find(positional.first());
    if (!pattern) {
        writeText(stderr, QStringLiteral("nivora pattern: unknown pattern \"%1\"; the patterns are:\n%2")
                              .arg(positional.first(), FolderPattern::nameList()));
        return usageError;
    }

    if (!parser.isSet(sizeOption)) {
        writeText(stderr, QStringLiteral("nivora pattern: --size is required\n%1").arg(usage()));
        return usageError;
    }
    bool sizeOk = false;
    const int size = parser.value(sizeOption).toInt(&sizeOk, 10);
    if (!sizeOk || size < 1 || size > maxSize) {
        writeText(stderr,
                  QStringLiteral("nivora pattern: invalid size \"%1\": give a whole number from 1 to %2\n")
                      .arg(parser.value(sizeOption))
                      .arg(maxSize));
        return usageError;
    }

    const QString output = parser.value(outputOption);
    if (output.isEmpty()) {
        writeText(stderr, QStringLiteral("nivora pattern: --output FILE.png is required\n%1").arg(usage()));
        return usageError;
    }

    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) {
        writeText(stderr,
                  QStringLiteral("nivora pattern: not enough memory for a %1 × %1 image\n").arg(size));
        return 1;
    }
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.scale(size / designSize, size / designSize);
        PatternDraw::render(*pattern, painter, QSizeF(designSize, designSize));
    }

    // Written beside the target and renamed over it at the end, so a failed write
    // never leaves a truncated file or destroys an existing one.
    QSaveFile file(output);
    if (!file.open(QIODevice::WriteOnly)) {
        writeText(
            stderr,
            QStringLiteral("nivora pattern: cannot write \"%1\": %2\n").arg(output, file.errorString()));
        return usageError;
    }
    QImageWriter writer(&file, "png");
    if (!writer.write(image) || !file.commit()) {
        const QString reason =
            writer.error() != QImageWriter::UnknownError ? writer.errorString() : file.errorString();
        writeText(stderr, QStringLiteral("nivora pattern: cannot write \"%1\": %2\n").arg(output, reason));
        return usageError;
    }
    return 0;
}

} // namespace nivora
