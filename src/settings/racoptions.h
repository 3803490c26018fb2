#pragma once

#include "callbookinfo.h"

#include <QObject>

class QCheckBox;
class QLabel;
class QLineEdit;
class QToolButton;
class QWidget;
class Station;

// Options page "RAC": where the callbook is, and which of its data the mask takes over.
class TRacOptions : public QObject {
    Q_OBJECT
public:
    TRacOptions(Station& station, QWidget* page);

    // Start-up: the path and the six boxes; loading writes nothing.
    void load();
    CallBookInfo::TakeOver takeOver() const;

public slots:
    void CallBookEditChange();
    void CallBookBtnClick();
    void NameCallBookChkBoxClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<QCheckBox*> boxes() const;
    void showState();

    Station& m_station;
    QWidget* m_page;
    QLineEdit* CallBookEdit;
    QToolButton* CallBookBtn;
    QCheckBox* NameCallBookChkBox;
    QCheckBox* AdresseCallBookChkBox;
    QCheckBox* LicenceCallBookChkBox;
    QCheckBox* CommentCallBookChkBox;
    QCheckBox* FaxNrCallBookChkBox;
    QCheckBox* EmailCallBookChkBox;
    QLabel* CallBookStateLabel; // the callbook of this run: loaded, or why not
};
