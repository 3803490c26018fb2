#pragma once

#include "duplicatecheck.h"
#include "referencelogs.h"

#include <QObject>

class TDoppeltForm;
class TMainForm;

// The checks while a call is typed into the mask: the duplicate check when the call field
// is left, and the reference logs (Ctrl+R, or the list under the mask while typing).
class TCallCheck : public QObject {
    Q_OBJECT
public:
    explicit TCallCheck(TMainForm& mainForm);

    const DuplicateCheck::Criteria& criteria() const { return m_criteria; }
    // Yellow: the list under the mask shows reference-table matches.
    bool isReferenceState() const;
    const ReferenceLogs::Table& referenceTable() const { return m_table; }

public slots:
    void setCriteria(const DuplicateCheck::Criteria& criteria);
    void CallEditChange(const QString& call);
    void CallEditExit();
    void StandartfunktionReferenzLogs();
    void BuildRefListe();
    void ChangeRefListe();
    void DokEditChange();
    void LocatorEditChange();
    // Enter or double-click in the list under the mask.
    void Liste2StringGridDblClick(int gridRow);
    // Back to the normal state (white, table emptied) for a list about to be refilled
    // from the open log.

private:
    void leaveReferenceState();
    TDoppeltForm* doppeltForm();
    QStringList referencePaths() const;
    QString openLogPath() const;

    TMainForm& m_mainForm;
    DuplicateCheck::Criteria m_criteria;
    ReferenceLogs::Table m_table;
    TDoppeltForm* m_doppeltForm = nullptr;
};
