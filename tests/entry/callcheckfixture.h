#pragma once

// For the call-check tests: a program directory with an open log and a session on it, with
// the call checks and their options pages as the main window has them.
#include "callcheck.h"
#include "dalusession.h"
#include "duplicateoptions.h"
#include "logbuilder.h"
#include "mainform.h"
#include "optionspage.h"
#include "referencelogoptions.h"
#include "tempprogramdir.h"

#include <memory>

struct CallCheckFixture {
    CallCheckFixture(const QList<TQsoRecord>& qsos, const QByteArray& ini) {
        dir.copyDataFiles();
        LogBuilder::writeLog(dir.file("a.log"), qsos);
        dir.writeFile("Dalu.ini", "[Allgemein]\r\nLastLogFileName=a.log\r\n" + ini);
        session = std::make_unique<DaluSession>();
        form = session->mainForm();
        check = form->callCheck;
        duplicateOptions = form->duplicateOptions;
        referenceOptions = form->referenceLogOptions;
        form->show();
    }
    TempProgramDir dir;
    std::unique_ptr<DaluSession> session;
    TMainForm* form = nullptr;
    TCallCheck* check = nullptr;
    TDuplicateOptions* duplicateOptions = nullptr;
    TReferenceLogOptions* referenceOptions = nullptr;
};
