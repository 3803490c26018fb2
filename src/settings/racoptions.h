#pragma once

#include "callbookinfo.h"

#include <QObject>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QToolButton;
class QWidget;
class TMainForm;

// Options page "RAC": where the callbook is, and which of its data the mask takes over.
class TRacOptions : public QObject {
    Q_OBJECT
public:
    TRacOptions(TMainForm& mainForm, QWidget* page);

    QLabel* Label14;
    QLineEdit* CallBookEdit;
    QToolButton* CallBookBtn;
    QGroupBox* GroupBox4;
    QCheckBox* NameCallBookChkBox;
    QCheckBox* AdresseCallBookChkBox;
    QCheckBox* LicenceCallBookChkBox;
    QCheckBox* CommentCallBookChkBox;
    QCheckBox* FaxNrCallBookChkBox;
    QCheckBox* EmailCallBookChkBox;
    QLabel* CallBookStateLabel; // the callbook of this run: loaded, or why not

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

    TMainForm& m_mainForm;
    QWidget* m_page;
};
