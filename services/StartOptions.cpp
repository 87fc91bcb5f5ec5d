#include "services/StartOptions.h"

#include "services/Version.h"

#include <QCommandLineParser>
#include <QSet>
#include <cstdio>

namespace vkt {
namespace {

// Options the application object takes for itself; a session manager restarts a program with
// -session, so they must not count as unknown.
QStringList withoutQtOptions(const QStringList& arguments)
{
    static const QSet<QString> withValue = {
        QStringLiteral("platform"), QStringLiteral("platformpluginpath"), QStringLiteral("platformtheme"),
        QStringLiteral("plugin"),   QStringLiteral("display"),            QStringLiteral("geometry"),
        QStringLiteral("qwindowgeometry"), QStringLiteral("qwindowtitle"), QStringLiteral("qwindowicon"),
        QStringLiteral("session"), QStringLiteral("style"),               QStringLiteral("stylesheet"),
        QStringLiteral("name")};
    static const QSet<QString> alone = {QStringLiteral("reverse"), QStringLiteral("nograb"),
                                        QStringLiteral("dograb"), QStringLiteral("sync")};
    QStringList kept;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        // Qt reads these with one dash; a second dash is allowed too, but never for our own --data.
        QString name = argument.startsWith(QStringLiteral("--")) ? argument.mid(2) : argument.mid(1);
        name = name.section(u'=', 0, 0);
        const bool qtOption = i > 0 && argument.startsWith(u'-') && (withValue.contains(name) || alone.contains(name));
        if (!qtOption) {
            kept << argument;
            continue;
        }
        if (withValue.contains(name) && !argument.contains(u'=') && i + 1 < arguments.size())
            ++i;
    }
    return kept;
}

StartOptions badArguments(const QString& error)
{
    StartOptions options;
    options.action = StartAction::BadArguments;
    options.error = error;
    return options;
}

} // namespace

StartOptions parseStartOptions(const QStringList& arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")}, QString());
    const QCommandLineOption data(QStringLiteral("data"), QString(), QStringLiteral("MAPPA"));
    QCommandLineOption nowAndQuit(QStringLiteral("most-and-quit"), QString());
    nowAndQuit.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOptions({help, version, data, nowAndQuit});

    const QStringList ours = withoutQtOptions(arguments);
    if (!parser.parse(ours)) {
        if (!parser.unknownOptionNames().isEmpty()) {
            const QString name = parser.unknownOptionNames().constFirst();
            return badArguments(QStringLiteral("Ismeretlen kapcsoló: '%1%2'.")
                                    .arg(name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--"), name));
        }
        if (ours.constLast() == u"--data")
            return badArguments(QStringLiteral("A(z) --data kapcsoló után hiányzik a mappa neve."));
        return badArguments(QStringLiteral("Hibás parancssor: %1").arg(parser.errorText()));
    }
    if (!parser.positionalArguments().isEmpty())
        return badArguments(QStringLiteral("Váratlan argumentum: '%1'.").arg(parser.positionalArguments().constFirst()));
    if (parser.values(data).size() > 1)
        return badArguments(QStringLiteral("A(z) --data kapcsoló kétszer szerepel."));
    if (parser.isSet(data) && parser.value(data).trimmed().isEmpty())
        return badArguments(QStringLiteral("A(z) --data kapcsoló után hiányzik a mappa neve."));

    StartOptions options;
    if (parser.isSet(help))
        options.action = StartAction::Help;
    else if (parser.isSet(version))
        options.action = StartAction::Version;
    options.dataFolder = parser.value(data);
    options.nowAndQuit = parser.isSet(nowAndQuit);
    return options;
}

QString startHelpText()
{
    return QStringLiteral(
        "Használat: vkt [--data MAPPA]\n"
        "\n"
        "VKT – Holdsarló kor és fázis számoló. Az utolsó újhold és a megfigyelés időpontjából\n"
        "kiszámítja a holdsarló korát, megnevezi a holdfázist, megmutatja a fázisképet és a\n"
        "megvilágított részt, és minden számítást naplóz (szamitott.txt).\n"
        "\n"
        "Kapcsolók:\n"
        "  --data MAPPA    ezt a mappát használja adatmappaként\n"
        "  -h, --help      ez a leírás\n"
        "  -v, --version   a program változata\n"
        "\n"
        "Az adatmappa (listák, naplók, mentett időpontok, szamitott.txt), az első, amely adott:\n"
        "  1. a --data kapcsolóval megadott mappa;\n"
        "  2. a VKT_DATA_DIR környezeti változóban megadott mappa;\n"
        "  3. a program melletti Pic mappa, ha létezik és írható (hordozható elrendezés);\n"
        "  4. a felhasználó saját mappája: $XDG_DATA_HOME/vkt/Pic, általában ~/.local/share/vkt/Pic.\n"
        "Az 1., 2. és 4. esetben a program létrehozza a mappát, ha nincs, és bemásolja a telepített\n"
        "gyári példányból (…/share/vkt/Pic) azokat a fájlokat, amelyek hiányoznak belőle; meglévő\n"
        "fájlt sosem ír felül.\n"
        "\n"
        "Kilépési kód: 0 rendben, 2 hibás kapcsoló (ilyenkor ablak sem nyílik).\n");
}

QString startVersionText()
{
    return QStringLiteral("vkt %1\n").arg(QString::fromLatin1(kVersion));
}

int answerWithoutWindow(const StartOptions& options)
{
    switch (options.action) {
    case StartAction::Help:
        std::fputs(startHelpText().toUtf8().constData(), stdout);
        return 0;
    case StartAction::Version:
        std::fputs(startVersionText().toUtf8().constData(), stdout);
        return 0;
    case StartAction::BadArguments:
        std::fprintf(stderr, "vkt: %s\n\n%s", options.error.toUtf8().constData(), startHelpText().toUtf8().constData());
        return 2;
    case StartAction::OpenWindow:
        break;
    }
    return 0;
}

} // namespace vkt
