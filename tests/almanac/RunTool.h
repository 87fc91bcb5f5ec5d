#pragma once

#include "tools/almanac/CommandLine.h"

#include <QTextStream>

namespace vkt::almanac {

// vkt-almanac run in this process: its exit code and what it wrote to standard output and error.
struct ToolRun {
    int code;
    QString out, err;
};

inline ToolRun runTool(const QStringList& arguments)
{
    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    const int code = runAlmanac(arguments, outStream, errStream, false);
    return {code, out, err};
}

} // namespace vkt::almanac
