#include "optionspage.h"

#include "clockoptions.h"
#include "confirmoptions.h"
#include "duplicateoptions.h"
#include "entryorderoptions.h"
#include "generaloptions.h"
#include "presetoptions.h"
#include "qsloptions.h"
#include "racoptions.h"
#include "referencelogoptions.h"
#include "rigoptions.h"
#include "serialoptions.h"
#include "statusbaroptions.h"
#include "widgetfactory.h"
#include "wsjtxoptions.h"

#include <QTabWidget>
#include <QVBoxLayout>

TOptionsPage::TOptionsPage(Station& station, QsoLists& lists, QWidget* parent) : QWidget(parent) {
    OptionenPageControl = new QTabWidget(this);
    OptionenPageControl->setObjectName(QStringLiteral("OptionenPageControl"));
    OptionenPageControl->setUsesScrollButtons(true);
    const auto tab = [this](const char* name, const char* caption) {
        return WidgetFactory::addPage(OptionenPageControl, name, QString::fromUtf8(caption));
    };
    // The tabs in their order; each sub-page lays out its own tab.
    generalOptions = new TGeneralOptions(station, tab("AllgemeinTS", "Allgemein"));
    entryOrderOptions = new TEntryOrderOptions(station, tab("OrdnungEingabeTS", "Ordnung Eingabe"));
    presetOptions = new TPresetOptions(station, tab("VorgabenEingabeTS", "Vorgaben Eingabe"));
    serialOptions = new TSerialOptions(station, tab("AutoNrTS", "RST (+Nr) TX"));
    duplicateOptions = new TDuplicateOptions(station, tab("DoppelCheckTS", "Doppel-Check"));
    referenceLogOptions = new TReferenceLogOptions(station, tab("ReferenzLogsTS", "Referenz-Logs"));
    racOptions = new TRacOptions(station, tab("CallBookTS", "RAC"));
    clockOptions = new TClockOptions(station, tab("ClockTS", "Analoge Uhr"));
    qslOptions = new TQslOptions(station, tab("QslTS", "QSL"));
    statusBarOptions = new TStatusBarOptions(station, lists, *referenceLogOptions,
                                             tab("StatusBarTS", "StatusBar"));
    // The same word in German and English.
    rigOptions = new TRigOptions(station, tab("RigTS", "Transceiver"));
    new TConfirmOptions(station, tab("ConfirmTS", "Best\u00e4tigungen"));
    // Program names, the same in both languages.
    wsjtxOptions = new TWsjtxOptions(station, tab("WsjtxTS", "WSJT-X / JTDX"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(OptionenPageControl);
    connect(OptionenPageControl, &QTabWidget::currentChanged, this,
            &TOptionsPage::currentTabChanged);
}

int TOptionsPage::currentTab() const {
    return OptionenPageControl->currentIndex();
}

void TOptionsPage::setCurrentTab(int index) {
    OptionenPageControl->setCurrentIndex(index);
}
