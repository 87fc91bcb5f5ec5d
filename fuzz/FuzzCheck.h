#pragma once

#include <cstdio>
#include <cstdlib>

// A broken property is a finding: report it and abort, so libFuzzer keeps the input.
#define FUZZ_CHECK(condition)                                                                                   \
    do {                                                                                                        \
        if (!(condition)) {                                                                                     \
            std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #condition);               \
            std::abort();                                                                                       \
        }                                                                                                       \
    } while (false)

#include <QString>
#include <QStringList>

// The lines of a text, one character at a time: CR LF, a lone CR and a lone LF each end a
// line, and a last line without an end still counts. The plain oracle the program's own
// (faster) splitting is held against.
inline QStringList plainLines(const QString& text)
{
    QStringList lines;
    QString line;
    bool open = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' || text[i] == u'\n') {
            if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            lines << line;
            line.clear();
            open = false;
        } else {
            line += text[i];
            open = true;
        }
    }
    if (open)
        lines << line;
    return lines;
}
