// Times reading a settings file of 20,000 sections and a lookup in each of them.
#include "meminifile.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

int main() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Dalu.ini"));
    QByteArray content;
    for (int s = 0; s < 20000; ++s)
        content +=
            "[Section" + QByteArray::number(s) + "]\r\nKey=" + QByteArray::number(s) + "\r\n\r\n";
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(content);
    file.close();
    QElapsedTimer t;
    t.start();
    const TMemIniFile ini(path);
    const double readMs = t.nsecsElapsed() / 1e6;
    t.restart();
    long sum = 0;
    for (int s = 0; s < 20000; ++s)
        sum += ini.ReadInteger(QStringLiteral("SECTION%1").arg(s), QStringLiteral("key"), 0);
    std::printf("%-34s %8.1f ms\n%-34s %8.1f ms\n", "read 20,000 sections", readMs,
                "20,000 lookups", t.nsecsElapsed() / 1e6);
    return sum == 199990000L ? 0 : 1;
}
