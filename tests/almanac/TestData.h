#pragma once

#include "TextFiles.h"

#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <vector>

namespace vkt::almanac::testing {

inline QString sourceFile(const QString& relative)
{
    return qEnvironmentVariable("VKT_SOURCE_DIR") + u'/' + relative;
}

// The records of a reference table in tests/almanac/data, split at blanks; comments skipped.
inline std::vector<QStringList> referenceRecords(const QString& name)
{
    std::vector<QStringList> records;
    for (const QString& line : readLines(sourceFile(QStringLiteral("tests/almanac/data/") + name)))
        if (!line.startsWith(u'#') && !line.trimmed().isEmpty())
            records.push_back(line.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts));
    return records;
}

} // namespace vkt::almanac::testing
