#include "windows/lists/JournalText.h"

#include <algorithm>

namespace vkt {

JournalText JournalText::fromFile(QString fileText)
{
    qsizetype end = 0;
    if (fileText.endsWith(QLatin1String("\r\n")))
        end = 2;
    else if (fileText.endsWith(u'\n') || fileText.endsWith(u'\r'))
        end = 1;
    QString finalLineEnd = fileText.right(end);
    fileText.chop(end);  // in place: a journal's text is not copied for it
    return {std::move(fileText), std::move(finalLineEnd)};
}

// One pass: QString::replace moves the tail of a large text once per batch of matches, which
// costs seconds on a 10 MB journal.
QString editorForm(const QString& text)
{
    QString result(text.size(), Qt::Uninitialized);
    QChar* out = result.data();
    for (qsizetype i = 0, n = text.size(); i < n; ++i) {
        const QChar c = text[i];
        if (c == u'\r') {
            *out++ = u'\n';
            if (i + 1 < n && text[i + 1] == u'\n')
                ++i;
        } else {
            *out++ = c;
        }
    }
    result.truncate(out - result.constData());
    return result;
}

QString fileForm(const QString& raw)
{
    const auto isBreak = [](QChar c) { return c == QChar::ParagraphSeparator || c == QChar::LineSeparator; };
    const qsizetype breaks = std::count_if(raw.cbegin(), raw.cend(), isBreak);
    QString result(raw.size() + breaks, Qt::Uninitialized);
    QChar* out = result.data();
    for (const QChar c : raw) {
        if (isBreak(c)) {
            *out++ = u'\r';
            *out++ = u'\n';
        } else {
            *out++ = c;
        }
    }
    return result;
}

bool blankOnly(const QString& text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c == u' '; });
}

} // namespace vkt
