#pragma once

// For the entry-mask tests: a session on an open log, the main window active and the focus
// in the call field, and the operator's steps of entering a QSO.
#include "entrydriver.h"
#include "entrypage.h"
#include "sessionfixture.h"

#include <QApplication>
#include <QLineEdit>

struct MaskFixture : SessionFixture {
    explicit MaskFixture(const QList<TQsoRecord>& qsos = {}, const QByteArray& ini = {})
        : SessionFixture(qsos, ini), mask(form->entryPage) {
        form->activateWindow();
        if (!QTest::qWaitForWindowActive(form))
            qWarning("main window not active");
        mask->focusCall();
    }
    // Types each text into the focused field and presses Return after it.
    void type(const QStringList& texts) {
        for (const QString& text : texts) {
            QTest::keyClicks(QApplication::focusWidget(), text);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        }
    }
    // Types a QSO's fields as type() does; gives the last record line of the log afterwards.
    QByteArray enter(const QStringList& texts) {
        type(texts);
        const QList<QByteArray> lines = logLines();
        return lines.isEmpty() ? QByteArray() : lines.last();
    }
    // The record lines of the log, without header and line ends.
    QList<QByteArray> logLines() const {
        QList<QByteArray> lines = dir.readFile("a.log").split('\n');
        lines.removeFirst();
        lines.removeLast(); // after the last line end
        for (QByteArray& line : lines)
            line.chop(1);
        return lines;
    }
    TEntryPage* mask;
    EntryDriver entry{mask};
};
