#pragma once

#include "logchange.h"
#include "logjournal.h"
#include "qsosource.h"
#include "regularfile.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class LogOpenLock;
class QThread;
class QTimer;
class StationTexts;
class TCallBook;
class TLogFile;
class TMemIniFile;
class TQsoRecord;
class TRigControl;

// The station as every page sees it: the settings, the open log with its lock, the texts
// of the chosen language, the callbook and the rig link. Every change to the open log goes
// through its write functions, which announce what changed (logChanged); nothing else
// writes the open log or tells the lists about a write.
class Station : public QObject {
    Q_OBJECT
public:
    Station();
    ~Station() override;

    TMemIniFile& settings() { return *m_settings; }
    const TMemIniFile& settings() const { return *m_settings; }
    // Reads Dalu.ini; an unreadable file gives the defaults in memory and is never written.
    void loadSettings(const QString& path);
    // Writes Dalu.ini; throws when it was unreadable at the start (it stays as it is).
    void saveSettings();
    bool hasSettings() const { return m_settings != nullptr; }

    StationTexts& texts() { return *m_texts; }
    const StationTexts& texts() const { return *m_texts; }
    QString msg(int line) const;

    // Start-up has applied every setting: from now on a change of a control is the operator's.
    bool initialised() const { return m_initialised; }
    void setInitialised() { m_initialised = true; }

    // The callbook opened at start-up (none when its file did not exist) and the file it was
    // opened for; a changed path takes effect at the next start.
    TCallBook* callBook() const { return m_callBook.get(); }
    QString callBookFileName() const { return m_callBookFileName; }
    void openCallBook(const QString& configuredFile);
    // The loaded callbook library's version, else 0.
    quint16 callBookVersion() const;

    // The rig link: it reads the rig settings of this station when told to apply them.
    TRigControl& rig() { return *m_rig; }

    // --- the open log
    TLogFile* log() const { return m_log.get(); }
    bool hasLog() const { return m_log != nullptr; }
    QString logFileName() const; // without folder; empty without a log
    // Opens the log at path and reads it (announced as Reloaded); false after telling
    // why (another running Dalu has it open) through refused().
    bool openLog(const QString& path);
    // Makes a new empty log and opens it; the open one stays open when that fails.
    void createLog(const QString& path);
    void closeLog();
    // The open log's QSOs as stored (comments with "#13#10"), QSO n at index n - 1: read
    // once, kept by every write, shown by the lists and evaluated by the pages without
    // reading the file again. Call refreshIfChanged() first where another program may
    // have written.
    const QList<CompactQso>& qsos() const { return m_qsos; }
    QsoListSource qsoSource() const { return QsoListSource(m_qsos); }
    // The same as the file is now: read again first when another program wrote it.
    QsoListSource currentQsos() {
        refreshIfChanged();
        return qsoSource();
    }
    // The QSOs the lists know of, and the number the next QSO is expected to get.
    int qsoCount() const { return int(m_qsos.size()); }
    int nextNumber() const { return qsoCount() + 1; }

    // --- the one write path. Each throws DaluError and then leaves everything as it was.
    // Appends rec as the next QSO, numbered by the log under its write lock; returns it.
    int appendQso(const TQsoRecord& rec);
    // Writes rec over QSO n (its position in the file).
    void replaceQso(int n, const TQsoRecord& rec);
    // A change of QSO n that must read it first (a QSL mark checks it is still the QSO
    // listed): change gets QSO n as the file holds it now and returns the record to write.
    // A big log keeps the change in its journal, flushed to disk, and folds it into the file
    // when the station is idle (foldJournal).
    TQsoRecord changeQso(int n, const std::function<TQsoRecord(const TQsoRecord&)>& change);
    // The open log's journal folded into its file now, before another program reads it (an
    // export, a conversion); also when the log is closed.
    void foldJournal();
    // A job that rewrites the open log's file as a whole (repair, import into it).
    void rewriteLog(const std::function<void(const QString& path)>& job);
    // Reads the log again: on request (Reloaded) or ...
    void reload();
    // ... when another program changed the file since it was read (Rewritten); true then.
    bool refreshIfChanged();

signals:
    void logChanged(const LogChange& change);
    // Another log (or none) is open now; logChanged follows with its QSOs.
    void logSwitched();
    // The whole log is about to be read again: the old rows may go first, so that a big log
    // is not held twice.
    void readingAll();
    // The log could not be opened, or changes kept in its journal could not be folded into
    // it: the reason, for the window to show.
    void refused(const QString& reason);

private:
    void readAll(LogChange::Kind kind);
    void startFold();
    void finishFold();
    void adoptFold(const LogJournal::Folded& folded, const QString& path);
    void announce(LogChange::Kind kind, int first, const QList<TQsoRecord>& records);
    bool changedBehind() const;
    void noteCurrent();

    std::unique_ptr<TMemIniFile> m_settings;
    std::unique_ptr<StationTexts> m_texts;
    std::unique_ptr<TCallBook> m_callBook;
    QString m_callBookFileName;
    std::unique_ptr<TRigControl> m_rig;
    std::unique_ptr<TLogFile> m_log;
    std::unique_ptr<LogOpenLock> m_logLock;
    RegularFile::Stamp m_stamp; // the open log as last read or written here
    QList<CompactQso> m_qsos;
    QTimer* m_foldTimer;
    QThread* m_folding = nullptr; // a fold of the journal running beside the window
    LogJournal::Folded m_folded;
    QString m_foldError;
    bool m_initialised = false;
};
