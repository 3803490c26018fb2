#include "station.h"

#include "callbookaccess.h"
#include "callbooklookup.h"
#include "daluerror.h"
#include "filelock.h"
#include "logfile.h"
#include "meminifile.h"
#include "rigcontrol.h"
#include "stationtexts.h"
#include "uitexts.h"

#include <QFileInfo>

Station::Station()
    : m_texts(std::make_unique<StationTexts>()),
      m_rig(std::make_unique<TRigControl>([this]() -> const TMemIniFile& { return *m_settings; })) {
    qRegisterMetaType<LogChange>();
}

Station::~Station() = default;

void Station::loadSettings(const QString& path) {
    try {
        m_settings = std::make_unique<TMemIniFile>(path);
    } catch (...) {
        // Unreadable: the defaults, kept in memory; the file is never written over.
        m_settings = std::make_unique<TMemIniFile>(TMemIniFile::unread(path));
        throw;
    }
}

void Station::saveSettings() {
    if (!m_settings->savesToFile())
        throw DaluError(uiText("Die Einstellungen wurden nicht gespeichert: \"%1\" konnte "
                               "nicht gelesen werden und bleibt unverändert.")
                            .arg(m_settings->FileName()));
    m_settings->UpdateFile();
}

QString Station::msg(int line) const {
    return m_texts->msg(line);
}

void Station::openCallBook(const QString& configuredFile) {
    m_callBookFileName = configuredFile;
    m_callBook = CallBookLookup::open(configuredFile);
}

quint16 Station::callBookVersion() const {
    return m_callBook ? m_callBook->GetCallBookVersion() : 0;
}

QString Station::logFileName() const {
    return m_log ? QFileInfo(m_log->FileName()).fileName() : QString();
}

bool Station::openLog(const QString& path) {
    closeLog();
    auto lock = std::make_unique<LogOpenLock>(path);
    if (!lock->acquired()) {
        emit logSwitched();
        emit refused(uiText("Das Log \"%1\" ist schon in einem anderen laufenden Dalu "
                            "geöffnet und wird hier nicht geöffnet.")
                         .arg(path));
        return false;
    }
    m_logLock = std::move(lock);
    m_log = std::make_unique<TLogFile>(path);
    emit logSwitched();
    readAll(LogChange::Kind::Reloaded);
    return true;
}

void Station::createLog(const QString& path) {
    auto log = std::make_unique<TLogFile>(path);
    log->NewFile();
    closeLog();
    m_logLock = std::make_unique<LogOpenLock>(path); // nobody else can have a log just made
    m_log = std::move(log);
    emit logSwitched();
    readAll(LogChange::Kind::Reloaded);
}

void Station::closeLog() {
    const bool had = m_log != nullptr;
    m_log.reset();
    m_logLock.reset();
    m_stamp = {};
    m_count = 0;
    if (had)
        emit logSwitched();
}

void Station::reload() {
    readAll(LogChange::Kind::Reloaded);
}

bool Station::refreshIfChanged() {
    if (!changedBehind())
        return false;
    readAll(LogChange::Kind::Rewritten);
    return true;
}

bool Station::changedBehind() const {
    if (!m_log)
        return false;
    // A vanished log keeps the lists: the next write then says why it fails.
    const RegularFile::Stamp now = RegularFile::Stamp::of(m_log->FileName());
    return now.exists && now != m_stamp;
}

void Station::noteCurrent() {
    m_stamp = m_log ? RegularFile::Stamp::of(m_log->FileName()) : RegularFile::Stamp{};
}

void Station::readAll(LogChange::Kind kind) {
    LogChange change;
    change.kind = kind;
    noteCurrent();
    // A read stopped by a bad line announces the rows read so far, and the next number
    // follows them; the error goes on to the caller's boundary.
    auto finish = [&] {
        m_count = int(change.rows.size());
        emit logChanged(change);
    };
    if (!m_log) {
        m_count = 0;
        return;
    }
    emit readingAll();
    try {
        m_log->forEachLine([&](const QByteArray& line, const QsoLine::FieldStarts& starts) {
            change.rows.append(CompactQso(line, starts).shownInList());
        });
    } catch (...) {
        finish();
        throw;
    }
    finish();
}

void Station::announce(LogChange::Kind kind, int first, const QList<TQsoRecord>& records) {
    LogChange change;
    change.kind = kind;
    change.first = first;
    for (const TQsoRecord& r : records)
        change.rows.append(CompactQso(r).shownInList());
    if (kind == LogChange::Kind::Appended)
        m_count = std::max(m_count, change.last());
    emit logChanged(change);
}

static TLogFile& openOrThrow(TLogFile* log) {
    if (!log)
        throw DaluError(uiText("Kein Log ist ge\u00f6ffnet."));
    return *log;
}

int Station::appendQso(const TQsoRecord& rec) {
    TLogFile& log = openOrThrow(m_log.get());
    // A log another program changed is read first: the lists follow the file.
    refreshIfChanged();
    const int expected = nextNumber();
    TQsoRecord written = rec;
    const int n = log.AppendNext(written);
    written[QsoField::Number] = QByteArray::number(n);
    if (n != expected) {
        // Another program wrote meanwhile: the lists take the file as it is now.
        readAll(LogChange::Kind::Rewritten);
        return n;
    }
    noteCurrent();
    announce(LogChange::Kind::Appended, n, {written});
    return n;
}

void Station::replaceQso(int n, const TQsoRecord& rec) {
    changeQso(n, [&](TLogFile& log) {
        if (!log.ReplaceRecord(rec, n))
            throw DaluError(uiText("Das Log \"%1\" enth\u00e4lt kein QSO %2 mehr; nichts wurde "
                                   "gespeichert.")
                                .arg(logFileName())
                                .arg(n));
        return rec;
    });
}

TQsoRecord Station::changeQso(int n, const std::function<TQsoRecord(TLogFile&)>& write) {
    TLogFile& log = openOrThrow(m_log.get());
    const bool behind = changedBehind();
    const TQsoRecord written = write(log);
    if (behind) {
        readAll(LogChange::Kind::Rewritten);
        return written;
    }
    noteCurrent();
    announce(LogChange::Kind::Replaced, n, {written});
    return written;
}

void Station::rewriteLog(const std::function<void(const QString& path)>& job) {
    const QString path = openOrThrow(m_log.get()).FileName();
    // Whatever the job did before it failed is read back: the lists show the file.
    try {
        job(path);
    } catch (...) {
        readAll(LogChange::Kind::Rewritten);
        throw;
    }
    readAll(LogChange::Kind::Rewritten);
}
