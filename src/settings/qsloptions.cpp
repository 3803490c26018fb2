#include "qsloptions.h"

#include "errorboundary.h"
#include "meminifile.h"
#include "qslcards.h"
#include "station.h"
#include "widgetfactory.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>

namespace {

template <typename W> W* named(const char* name, const QString& text, QWidget* parent) {
    auto* widget = new W(text, parent);
    widget->setObjectName(QLatin1String(name));
    return widget;
}

} // namespace

TQslOptions::TQslOptions(Station& station, QWidget* page) : QObject(page), m_station(station) {
    ruleLabel = WidgetFactory::label(
        "Label91", QStringLiteral("Eine QSL-Karte erh\u00e4lt von mir jedes"), page);
    qslQsoRadioBtn = named<QRadioButton>("qslQsoRadioBtn", QStringLiteral("QSO"), page);
    qslFirstQsoRadioBtn =
        named<QRadioButton>("qslFirstQsoRadioBtn", QStringLiteral("erste QSO mit dem Call"), page);
    qslBandChkBox = named<QCheckBox>("qslBandChkBox", QStringLiteral("auf dem Band"), page);
    qslModeChkBox = named<QCheckBox>("qslModeChkBox", QStringLiteral("in dem Mode"), page);
    qslDayChkBox = named<QCheckBox>("qslDayChkBox", QStringLiteral("an dem Tag"), page);
    qslYearChkBox = named<QCheckBox>("qslYearChkBox", QStringLiteral("in dem Jahr"), page);
    qslQsoRadioBtn->setChecked(true);

    auto* grid = new QGridLayout(page);
    grid->addWidget(ruleLabel, 0, 0, 1, 2);
    grid->addWidget(qslQsoRadioBtn, 1, 0);
    grid->addWidget(qslFirstQsoRadioBtn, 2, 0);
    int row = 2;
    for (QCheckBox* box : {qslBandChkBox, qslModeChkBox, qslDayChkBox, qslYearChkBox}) {
        grid->addWidget(box, row++, 1);
        connect(box, &QCheckBox::clicked, this, &TQslOptions::qslQsoRadioBtnClick);
    }
    for (QRadioButton* radio : {qslQsoRadioBtn, qslFirstQsoRadioBtn})
        connect(radio, &QRadioButton::clicked, this, &TQslOptions::qslQsoRadioBtnClick);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(row, 1);
    enableDetails();
}

void TQslOptions::load() {
    const QslCards::CardRule rule = QslCards::loadRule(m_station.settings());
    (rule.firstQso ? qslFirstQsoRadioBtn : qslQsoRadioBtn)->setChecked(true);
    qslBandChkBox->setChecked(rule.band);
    qslModeChkBox->setChecked(rule.mode);
    qslDayChkBox->setChecked(rule.day);
    qslYearChkBox->setChecked(rule.year);
    enableDetails();
}

void TQslOptions::qslQsoRadioBtnClick() {
    TMemIniFile& ini = m_station.settings();
    QslCards::saveRule(ini, {qslFirstQsoRadioBtn->isChecked(), qslBandChkBox->isChecked(),
                             qslModeChkBox->isChecked(), qslDayChkBox->isChecked(),
                             qslYearChkBox->isChecked()});
    ErrorBoundary::run(ruleLabel->window(), [&] { ini.UpdateFile(); });
    enableDetails();
}

void TQslOptions::enableDetails() {
    for (QCheckBox* box : {qslBandChkBox, qslModeChkBox, qslDayChkBox, qslYearChkBox})
        box->setEnabled(qslFirstQsoRadioBtn->isChecked());
}
