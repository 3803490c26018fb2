#pragma once

#include "namedchild.h"

// For tests of the converter wizard: its controls, found by the names the language files
// know them by.
#include "htmlgridmodel.h"
#include "logconverterform.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>

struct ConverterDriver {
    explicit ConverterDriver(const TLogConverterForm& form) : form(form) {}

    template <typename T = QWidget> T* named(const char* name) const {
        return namedChild<T>(&form, QLatin1String(name));
    }

    // The pages, of which the wizard shows one at a time.
    QList<QWidget*> pages() const {
        return {StartPanel(),  ImportPanel(),     ImpLogFilePanel(), ExpLogFilePanel(),
                ExportPanel(), StringGridPanel(), FertigPanel()};
    }

    QWidget* StartPanel() const { return named("StartPanel"); }
    QWidget* ImportPanel() const { return named("ImportPanel"); }
    QWidget* ImpLogFilePanel() const { return named("ImpLogFilePanel"); }
    QWidget* ExpLogFilePanel() const { return named("ExpLogFilePanel"); }
    QWidget* ExportPanel() const { return named("ExportPanel"); }
    QWidget* StringGridPanel() const { return named("StringGridPanel"); }
    QWidget* FertigPanel() const { return named("FertigPanel"); }

    QPushButton* BackBtn() const { return named<QPushButton>("BackBtn"); }
    QPushButton* NextBtn() const { return named<QPushButton>("NextBtn"); }
    QPushButton* CancelBtn() const { return named<QPushButton>("CancelBtn"); }
    QPushButton* GotoStartBtn() const { return named<QPushButton>("GotoStartBtn"); }
    QPushButton* CloseBtn() const { return named<QPushButton>("CloseBtn"); }
    QRadioButton* VerbindenRadioBtn() const { return named<QRadioButton>("VerbindenRadioBtn"); }
    QRadioButton* TrennenRadioBtn() const { return named<QRadioButton>("TrennenRadioBtn"); }

    QLabel* StatusLabel() const { return named<QLabel>("StatusLabel"); }
    QLabel* SummaryLabel() const { return named<QLabel>("SummaryLabel"); }
    QPlainTextEdit* SkippedMemo() const { return named<QPlainTextEdit>("SkippedMemo"); }

    QLineEdit* Import1Edit() const { return named<QLineEdit>("Import1Edit"); }
    QLineEdit* ExportEdit() const { return named<QLineEdit>("ExportEdit"); }
    QComboBox* ImpLogFileComboBox() const { return named<QComboBox>("ImpLogFileComboBox"); }
    QListWidget* ExpLogFileListBox() const { return named<QListWidget>("ExpLogFileListBox"); }
    QLineEdit* ImportStartZeileEdit() const { return named<QLineEdit>("ImportStartZeileEdit"); }
    QComboBox* StringGridComboBox() const { return named<QComboBox>("StringGridComboBox"); }
    QTableView* StringGrid() const { return named<QTableView>("StringGrid"); }
    HtmlGridModel* StringGridModel() const {
        return qobject_cast<HtmlGridModel*>(StringGrid()->model());
    }

    const TLogConverterForm& form;
};
