#include "tools/almanac/Targets.h"

#include "tools/almanac/AlmanacLists.h"

#include <QFileInfo>

namespace vkt::almanac {
namespace {

// Why the almanac's file of that name could not be replaced there; empty when it can.
QString replaceProblem(const QFileInfo& target)
{
    if (target.isSymLink() && !target.exists())
        return QStringLiteral("nem létező helyre mutató link");
    if (target.isDir())
        return QStringLiteral("mappa");
    if (!target.isFile())
        return QStringLiteral("nem közönséges fájl");
    if (!target.isWritable())
        return QStringLiteral("írásvédett");
    return {};
}

} // namespace

QString targetProblem(const Options& options, const QDir& folder)
{
    QStringList present, refused;
    for (const QString& name : almanacFileNames()) {
        const QFileInfo target(folder.filePath(name));
        if (!target.exists() && !target.isSymLink())
            continue;
        present << name;
        if (const QString problem = replaceProblem(target); !problem.isEmpty())
            refused << QStringLiteral("%1 (%2)").arg(name, problem);
    }
    const QString where = QDir::toNativeSeparators(folder.path());
    if (!options.force && !present.isEmpty())
        return QStringLiteral("a(z) %1 mappában már megvan: %2. Nem írom felül; ha mégis ezt szeretné, adja meg a "
                              "--force kapcsolót.")
            .arg(where, present.join(QStringLiteral(", ")));
    if (!refused.isEmpty())
        return QStringLiteral("a(z) %1 mappában ezek nem írhatók felül: %2. Egyik fájlt sem írtam meg.")
            .arg(where, refused.join(QStringLiteral(", ")));
    return {};
}

QString calendarProblem(const Options& options)
{
    const QFileInfo target(options.calendarFile);
    const QString file = QDir::toNativeSeparators(options.calendarFile);
    if (!target.exists() && !target.isSymLink())
        return {};
    if (!options.force)
        return QStringLiteral("a(z) %1 fájl már megvan. Nem írom felül; ha mégis ezt szeretné, adja meg a --force "
                              "kapcsolót.")
            .arg(file);
    if (const QString problem = replaceProblem(target); !problem.isEmpty())
        return QStringLiteral("a(z) %1 nem írható felül: %2.").arg(file, problem);
    return {};
}

} // namespace vkt::almanac
