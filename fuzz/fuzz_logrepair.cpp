// Feeds arbitrary bytes to the log reader and Repair: no crash or hang, and every record
// of a log that reads is kept through a repair, in the log under the standard header or
// aside in the rejected file.
#include "daluerror.h"
#include "logfile.h"

#include <QFile>

#include <cstdint>
#include <cstdlib>
#include <stdlib.h>
#include <unistd.h>

namespace {

// A folder in memory: the writers sync every file they write.
QString scratchLog() {
    static const QString path = [] {
        char folder[] = "/dev/shm/dalu-fuzz-XXXXXX";
        if (!mkdtemp(folder))
            std::abort();
        return QString::fromLocal8Bit(folder) + QStringLiteral("/a.log");
    }();
    return path;
}

long countRecords(TLogFile& log) {
    long count = 0;
    log.forEachRecord([&](const TQsoRecord&) { ++count; });
    return count;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString path = scratchLog();
    const QString rejectedPath = path + QStringLiteral(".rejected");
    QFile::remove(rejectedPath);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
        std::abort();
    file.close();
    TLogFile log(path);
    long before = -1;
    try {
        before = countRecords(log);
    } catch (const DaluError&) {
        return 0; // a line of more than sixteen fields: Repair refuses it too
    }
    try {
        log.Repair();
    } catch (const DaluError&) {
        return 0; // an unreadable power, or a text without any QSO
    }
    QFile repaired(path);
    if (!repaired.open(QIODevice::ReadOnly) ||
        !repaired.readLine().startsWith(QsoLine::kHeader + "\r\n"))
        std::abort();
    QFile rejected(rejectedPath);
    const long kept = rejected.open(QIODevice::ReadOnly) ? rejected.readAll().count("\r\n") : 0;
    if (countRecords(log) + kept != before)
        std::abort();
    return 0;
}
