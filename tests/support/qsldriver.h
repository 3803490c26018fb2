#pragma once

// Drives the QSL page through its controls' names: the out list, the card inputs and the
// choice among several hits; and reads the edit page where a card's QSO opens.
#include "datetickpicker.h"
#include "evaluationsdriver.h"
#include "qsllistmodel.h"
#include "qslpage.h"

#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>

struct QslDriver : EvaluationsDriver {
    using EvaluationsDriver::EvaluationsDriver;

    TQslPage* qslPage() const { return page<TQslPage>(); }
    QTableView* outGrid() const { return child<QTableView>("qslStringGrid"); }
    QslListModel* outModel() const { return static_cast<QslListModel*>(outGrid()->model()); }
    QTableView* hitGrid() const { return child<QTableView>("qslSearchStringGrid"); }
    QslListModel* hitModel() const { return static_cast<QslListModel*>(hitGrid()->model()); }
    QWidget* hitPanel() const { return child("qslSearchPanel"); }
    QLineEdit* callEdit() const { return child<QLineEdit>("qslCallEdit"); }
    QLineEdit* dateEdit() const { return child<QLineEdit>("qslDateEdit"); }
    QLineEdit* utcEdit() const { return child<QLineEdit>("qslUtcEdit"); }

    // The out list built, its first row current and the keyboard on it.
    void createListAndFocus() const {
        qslPage()->createList();
        outGrid()->setFocus();
        outGrid()->setCurrentIndex(outModel()->index(0, 0));
    }
    // The card's call, date and time typed into the QSL-in inputs, then Return.
    void enterCard(const QString& call, const QString& date, const QString& utc) const {
        QTest::keyClicks(callEdit(), call);
        QTest::keyClicks(dateEdit(), date);
        QTest::keyClicks(utcEdit(), utc);
        QTest::keyClick(utcEdit(), Qt::Key_Return);
    }

    // The edit page, where the QSO of a card opens: its "#", its QSL in date and its save.
    QString editedNumber() const { return child<QLabel>("eNumberLabel")->text(); }
    TDateTickPicker* editedQslIn() const { return child<TDateTickPicker>("eQslInPicker"); }
    void saveEdited() const { child<QPushButton>("eOkBtn")->click(); }
};
