#include "scene/RenderCommand.h"

#include "model/SettingsSchema.h"
#include "palettes/ColorHex.h"
#include "palettes/WallpaperPalette.h"
#include "scene/OffscreenSceneRenderer.h"
#include "scene/WallpaperRenderer.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <QSaveFile>
#include <QTextStream>
#include <cmath>
#include <cstdio>
#include <optional>
#include <variant>

namespace nivora {

namespace {

constexpr int exitOk = 0;
constexpr int exitNoDisplay = 1;
constexpr int exitUsage = 2;
constexpr int maximumSide = 8192;

const char* const usageText =
    "usage: nivora render --scene N --time SECONDS --size WIDTHxHEIGHT --output FILE.png\n"
    "                     [--speed V] [--intensity V] [--scale V] [--color-shift V] [--sharpness V]\n"
    "                     [--palette NAME | --colors RRGGBB,RRGGBB,RRGGBB,RRGGBB,RRGGBB]\n"
    "Draws one frame of a wallpaper scene with the desktop's shader and writes it as PNG.\n"
    "Tuning values are between 0 and 1 (defaults: speed 0.5, intensity 0.6, scale 0.5,\n"
    "color-shift 0, sharpness 0.5); the palette defaults to \"Silver Sage\".\n";

void printError(const QString& message)
{
    std::fprintf(stderr, "nivora render: %s\n", qPrintable(message));
}

int refuse(const QString& message)
{
    printError(message);
    std::fputs("Run \"nivora render --help\" for the options.\n", stderr);
    return exitUsage;
}

struct RenderRequest
{
    qint64 scene = 0;
    double time = 0.0;
    QSize size;
    QString output;
    double speed = 0.5;
    double intensity = 0.6;
    double scale = 0.5;
    double colorShift = 0.0;
    double sharpness = 0.5;
    QList<RGBA> palette;
};

std::optional<double> parseNumber(const QString& text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<QSize> parseSize(const QString& text)
{
    const QStringList parts = text.trimmed().toLower().split(QLatin1Char('x'));
    if (parts.size() != 2)
        return std::nullopt;
    bool okWidth = false;
    bool okHeight = false;
    const int width = parts[0].toInt(&okWidth);
    const int height = parts[1].toInt(&okHeight);
    if (!okWidth || !okHeight)
        return std::nullopt;
    return QSize(width, height);
}

std::optional<QList<RGBA>> parseColors(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 5)
        return std::nullopt;
    QList<RGBA> palette;
    for (QString part : parts) {
        part = part.trimmed();
        if (part.startsWith(QLatin1Char('#')))
            part.remove(0, 1);
        bool ok = false;
        const uint value = part.toUInt(&ok, 16);
        if (part.size() != 6 || !ok)
            return std::nullopt;
        palette.append(rgba(colorFromHex(value)));
    }
    return palette;
}

QList<RGBA> paletteOf(const WallpaperPalette& preset)
{
    QList<RGBA> palette;
    for (const QColor& colour : preset.colors())
        palette.append(rgba(colour));
    return palette;
}

// Reads and checks every option; returns the exit status of a refusal, or the
// request.
std::variant<int, RenderRequest> parseRequest(const QStringList& args)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
    const QCommandLineOption scene(QStringLiteral("scene"), QString(), QStringLiteral("N"));
    const QCommandLineOption time(QStringLiteral("time"), QString(), QStringLiteral("SECONDS"));
    const QCommandLineOption size(QStringLiteral("size"), QString(), QStringLiteral("WxH"));
    const QCommandLineOption output(QStringLiteral("output"), QString(), QStringLiteral("FILE"));
    const QCommandLineOption speed(QStringLiteral("speed"), QString(), QStringLiteral("V"));
    const QCommandLineOption intensity(QStringLiteral("intensity"), QString(), QStringLiteral("V"));
    const QCommandLineOption scale(QStringLiteral("scale"), QString(), QStringLiteral("V"));
    const QCommandLineOption colorShift(QStringLiteral("color-shift"), QString(), QStringLiteral("V"));
    const QCommandLineOption sharpness(QStringLiteral("sharpness"), QString(), QStringLiteral("V"));
    const QCommandLineOption palette(QStringLiteral("palette"), QString(), QStringLiteral("NAME"));
    const QCommandLineOption colors(QStringLiteral("colors"), QString(), QStringLiteral("HEX,..."));
    parser.addOptions(
        {help, scene, time, size, output, speed, intensity, scale, colorShift, sharpness, palette, colors});

    if (!parser.parse(QStringList{QStringLiteral("nivora-render")} + args))
        return refuse(parser.errorText());
    if (parser.isSet(help)) {
        std::fputs(usageText, stdout);
        return exitOk;
    }
    if (!parser.positionalArguments().isEmpty())
        return refuse(QStringLiteral("unexpected argument \"%1\"").arg(parser.positionalArguments().first()));
    for (const QCommandLineOption* required : {&scene, &time, &size, &output}) {
        if (!parser.isSet(*required))
            return refuse(QStringLiteral("--%1 is required").arg(required->names().first()));
    }
    for (const QCommandLineOption* single : {&scene, &time, &size, &output, &speed, &intensity, &scale,
                                             &colorShift, &sharpness, &palette, &colors}) {
        if (parser.values(*single).size() > 1)
            return refuse(QStringLiteral("--%1 is given more than once").arg(single->names().first()));
    }

