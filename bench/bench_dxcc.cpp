// Times 100,000 CallToDxcc lookups against the delivered DXCC.ini, as a search or the
// DXCC evaluation over a 100,000-QSO log makes them.
#include "dxcc.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QStringList>

#include <cstdio>

int main(int argc, char** argv) {
    // The source tree's data folder, unless a DXCC.ini is named on the command line.
    const QString path = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                  : QFileInfo(QStringLiteral(__FILE__)).absolutePath() +
                                        QStringLiteral("/../data/DXCC.ini");
    if (!QFileInfo::exists(path)) {
        std::fprintf(stderr, "no DXCC.ini at %s\n", qPrintable(path));
        return 1;
    }
    const QStringList calls = {"DL1ABC", "OE3XYZ", "W1AW",   "JA1XYZ",   "VK2ABC",
                               "KH6XX",  "G4ABC",  "QX1ABC", "oe/dl1ab", "PY2AA"};
    constexpr int kLookups = 100000;
    int found = 0;
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < kLookups; ++i)
        found += CallToDxcc(calls[i % calls.size()], path).isEmpty() ? 0 : 1;
    std::printf("%-34s %8.1f ms (%d found)\n", "100,000 CallToDxcc lookups", t.nsecsElapsed() / 1e6,
                found);
    return 0;
}
