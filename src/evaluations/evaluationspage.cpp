#include "evaluationspage.h"

#include "dokpage.h"
#include "dxccpage.h"
#include "locatorpage.h"
#include "qslpage.h"
#include "qsocountspage.h"
#include "underconstruction.h"

#include "widgetfactory.h"

#include <QTabWidget>
#include <QVBoxLayout>

TEvaluationsPage::TEvaluationsPage(TMainForm& mainForm, QWidget* parent) : QWidget(parent) {
    AuswertungenPageControl = new QTabWidget(this);
    AuswertungenPageControl->setObjectName(QStringLiteral("AuswertungenPageControl"));
    TabSheet1 = WidgetFactory::addPage(AuswertungenPageControl, "TabSheet1", QStringLiteral("QSL"));
    LocatorGrossfelderTS = WidgetFactory::addPage(AuswertungenPageControl, "LocatorGrossfelderTS",
                                                  QStringLiteral("Locator-Gro\u00dffelder"));
    TabSheet3 = WidgetFactory::addPage(AuswertungenPageControl, "TabSheet3", QStringLiteral("DOK"));
    TabSheet4 =
        WidgetFactory::addPage(AuswertungenPageControl, "TabSheet4", QStringLiteral("DXCC"));
    AnzahlQsosTS = WidgetFactory::addPage(AuswertungenPageControl, "AnzahlQsosTS",
                                          QStringLiteral("Anzahl QSOs"));
    TabSheet5 =
        WidgetFactory::addPage(AuswertungenPageControl, "TabSheet5", QStringLiteral("Contest"));
    locatorPage = new TLocatorPage(mainForm, LocatorGrossfelderTS);
    dokPage = new TDokPage(mainForm, TabSheet3);
    dxccPage = new TDxccPage(mainForm, TabSheet4);
    qsoCountsPage = new TQsoCountsPage(mainForm, AnzahlQsosTS);
    qslPage = new TQslPage(mainForm, TabSheet1);
    auto* qsl = new QVBoxLayout(TabSheet1);
    qsl->setContentsMargins(0, 0, 0, 0);
    qsl->addWidget(qslPage);
    UnderConstructionPanel = new TUnderConstructionPanel(TabSheet5);
    auto* contest = new QVBoxLayout(TabSheet5);
    contest->addWidget(UnderConstructionPanel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(AuswertungenPageControl);
}
