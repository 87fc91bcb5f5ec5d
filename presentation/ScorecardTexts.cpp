#include "presentation/ScorecardTexts.h"

#include "presentation/Places.h"
#include "presentation/SightingTexts.h"
#include "presentation/TimeTexts.h"
#include "presentation/Words.h"
#include "services/Numbers.h"

#include <cmath>

namespace vkt::presentation {
namespace {

using sightings::Criterion;

// The share foretold right, as a whole percent, or a dash when there was nothing to judge.
QString shareText(const sightings::CriterionTable& t)
{
    if (t.judged == 0)
        return QStringLiteral("-");
    return QStringLiteral("%1 %").arg(decimalText(100.0 * t.correct / t.judged, 0));
}

QString tableRow(const QString& label, const QString& seen, const QString& notSeen)
{
    return QStringLiteral("  %1 %2 %3").arg(label.leftJustified(14), seen.rightJustified(6), notSeen.rightJustified(10));
}

QString tableRow(const QString& label, int seen, int notSeen)
{
    return tableRow(label, QString::number(seen), QString::number(notSeen));
}

} // namespace

QString criterionName(Criterion criterion)
{
    switch (criterion) {
    case Criterion::Yallop:
        return QStringLiteral("Yallop");
    case Criterion::Odeh:
        return QStringLiteral("Odeh");
    case Criterion::Babylonian:
        break;
    }
    return QStringLiteral("babiloni szabály");
}

QString criterionClassText(Criterion criterion, int cls)
{
    if (criterion == Criterion::Babylonian)
        return cls == 0 ? QStringLiteral("látható") : QStringLiteral("nem látható");
    return QString(QChar(u'A' + cls));
}

QString aidWord(sightings::Aid aid)
{
    return aid == sightings::Aid::NakedEye ? QStringLiteral("szabad szemmel") : QStringLiteral("optikai eszközzel");
}

QString recordKindText(sightings::RecordKind kind)
{
    switch (kind) {
    case sightings::RecordKind::Youngest:
        return QStringLiteral("a legfiatalabb látott holdsarló");
    case sightings::RecordKind::SmallestArcl:
        return QStringLiteral("a legkisebb ARCL, amelynél látták");
    case sightings::RecordKind::LowestQ:
        break;
    }
    return QStringLiteral("a legkisebb q, amelynél látták");
}

QStringList scorecardLines(const std::vector<sightings::CriterionTable>& tables,
                           const std::vector<sightings::Sighting>& records)
{
    QStringList lines;
    for (const sightings::CriterionTable& t : tables) {
        lines << QStringLiteral("%1, %2: %3 észlelés, a jóslat %4 esetben helyes (%5)")
                     .arg(criterionName(t.criterion), aidWord(t.aid))
                     .arg(t.judged)
                     .arg(t.correct)
                     .arg(shareText(t));
        lines << tableRow(QStringLiteral("osztály"), QStringLiteral("látta"), QStringLiteral("nem látta"));
        for (int cls = 0; cls < int(t.counts.size()); ++cls)
            lines << tableRow(criterionClassText(t.criterion, cls), t.counts[std::size_t(cls)][0],
                              t.counts[std::size_t(cls)][1]);
        if (t.withoutClass[0] || t.withoutClass[1])
            lines << tableRow(QStringLiteral("nincs értéke"), t.withoutClass[0], t.withoutClass[1]);
        for (const sightings::Surprise& s : t.surprises) {
            const bool seen = s.outcome == sightings::Outcome::Seen;
            lines << QStringLiteral("  meglepetés: %1: %2, pedig %3 (%4)")
                         .arg(sightingName(records[s.record]), seen ? QStringLiteral("látta") : QStringLiteral("nem látta"),
                              criterionClassText(t.criterion, s.cls),
                              seen ? QStringLiteral("lehetetlennek mondta") : QStringLiteral("könnyűnek mondta"));
        }
        lines << QString();
    }
    return lines;
}

QStringList recordLines(const std::vector<sightings::Record>& records, const std::vector<sightings::Sighting>& sightings)
{
    QStringList lines;
    for (const sightings::Record& r : records) {
        const QString what = QStringLiteral("%1, %2, %3: ").arg(recordKindText(r.kind), aidWord(r.aid), twilightWord(r.session));
        if (!r.record) {
            lines << what + QStringLiteral("nincs ilyen észlelés");
            continue;
        }
        QString value;
        switch (r.kind) {
        case sightings::RecordKind::Youngest:
            value = ageText(std::llround(r.value * 60));
            break;
        case sightings::RecordKind::SmallestArcl:
            value = degreesText(r.value);
            break;
        case sightings::RecordKind::LowestQ:
            value = QStringLiteral("q = ") + decimalText(r.value, 3);
            break;
        }
        lines << what + value + QStringLiteral(" (") + sightingName(sightings[*r.record]) + u')';
    }
    return lines;
}

} // namespace vkt::presentation
