#pragma once

#include "browsedriver.h"
#include "meminifile.h"
#include "qsogrid.h"
#include "sessionfixture.h"

#include <QTabWidget>

// A session on a.log as the open log, with small reference files whose entries the tests know.
struct BrowseFixture : SessionFixture {
    explicit BrowseFixture(const QList<TQsoRecord>& records, bool show = true)
        : SessionFixture(nullptr) {
        dir.writeFile("DXCC.ini", "[DXCC]\r\nQX=Qx Mainland\r\nQX1=Qx Island\r\nOE=Austria\r\n");
        dir.writeFile("DOK.ini", "[OV]\r\nA01=Konstanz\r\n[Distrikt]\r\nA=Baden\r\n"
                                 "[Website]\r\nA=https://a.example.org/\r\n");
        LogBuilder::writeLog(dir.file("a.log"), records);
        // The operator has given a locator: bearings and the locator map have a centre.
        start("[Allgemein]\r\nLastLogFileName=a.log\r\nEigenerLocator=JO43SQ\r\n", show);
    }

    TMainForm* form() const { return session->mainForm(); }
    BrowseDriver::Edit edit() const { return BrowseDriver::Edit(form()->editPage); }
    BrowseDriver::Search search() const { return BrowseDriver::Search(form()->searchPage); }
    Navigator::Page currentPage() const { return form()->currentPage(); }
    QByteArray log() const { return dir.readFile("a.log"); }

    // The way the list page opens a QSO: its row selected, then the edit page shown.
    void editRow(int row) const {
        ShellDriver(form()).listGrid()->selectGridRow(row);
        form()->navigator().showPage(Navigator::Page::List);
        QTest::keyClick(ShellDriver(form()).listGrid(), Qt::Key_Return);
    }
};
