#include "tools/almanac/CommandLine.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>
#include <unistd.h>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    return vkt::almanac::runAlmanac(QCoreApplication::arguments().mid(1), out, err, isatty(fileno(stderr)) != 0);
}
