#pragma once

#include "dalusession.h"
#include "editpage.h"
#include "logbuilder.h"
#include "mainform.h"
#include "meminifile.h"
#include "qsogrid.h"
#include "searchpage.h"
#include "tempprogramdir.h"

#include <QTabWidget>
#include <QTest>

#include <memory>

// A program directory with a.log as the open log and small reference files whose entries
// the tests know, and a session started on it.
struct BrowseFixture {
    TempProgramDir dir;
    std::unique_ptr<DaluSession> session;

    explicit BrowseFixture(const QList<TQsoRecord>& records, bool show = true) {
        dir.copyDataFiles();
        dir.writeFile("DXCC.ini", "[DXCC]\r\nQX=Qx Mainland\r\nQX1=Qx Island\r\nOE=Austria\r\n");
        dir.writeFile("DOK.ini", "[OV]\r\nA01=Konstanz\r\n[Distrikt]\r\nA=Baden\r\n"
                                 "[Website]\r\nA=https://a.example.org/\r\n");
        LogBuilder::writeLog(dir.file("a.log"), records);
        dir.writeFile("Dalu.ini", "[Allgemein]\r\nLastLogFileName=a.log\r\n");
        session = std::make_unique<DaluSession>();
        if (show) {
            form()->show();
            if (!QTest::qWaitForWindowExposed(form()))
                qWarning("main window not exposed");
        }
    }

    TMainForm* form() const { return session->mainForm(); }
    TEditPage* edit() const { return form()->editPage; }
    TSearchPage* search() const { return form()->searchPage; }
    QWidget* currentPage() const { return form()->MainPageControl->currentWidget(); }
    QByteArray log() const { return dir.readFile("a.log"); }

    // The way the list page opens a QSO: its row selected, then the edit page shown.
    void editRow(int row) const {
        form()->ListeStringGrid->selectGridRow(row);
        form()->MainPageControl->setCurrentWidget(form()->ListeTS);
        QTest::keyClick(form()->ListeStringGrid, Qt::Key_Return);
    }
};

// n numbered QSOs as LogBuilder makes them.
inline QList<TQsoRecord> numberedQsos(int count) {
    QList<TQsoRecord> records;
    for (int n = 1; n <= count; ++n)
        records.append(LogBuilder::qso(n));
    return records;
}
