#pragma once

#include "qsorecord.h"
#include "regularfile.h"

#include <QString>

#include <memory>

// Accessor of one log file: a header line, then one QSO a line. Holds no records;
// every operation but the OpenRead ... Close bracket opens and closes the file itself.
// Every failure throws DaluError.
class LineReader;

class TLogFile {
public:
    explicit TLogFile(QString fileName); // Create: binds the path, opens nothing
    ~TLogFile();
    TLogFile(const TLogFile&) = delete;
    TLogFile& operator=(const TLogFile&) = delete;

    const QString& FileName() const { return m_fileName; }

    void NewFile();
    void OpenRead();
    bool ReadRecord(TQsoRecord& rec);
    void Close();
    bool ReadRecordAt(TQsoRecord& rec, int n);
    void AppendRecord(const TQsoRecord& rec);
    // Appends rec as the next QSO: its "#" becomes its position in the file as it is under
    // the write lock, so that a QSO written meanwhile by another program (an import that
    // rewrote the log) is counted. Returns that number.
    int AppendNext(TQsoRecord rec);
    // The same for a writer that knows the file: when it is still as stamped, the QSOs are
    // not counted again (a million lines take a while), the number is knownCount + 1.
    int AppendNext(TQsoRecord rec, const RegularFile::Stamp& known, int knownCount);
    bool ReplaceRecord(const TQsoRecord& rec, int n);
    void Repair();

    // Reads every record of the file, in order, handing each to the callback.
    template <typename F> void forEachRecord(F&& callback) {
        OpenRead();
        TQsoRecord rec;
        while (ReadRecord(rec))
            callback(rec);
        Close();
    }

    // Reads every record line raw (without line end), checked for its field count: for
    // lists that keep the lines as they are and split them only when shown.
    template <typename F> void forEachLine(F&& callback) {
        OpenRead();
        QByteArray line;
        QsoLine::FieldStarts starts;
        while (readRecordLine(line, starts))
            callback(line, starts);
        Close();
    }

    // The line of the file the record read last came from (the header is line 1).
    int lineNumber() const { return m_lineNumber; }

    // Every line after the header as it stands (without line end), with its line number
    // in the file, also a line with too many fields: for the repair, which keeps such
    // lines aside.
    template <typename F> void forEachRawLine(F&& callback) {
        OpenRead();
        qint64 number = m_hasPending ? 0 : 1; // the header is line 1
        QByteArray line;
        while (readLine(line))
            callback(line, ++number);
        Close();
    }

    // Whether the first line of a file is a QSO rather than the header: its first field is
    // a number. Such a line is read as record 1; any other first line is skipped.
    static bool isRecordLine(const QByteArray& line);
    // Throws unless a log of that many records may replace the file: a file that holds
    // any QSO or other text than a header is never turned into an empty log.
    static void refuseEmptying(const QString& path, qint64 records);

private:
    bool readLine(QByteArray& line);
    bool readRecordLine(QByteArray& line, QsoLine::FieldStarts& starts);
    [[noreturn]] void throwTooManyFields();
    int append(TQsoRecord& rec, bool numbered, const RegularFile::Stamp* known = nullptr,
               int knownCount = 0);
    int countRecords(int lockedFd) const;

    QString m_fileName;
    std::unique_ptr<LineReader> m_reader;
    QByteArray m_pendingLine; // a header-less file's first record, read by OpenRead
    bool m_hasPending = false;
    int m_lineNumber = 0;
};
