#pragma once

// For window tests: a program directory with the data files, an open log "a.log" of the
// given QSOs and the given settings, and the whole program session started on it.
#include "dalusession.h"
#include "logbuilder.h"
#include "mainform.h"
#include "tempprogramdir.h"

#include <QTest>

#include <memory>

struct SessionFixture {
    explicit SessionFixture(const QList<TQsoRecord>& qsos = {}, const QByteArray& ini = {}) {
        dir.copyDataFiles();
        LogBuilder::writeLog(dir.file("a.log"), qsos);
        dir.writeFile("Dalu.ini", "[Allgemein]\r\nLastLogFileName=a.log\r\n" + ini);
        session = std::make_unique<DaluSession>();
        form = session->mainForm();
        form->show();
        if (!QTest::qWaitForWindowExposed(form))
            qWarning("main window not exposed");
    }
    QByteArray ini() const { return dir.readFile("Dalu.ini"); }

    TempProgramDir dir;
    std::unique_ptr<DaluSession> session;
    TMainForm* form = nullptr;
};
