#pragma once

// For the call-check tests: a session on an open log, with the call checks and their options
// pages as the main window has them.
#include "callcheck.h"
#include "duplicateoptions.h"
#include "optionspage.h"
#include "referencelogoptions.h"
#include "sessionfixture.h"

struct CallCheckFixture : SessionFixture {
    CallCheckFixture(const QList<TQsoRecord>& qsos, const QByteArray& ini)
        : SessionFixture(qsos, ini), check(form->callCheck),
          duplicateOptions(form->duplicateOptions), referenceOptions(form->referenceLogOptions) {}
    TCallCheck* check;
    TDuplicateOptions* duplicateOptions;
    TReferenceLogOptions* referenceOptions;
};
