#pragma once

#include "duplicatecheck.h"
#include "referencelogs.h"

#include <QObject>
#include <QPointer>

class QsoGrid;
class QsoLists;
class Station;
class TDoppeltForm;
class TEntryPage;

// The checks while a call is typed into the mask: the duplicate check when the call field
// is left, and the reference logs (Ctrl+R, or the list under the mask while typing).
class TCallCheck : public QObject {
    Q_OBJECT
public:
    // lowerGrid shows lists.lower() under the mask.
    TCallCheck(Station& station, QsoLists& lists, TEntryPage& mask, QsoGrid& lowerGrid);
    // The window that reports a duplicate; without one handed in, the check makes one of
    // its own when it first needs it.
    void setDoppeltForm(TDoppeltForm* form);

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

private:
    void leaveReferenceState();
    TDoppeltForm* doppeltForm();
    QStringList referencePaths() const;
    QString openLogPath() const;

    Station& m_station;
    QsoLists& m_lists;
    TEntryPage& m_mask;
    QsoGrid& m_lowerGrid;
    DuplicateCheck::Criteria m_criteria;
    ReferenceLogs::Table m_table;
    QPointer<TDoppeltForm> m_doppeltForm;
};
