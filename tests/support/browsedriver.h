#pragma once

#include "namedchild.h"

// The controls of the edit and search pages, found by their object names, for tests that
// type and click as the operator does. "e->" still reaches the page itself.
#include "datetickpicker.h"
#include "editpage.h"
#include "qsogrid.h"
#include "qsogridmodel.h"
#include "searchpage.h"
#include "textform.h"

#include <QAction>

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimeEdit>

#include <array>

namespace BrowseDriver {

template <typename W> W* child(const QObject* parent, const QString& name) {
    return namedChild<W>(parent, name);
}

template <typename Page> struct Controls {
    Page* page;
    Page* operator->() const { return page; }
    template <typename W> W* find(const char* name) const {
        return child<W>(page, QLatin1String(name));
    }
};

struct Edit : Controls<TEditPage> {
    explicit Edit(TEditPage* p) : Controls{p} {}
    QLabel* eNumberLabel = find<QLabel>("eNumberLabel");
    QDateEdit* eDatePicker = find<QDateEdit>("eDatePicker");
    QTimeEdit* eUtcPicker = find<QTimeEdit>("eUtcPicker");
    QComboBox* eBandComboBox = find<QComboBox>("eBandComboBox");
    QComboBox* eModeComboBox = find<QComboBox>("eModeComboBox");
    QLineEdit* eCallEdit = find<QLineEdit>("eCallEdit");
    QLineEdit* eDokEdit = find<QLineEdit>("eDokEdit");
    QLineEdit* eNameEdit = find<QLineEdit>("eNameEdit");
    QLineEdit* eQthEdit = find<QLineEdit>("eQthEdit");
    QLineEdit* eLocatorEdit = find<QLineEdit>("eLocatorEdit");
    QPlainTextEdit* eCommentsMemo = find<QPlainTextEdit>("eCommentsMemo");
    QPushButton* eCommentsBtn = find<QPushButton>("eCommentsBtn");
    TDateTickPicker* eQslOutPicker = find<TDateTickPicker>("eQslOutPicker");
    TDateTickPicker* eQslInPicker = find<TDateTickPicker>("eQslInPicker");
    QLabel* eBearingLabel = find<QLabel>("eBearingLabel");
    QLabel* eDistanceLabel = find<QLabel>("eDistanceLabel");
    QLabel* eDxccLabel = find<QLabel>("eDxccLabel");
    QLabel* eOvLabel = find<QLabel>("eOvLabel");
    QLabel* eDistriktLabel = find<QLabel>("eDistriktLabel");
    QPushButton* eOkBtn = find<QPushButton>("eOkBtn");
    QLabel* eStateLabel = find<QLabel>("eStateLabel");
    QPushButton* eQslInAddBtn = find<QPushButton>("eQslInAddBtn");
    QPushButton* eQslInShowBtn = find<QPushButton>("eQslInShowBtn");
};

struct Search : Controls<TSearchPage> {
    explicit Search(TSearchPage* p) : Controls{p} {
        for (int row = 0; row < TSearchPage::kRows; ++row) {
            const QString n = QString::number(row + 1);
            sCheckBox[row] = child<QCheckBox>(p, QStringLiteral("sCheckBox") + n);
            sFeldComboBox[row] = child<QComboBox>(p, QStringLiteral("sFeldComboBox") + n);
            sOperatorComboBox[row] = child<QComboBox>(p, QStringLiteral("sOperatorComboBox") + n);
            sEdit[row] = child<QLineEdit>(p, QStringLiteral("sEdit") + n);
        }
    }
    std::array<QCheckBox*, TSearchPage::kRows> sCheckBox{};
    std::array<QComboBox*, TSearchPage::kRows> sFeldComboBox{};
    std::array<QComboBox*, TSearchPage::kRows> sOperatorComboBox{};
    std::array<QLineEdit*, TSearchPage::kRows> sEdit{};
    QPlainTextEdit* Memo1 = find<QPlainTextEdit>("Memo1");
    QPushButton* SearchBtn = find<QPushButton>("SearchBtn");
    QsoGrid* sStringGrid = find<QsoGrid>("sStringGrid");
    QsoGridModel* sModel = sStringGrid->gridModel();
};

struct TextEditor : Controls<TTextForm> {
    explicit TextEditor(TTextForm* p) : Controls{p} {}
    QPlainTextEdit* Memo = find<QPlainTextEdit>("Memo");
    QAction* Laden1 = find<QAction>("Laden1");
    QAction* Zeilenumbruch1 = find<QAction>("Zeilenumbruch1");
};

} // namespace BrowseDriver
