// Renders every picture of the Moon that the program shows, and its icons, from a lunar map.
#include "services/Version.h"
#include "tools/moonrender/MoonRenderer.h"
#include "tools/moonrender/ProgramPictures.h"

#include <QCommandLineParser>
#include <QDir>
#include <QGuiApplication>

#include <cstdio>
#include <exception>

int main(int argc, char* argv[])
{
    // Nothing is shown on screen; text is laid out with the offscreen platform's fonts.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("vkt-moonrender"));
    QGuiApplication::setApplicationVersion(QString::fromLatin1(vkt::kVersion));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Renders the phase pictures, the lunar-day pictures, the labelled map, the banner and the window icons."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption mapOption(QStringLiteral("map"), QStringLiteral("Equirectangular albedo map of the Moon."),
                                       QStringLiteral("file"));
    const QCommandLineOption picOption(QStringLiteral("pic"), QStringLiteral("Folder for the pictures (Pic)."),
                                       QStringLiteral("folder"));
    const QCommandLineOption iconsOption(QStringLiteral("icons"),
                                         QStringLiteral("Folder for the banner and window icons."),
                                         QStringLiteral("folder"));
    parser.addOptions({mapOption, picOption, iconsOption});
    parser.process(app);

    if (!parser.isSet(mapOption) || !parser.isSet(picOption) || !parser.isSet(iconsOption)) {
        std::fputs("vkt-moonrender: --map, --pic and --icons are all needed\n", stderr);
        parser.showHelp(2);
    }

    try {
        const vkt::moon::AlbedoMap map = vkt::moon::AlbedoMap::load(parser.value(mapOption));
        const QStringList written =
            vkt::moon::writeAllPictures(map, parser.value(picOption), parser.value(iconsOption));
        for (const QString& path : written)
            std::printf("%s\n", qPrintable(QDir::toNativeSeparators(path)));
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "vkt-moonrender: %s\n", failure.what());
        return 1;
    }
    return 0;
}
