#include "optionspage.h"

#include "clockoptions.h"
#include "entryorderoptions.h"
#include "generaloptions.h"
#include "presetoptions.h"
#include "qsloptions.h"
#include "racoptions.h"
#include "rigoptions.h"
#include "serialoptions.h"
#include "statusbaroptions.h"
#include "widgetfactory.h"

#include <QTabWidget>
#include <QVBoxLayout>

TOptionsPage::TOptionsPage(TMainForm& mainForm, QWidget* parent) : QWidget(parent) {
    OptionenPageControl = new QTabWidget(this);
    OptionenPageControl->setObjectName(QStringLiteral("OptionenPageControl"));
    OptionenPageControl->setUsesScrollButtons(true);
    AllgemeinTS =
        WidgetFactory::addPage(OptionenPageControl, "AllgemeinTS", QStringLiteral("Allgemein"));
    OrdnungEingabeTS = WidgetFactory::addPage(OptionenPageControl, "OrdnungEingabeTS",
                                              QStringLiteral("Ordnung Eingabe"));
    VorgabenEingabeTS = WidgetFactory::addPage(OptionenPageControl, "VorgabenEingabeTS",
                                               QStringLiteral("Vorgaben Eingabe"));
    AutoNrTS =
        WidgetFactory::addPage(OptionenPageControl, "AutoNrTS", QStringLiteral("RST (+Nr) TX"));
    DoppelCheckTS = WidgetFactory::addPage(OptionenPageControl, "DoppelCheckTS",
                                           QStringLiteral("Doppel-Check"));
    ReferenzLogsTS = WidgetFactory::addPage(OptionenPageControl, "ReferenzLogsTS",
                                            QStringLiteral("Referenz-Logs"));
    CallBookTS = WidgetFactory::addPage(OptionenPageControl, "CallBookTS", QStringLiteral("RAC"));
    ClockTS = WidgetFactory::addPage(OptionenPageControl, "ClockTS", QStringLiteral("Analoge Uhr"));
    QslTS = WidgetFactory::addPage(OptionenPageControl, "QslTS", QStringLiteral("QSL"));
    StatusBarTS =
        WidgetFactory::addPage(OptionenPageControl, "StatusBarTS", QStringLiteral("StatusBar"));
    // The same word in German and English.
    RigTS = WidgetFactory::addPage(OptionenPageControl, "RigTS", QStringLiteral("Transceiver"));
    generalOptions = new TGeneralOptions(mainForm, AllgemeinTS);
    presetOptions = new TPresetOptions(mainForm, VorgabenEingabeTS);
    serialOptions = new TSerialOptions(mainForm, AutoNrTS);
    racOptions = new TRacOptions(mainForm, CallBookTS);
    entryOrderOptions = new TEntryOrderOptions(mainForm, OrdnungEingabeTS);
    clockOptions = new TClockOptions(mainForm, ClockTS);
    statusBarOptions = new TStatusBarOptions(mainForm, StatusBarTS);
    qslOptions = new TQslOptions(mainForm, QslTS);
    rigOptions = new TRigOptions(mainForm, RigTS);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(OptionenPageControl);
}
