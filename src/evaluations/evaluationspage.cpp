#include "evaluationspage.h"

#include "dokpage.h"
#include "dxccpage.h"
#include "locatorpage.h"
#include "qsocountspage.h"
#include "underconstruction.h"

#include "widgetfactory.h"

#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QVBoxLayout* sheetLayout(QWidget* sheet) {
    auto* layout = new QVBoxLayout(sheet);
    layout->setContentsMargins(0, 0, 0, 0);
    return layout;
}

} // namespace

TEvaluationsPage::TEvaluationsPage(Station& station, Navigator& navigator, QWidget* parent)
    : QWidget(parent) {
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("AuswertungenPageControl"));
    // The sheets' names are those the language files know.
    m_qslSheet = WidgetFactory::addPage(m_tabs, "TabSheet1", QStringLiteral("QSL"));
    sheetLayout(m_qslSheet);
    new TLocatorPage(station, navigator,
                     WidgetFactory::addPage(m_tabs, "LocatorGrossfelderTS",
                                            QStringLiteral("Locator-Gro\u00dffelder")));
    new TDokPage(station, navigator,
                 WidgetFactory::addPage(m_tabs, "TabSheet3", QStringLiteral("DOK")));
    new TDxccPage(station, navigator,
                  WidgetFactory::addPage(m_tabs, "TabSheet4", QStringLiteral("DXCC")));
    new TQsoCountsPage(
        station, navigator,
        WidgetFactory::addPage(m_tabs, "AnzahlQsosTS", QStringLiteral("Anzahl QSOs")));
    QWidget* contest = WidgetFactory::addPage(m_tabs, "TabSheet5", QStringLiteral("Contest"));
    auto* contestLayout = new QVBoxLayout(contest);
    contestLayout->addWidget(new TUnderConstructionPanel(contest));
    sheetLayout(this)->addWidget(m_tabs);
    connect(m_tabs, &QTabWidget::currentChanged, this, &TEvaluationsPage::currentTabChanged);
}

void TEvaluationsPage::setQslPage(QWidget* page) {
    m_qslSheet->layout()->addWidget(page);
}

int TEvaluationsPage::currentTab() const {
    return m_tabs->currentIndex();
}

void TEvaluationsPage::setCurrentTab(int tab) {
    m_tabs->setCurrentIndex(tab);
}