    RenderRequest request;
    bool sceneOk = false;
    request.scene = parser.value(scene).trimmed().toLongLong(&sceneOk);
    const SettingsSchema::Setting& sceneSetting = SettingsSchema::get(QStringLiteral("sceneIndex"));
    if (!sceneOk || !SettingsSchema::allows(sceneSetting, double(request.scene)))
        return refuse(QStringLiteral("--scene must be a whole number from %1 to %2, not \"%3\"")
                          .arg(sceneSetting.minimum)
                          .arg(sceneSetting.maximum)
                          .arg(parser.value(scene)));

    const std::optional<double> seconds = parseNumber(parser.value(time));
    if (!seconds || *seconds < 0.0)
        return refuse(QStringLiteral("--time must be a number of seconds, 0 or more, not \"%1\"")
                          .arg(parser.value(time)));
    request.time = *seconds;

    const std::optional<QSize> pixels = parseSize(parser.value(size));
    if (!pixels)
        return refuse(QStringLiteral("--size must look like 1920x1080, not \"%1\"").arg(parser.value(size)));
    if (pixels->width() < 1 || pixels->height() < 1 || pixels->width() > maximumSide ||
        pixels->height() > maximumSide)
        return refuse(QStringLiteral("--size must be between 1x1 and %1x%1, not \"%2\"")
                          .arg(maximumSide)
                          .arg(parser.value(size)));
    request.size = *pixels;

    request.output = parser.value(output);
    if (request.output.trimmed().isEmpty())
        return refuse(QStringLiteral("--output must name a file"));

    const struct
    {
        const QCommandLineOption* option;
        const char* key;
        double* target;
    } tuning[] = {
        {&speed, "speed", &request.speed},
        {&intensity, "intensity", &request.intensity},
        {&scale, "scale", &request.scale},
        {&colorShift, "colorShift", &request.colorShift},
        {&sharpness, "sharpness", &request.sharpness},
    };
    for (const auto& [option, key, target] : tuning) {
        const SettingsSchema::Setting& setting = SettingsSchema::get(QLatin1String(key));
        *target = setting.defaultValue;
        if (!parser.isSet(*option))
            continue;
        const std::optional<double> value = parseNumber(parser.value(*option));
        if (!value || !SettingsSchema::allows(setting, *value))
            return refuse(QStringLiteral("--%1 must be a number from %2 to %3, not \"%4\"")
                              .arg(option->names().first())
                              .arg(setting.minimum)
                              .arg(setting.maximum)
                              .arg(parser.value(*option)));
        *target = *value;
    }

    if (parser.isSet(palette) && parser.isSet(colors))
        return refuse(QStringLiteral("give either --palette or --colors, not both"));
    if (parser.isSet(colors)) {
        const std::optional<QList<RGBA>> parsed = parseColors(parser.value(colors));
        if (!parsed)
            return refuse(
                QStringLiteral("--colors must be five RRGGBB values separated by commas, not \"%1\"")
                    .arg(parser.value(colors)));
        request.palette = *parsed;
    } else {
        const QString name = parser.isSet(palette) ? parser.value(palette) : QStringLiteral("Silver Sage");
        const WallpaperPalette* preset = WallpaperPalette::preset(name);
        if (!preset)
            return refuse(QStringLiteral("unknown palette \"%1\"").arg(name));
        request.palette = paletteOf(*preset);
    }
    return request;
}

// Without a display server Qt's xcb platform would abort the process; the
// offscreen platform is the last resort, which then reports that there is no
// OpenGL instead of crashing.
void preferPlatformsWithFallback()
{
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        return;
    const bool wayland = qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland") &&
                         qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
    qputenv("QT_QPA_PLATFORM", wayland ? "wayland;xcb;offscreen" : "xcb;offscreen");
}

int reportNoDisplay(const QString& reason)
{
    printError(QStringLiteral("no display with OpenGL is available (%1).").arg(reason));
    std::fputs("Run it under a virtual display, for example:\n"
               "  xvfb-run -a nivora render ...\n"
               "or, from a source tree:\n"
               "  scripts/with-display nivora render ...\n",
               stderr);
    return exitNoDisplay;
}

} // namespace

int runRenderCommand(int argc, char** argv, const QStringList& args)
{
    const std::variant<int, RenderRequest> parsed = parseRequest(args);
    if (const int* status = std::get_if<int>(&parsed))
        return *status;
    const RenderRequest& request = std::get<RenderRequest>(parsed);

    std::unique_ptr<QGuiApplication> ownApplication;
    if (!QCoreApplication::instance()) {
        preferPlatformsWithFallback();
        WallpaperRenderer::configureApplication();
        ownApplication = std::make_unique<QGuiApplication>(argc, argv);
    }

    QImage image;
    {
        OffscreenSceneRenderer renderer;
        if (!renderer.isValid())
            return reportNoDisplay(QStringLiteral("platform \"%1\": %2")
                                       .arg(QGuiApplication::platformName(), renderer.errorString()));
        const Scalars scalars = WallpaperRenderer::makeScalars(
            request.size, WallpaperRenderer::wrapTime(request.time), request.speed, request.intensity,
            request.scale, request.colorShift, request.sharpness, request.scene);
        image = renderer.render(request.size, scalars, request.palette);
    }
    if (image.isNull()) {
        printError(QStringLiteral("the frame could not be drawn at %1x%2 (out of graphics memory?)")
                       .arg(request.size.width())
                       .arg(request.size.height()));
        return exitNoDisplay;
    }

    // Written beside the target and renamed over it, so a failed write never
    // leaves a truncated PNG behind.
    QSaveFile file(request.output);
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit()) {
        printError(QStringLiteral("cannot write \"%1\": %2").arg(request.output, file.errorString()));
        return exitUsage;
    }
    return exitOk;
}

} // namespace nivora
