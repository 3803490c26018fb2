// What the mask shows while a QSO is typed: the DXCC entity of the call, club and
// district of the DOK, bearing and distance of the locator.
#include "entrypage.h"

#include "uitexts.h"

#include "daluerror.h"
#include "dok.h"
#include "dxcc.h"
#include "errorboundary.h"
#include "languagetargets.h"
#include "locator.h"
#include "settingskeys.h"
#include "station.h"
#include "widgetfactory.h"

#include <QLabel>
#include <QLineEdit>

void TEntryPage::CallEditChange() {
    emit callChanged(CallEdit->text());
    DxccValueLabel->setText(CallToDxcc(CallEdit->text()));
}

void TEntryPage::DokEditChange() {
    const QString dok = DokEdit->text();
    if (dok.size() < 3) {
        OvValueLabel->clear();
        DistriktValueLabel->clear();
    } else {
        OvValueLabel->setText(DokToOv(dok));
        if (!OvValueLabel->text().isEmpty())
            DistriktValueLabel->setText(DokToDistrikt(dok));
    }
    emit dokChanged(dok);
}

void TEntryPage::LocatorEditChange() {
    const QString locator = LocatorEdit->text();
    QString bearing;
    QString distance;
    if (locator.size() == 6) {
        const QString own = SettingsKeys::read(m_station.settings(), SettingsKeys::EigenerLocator);
        if (own.isEmpty())
            bearing = distance = uiText("eigener Locator fehlt");
        else
            ErrorBoundary::run(this, [&] {
                LocDistanceBearing(own, locator, m_station.msg(Msg::InvalidLocator), bearing,
                                   distance);
            });
    }
    BearingValueLabel->setText(bearing);
    DistanceValueLabel->setText(distance);
    emit locatorChanged(locator);
}

void TEntryPage::DistriktValueLabelClick() {
    if (DistriktValueLabel->text().isEmpty())
        return;
    WidgetFactory::openWebAddress(this, DokToWebsite(DokEdit->text()));
}

void TEntryPage::setLinkLook(QLabel* label, bool hovered) {
    QFont font = label->font();
    font.setUnderline(hovered);
    label->setFont(font);
    WidgetFactory::setColour(label, QPalette::WindowText,
                             hovered ? QColor(0, 0, 255) : QColor(0, 128, 0));
}
