#include "duplicateoptions.h"

#include "errorboundary.h"
#include "languagetargets.h"
#include "meminifile.h"
#include "settingskeys.h"
#include "station.h"
#include "widgetfactory.h"

#include <QCheckBox>
#include <QLabel>
#include <QMessageBox>
#include <QVBoxLayout>

namespace {

QCheckBox* checkBox(const char* name, const QString& caption, QWidget* page) {
    auto* box = new QCheckBox(caption, page);
    box->setObjectName(QLatin1String(name));
    return box;
}

QString damagedOptionsText(const QString& value) {
    return QStringLiteral(
               "Der Wert \"%1\" von [Doppel-Check] Options in Dalu.ini ist ung\u00fcltig: "
               "erwartet werden drei Ziffern 0 oder 1. Fehlende oder ung\u00fcltige Zeichen "
               "gelten als \"0\".\n\nThe value \"%1\" of [Doppel-Check] Options in Dalu.ini "
               "is invalid: three digits 0 or 1 are expected. Missing or invalid characters "
               "count as \"0\".")
        .arg(value);
}

} // namespace

TDuplicateOptions::TDuplicateOptions(Station& station, QWidget* page)
    : QObject(page), m_station(station) {
    questionLabel = WidgetFactory::label(
        "Label10",
        QStringLiteral("Welche Felder m\u00fcssen gleich sein, damit ein QSO als doppelt "
                       "betrachtet wird und Dalu bei dem Versuch das doppelte QSO einzutragen "
                       "eine Warnung ausgibt?"),
        page);
    questionLabel->setWordWrap(true);
    dcCallCheckBox = checkBox("dcCallCheckBox", QStringLiteral("Call"), page);
    dcCallCheckBox->setChecked(true);
    dcBandCheckBox = checkBox("dcBandCheckBox", QStringLiteral("Band"), page);
    dcModeCheckBox = checkBox("dcModeCheckBox", QStringLiteral("Mode"), page);
    dcDateCheckBox = checkBox("dcDateCheckBox", QStringLiteral("Date"), page);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(questionLabel);
    for (QCheckBox* box : {dcCallCheckBox, dcBandCheckBox, dcModeCheckBox, dcDateCheckBox})
        layout->addWidget(box);
    layout->addStretch(1);
    connect(dcCallCheckBox, &QCheckBox::toggled, this, &TDuplicateOptions::dcCallCheckBoxClick);
    for (QCheckBox* box : {dcBandCheckBox, dcModeCheckBox, dcDateCheckBox})
        connect(box, &QCheckBox::toggled, this, &TDuplicateOptions::dcCheckBoxClick);
}

void TDuplicateOptions::load() {
    const QString value =
        SettingsKeys::read(m_station.settings(), SettingsKeys::DoppelCheckOptions);
    const DuplicateCheck::ParsedOptions parsed = DuplicateCheck::parseOptions(value);
    {
        const QSignalBlocker band(dcBandCheckBox);
        const QSignalBlocker mode(dcModeCheckBox);
        const QSignalBlocker date(dcDateCheckBox);
        dcBandCheckBox->setChecked(parsed.criteria.band);
        dcModeCheckBox->setChecked(parsed.criteria.mode);
        dcDateCheckBox->setChecked(parsed.criteria.date);
    }
    emit criteriaChanged(parsed.criteria);
    if (parsed.mended)
        QMessageBox::warning(questionLabel->window(), QStringLiteral("Dalu"),
                             damagedOptionsText(value));
}

DuplicateCheck::Criteria TDuplicateOptions::criteria() const {
    return {dcBandCheckBox->isChecked(), dcModeCheckBox->isChecked(), dcDateCheckBox->isChecked()};
}

void TDuplicateOptions::dcCallCheckBoxClick() {
    if (dcCallCheckBox->isChecked())
        return;
    QMessageBox::information(dcCallCheckBox->window(), QStringLiteral("Dalu"),
                             m_station.msg(Msg::DcCallAlwaysOn));
    const QSignalBlocker block(dcCallCheckBox);
    dcCallCheckBox->setChecked(true);
}

void TDuplicateOptions::dcCheckBoxClick() {
    emit criteriaChanged(criteria());
    if (!m_station.initialised())
        return;
    SettingsKeys::write(m_station.settings(), SettingsKeys::DoppelCheckOptions,
                        DuplicateCheck::formatOptions(criteria()));
    ErrorBoundary::run(dcCallCheckBox->window(), [this] { m_station.settings().UpdateFile(); });
}
