#include "entrypage.h"

#include "qsogrid.h"
#include "widgetfactory.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

TEntryPage::TEntryPage(QsoGridModel* listModel, QWidget* parent) : QWidget(parent) {
    EingabePanel = new QWidget(this);
    EingabePanel->setObjectName(QStringLiteral("EingabePanel"));
    auto* mask = new QGridLayout(EingabePanel);
    NumberLabel = WidgetFactory::label("NumberLabel", QStringLiteral("1"), EingabePanel);
    BandLabel = WidgetFactory::label("BandLabel", QStringLiteral("2m"), EingabePanel);
    ModeLabel = WidgetFactory::label("ModeLabel", QStringLiteral("FM"), EingabePanel);
    TxPwrLabel = WidgetFactory::label("TxPwrLabel", QStringLiteral("10W"), EingabePanel);
    mask->addWidget(NumberLabel, 0, 0);
    mask->addWidget(BandLabel, 0, 1);
    mask->addWidget(ModeLabel, 0, 2);
    mask->addWidget(TxPwrLabel, 0, 3);

    Liste2StringGrid = new QsoGrid(listModel, this);
    Liste2StringGrid->setObjectName(QStringLiteral("Liste2StringGrid"));
    Liste2StringGrid->setUserResizableColumns(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(EingabePanel);
    layout->addWidget(Liste2StringGrid, 1);
}
