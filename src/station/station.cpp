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
#include <QThread>
#include <QTimer>

namespace {
// A fold waits for this long a pause in the operator's changes.
constexpr int kFoldDelayMs = 1500;
} // namespace

Station::Station()
    : m_texts(std::make_unique<StationTexts>()),
      m_rig(std::make_unique<TRigControl>([this]() -> const TMemIniFile& { return *m_settings; })),
      m_foldTimer(new QTimer(this)) {
    qRegisterMetaType<LogChange>();
    m_foldTimer->setSingleShot(true);
    m_foldTimer->setInterval(kFoldDelayMs);
    connect(m_foldTimer, &QTimer::timeout, this, &Station::startFold);
}

Station::~Station() {
    // Nobody listens any more: the journal is folded without a word to the lists.
    blockSignals(true);
    try {
        if (m_log)
            foldJournal();
    } catch (const std::exception& e) {
        // Nobody is left to show it; the journal stays and is folded at the next start.
        qWarning("%s", e.what());
    }
}

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
    if (m_log)
        foldJournal();
    const bool had = m_log != nullptr;
    m_log.reset();
    m_logLock.reset();
    m_stamp = {};
    m_qsos = {};
    if (had)
        emit logSwitched();
}

void Station::reload() {
    readAll(LogChange::Kind::Reloaded);
}

bool Station::refreshIfChanged() {
    // While the journal is folded the lists already hold what the fold writes: a reader
    // does not wait for it. The fold's own rewrite is no change behind.
    if (m_folding && m_folding->isRunning())
        return false;
    finishFold();
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
    change.first = 1;
    noteCurrent();
    // A read stopped by a bad line announces the rows read so far, and the next number
    // follows them; the error goes on to the caller's boundary.
    auto finish = [&] { emit logChanged(change); };
    if (!m_log) {
        m_qsos = {};
        return;
    }
    emit readingAll();
    m_qsos = {}; // not held twice while the file is read again
    // A journal a crash left behind goes into the file first; one that cannot be folded
    // stays, and the file is shown as it is.
    std::exception_ptr foldFailure;
    try {
        foldJournal();
    } catch (...) {
        foldFailure = std::current_exception();
    }
    try {
        m_log->forEachLine([&](const QByteArray& line, const QsoLine::FieldStarts& starts) {
            m_qsos.append(CompactQso(line, starts));
        });
    } catch (...) {
        finish();
        throw;
    }
    finish();
    if (foldFailure)
        std::rethrow_exception(foldFailure);
}

void Station::announce(LogChange::Kind kind, int first, const QList<TQsoRecord>& records) {
    LogChange change;
    change.kind = kind;
    change.first = first;
    for (const TQsoRecord& r : records) {
        const CompactQso stored(r);
        const int index = first - 1 + int(change.rows.size());
        if (index == m_qsos.size())
            m_qsos.append(stored);
        else if (index >= 0 && index < m_qsos.size())
            m_qsos[index] = stored;
        change.rows.append(stored.shownInList());
    }
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
    finishFold();
    const int n = log.AppendNext(written, m_stamp, qsoCount());
    if (m_foldTimer->isActive())
        m_foldTimer->start(); // the journal waits for a pause in every kind of write
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
    changeQso(n, [&](const TQsoRecord&) { return rec; });
}

TQsoRecord Station::changeQso(int n, const std::function<TQsoRecord(const TQsoRecord&)>& change) {
    TLogFile& log = openOrThrow(m_log.get());
    finishFold();
    refreshIfChanged(); // the QSO as the file holds it now
    if (n < 1 || n > qsoCount())
        throw DaluError(uiText("Das Log \"%1\" enth\u00e4lt kein QSO %2 mehr; nichts wurde "
                               "gespeichert.")
                            .arg(logFileName())
                            .arg(n));
    const CompactQso& stored = m_qsos.at(n - 1);
    const TQsoRecord written = change(stored.toRecord());
    const CompactQso next(written);
    if (m_stamp.size < LogJournal::minLogBytes) {
        foldJournal();
        if (!log.ReplaceRecord(written, n))
            throw DaluError(uiText("Das Log \"%1\" enth\u00e4lt kein QSO %2 mehr; nichts wurde "
                                   "gespeichert.")
                                .arg(logFileName())
                                .arg(n));
        noteCurrent();
    } else if (LogJournal::append(log.FileName(), {n, stored.line(), next.line()}, m_stamp)) {
        m_foldTimer->start();
    } else {
        readAll(LogChange::Kind::Rewritten);
        throw DaluError(uiText("Das Log \"%1\" wurde eben von einem anderen Programm "
                               "geändert und ist neu gelesen; nichts wurde gespeichert. Bitte "
                               "noch einmal speichern.")
                            .arg(logFileName()));
    }
    announce(LogChange::Kind::Replaced, n, {written});
    return written;
}

void Station::foldJournal() {
    m_foldTimer->stop();
    finishFold();
    if (!m_log || !LogJournal::exists(m_log->FileName()))
        return;
    const QString path = m_log->FileName();
    adoptFold(LogJournal::fold(path), path);
}

// The file folded beside the window: the window goes on, and waits for the fold only
// when it writes or reads the log next.
void Station::startFold() {
    if (!m_log || m_folding)
        return;
    const QString path = m_log->FileName();
    m_folded = {};
    m_foldError.clear();
    m_folding = QThread::create([this, path] {
        try {
            m_folded = LogJournal::fold(path);
        } catch (const std::exception& e) {
            const auto* dalu = dynamic_cast<const DaluError*>(&e);
            m_foldError = dalu ? dalu->message() : QString::fromLocal8Bit(e.what());
        }
    });
    connect(m_folding, &QThread::finished, this, &Station::finishFold);
    m_folding->start();
}

void Station::finishFold() {
    if (!m_folding)
        return;
    m_folding->wait();
    delete m_folding;
    m_folding = nullptr;
    if (!m_foldError.isEmpty())
        emit refused(std::exchange(m_foldError, {}));
    else if (m_log)
        adoptFold(m_folded, m_log->FileName());
}

// The fold's own rewrite is no change behind the lists, unless the file had changed behind
// them before it was folded.
void Station::adoptFold(const LogJournal::Folded& folded, const QString& path) {
    if (folded.before == m_stamp)
        m_stamp = folded.after;
    if (const QString text = LogJournal::describe(folded, path); !text.isEmpty())
        emit refused(text);
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
