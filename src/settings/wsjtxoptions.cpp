#include "wsjtxoptions.h"

#include "errorboundary.h"
#include "meminifile.h"
#include "settingskeys.h"
#include "station.h"
#include "uitexts.h"
#include "widgetfactory.h"

#include <QCheckBox>
#include <QColor>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>

namespace {

struct ColourRow {
    const char* name;
    const SettingsKeys::TextKey* key;
};
const ColourRow kColours[] = {{"WsjtxNewDxccEdit", &SettingsKeys::WsjtxColourNewDxcc},
                              {"WsjtxNewBandEdit", &SettingsKeys::WsjtxColourNewBand},
                              {"WsjtxNewSquareEdit", &SettingsKeys::WsjtxColourNewSquare},
                              {"WsjtxWorkedEdit", &SettingsKeys::WsjtxColourWorked}};

QLineEdit* lineEdit(const char* name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    return edit;
}

// The edit shows its colour as its background, so the operator sees what WSJT-X will show.
void paint(QLineEdit* edit) {
    const QColor c(edit->text());
    edit->setStyleSheet(c.isValid() ? QStringLiteral("QLineEdit { background: %1; color: %2 }")
                                          .arg(c.name(), c.lightness() < 128 ? "white" : "black")
                                    : QString());
}

} // namespace

TWsjtxOptions::TWsjtxOptions(Station& station, QWidget* page)
    : QObject(page), m_station(station), m_page(page) {
    WsjtxEnabledChkBox = new QCheckBox(page);
    WsjtxEnabledChkBox->setObjectName(QStringLiteral("WsjtxEnabledChkBox"));
    WsjtxAddressLabel = WidgetFactory::label("WsjtxAddressLabel", QString(), page);
    WsjtxAddressEdit = lineEdit("WsjtxAddressEdit", page);
    WsjtxAddressEdit->setMaxLength(SettingsKeys::WsjtxAddress.maxLength);
    WsjtxPortLabel = WidgetFactory::label("WsjtxPortLabel", QString(), page);
    WsjtxPortSpinBox = new QSpinBox(page);
    WsjtxPortSpinBox->setObjectName(QStringLiteral("WsjtxPortSpinBox"));
    WsjtxPortSpinBox->setRange(1, 65535);
    WsjtxHostLabel = WidgetFactory::label("WsjtxHostLabel", QString(), page);
    WsjtxHostEdit = lineEdit("WsjtxHostEdit", page);
    WsjtxHostEdit->setMaxLength(SettingsKeys::WsjtxHost.maxLength);
    WsjtxStartRadioBtn = new QRadioButton(page);
    WsjtxStartRadioBtn->setObjectName(QStringLiteral("WsjtxStartRadioBtn"));
    WsjtxEndRadioBtn = new QRadioButton(page);
    WsjtxEndRadioBtn->setObjectName(QStringLiteral("WsjtxEndRadioBtn"));
    WsjtxHighlightChkBox = new QCheckBox(page);
    WsjtxHighlightChkBox->setObjectName(QStringLiteral("WsjtxHighlightChkBox"));
    auto* grid = new QGridLayout(page);
    grid->addWidget(WsjtxEnabledChkBox, 0, 0, 1, 2);
    const QList<QPair<QLabel*, QWidget*>> rows = {{WsjtxAddressLabel, WsjtxAddressEdit},
                                                  {WsjtxPortLabel, WsjtxPortSpinBox},
                                                  {WsjtxHostLabel, WsjtxHostEdit}};
    int row = 1;
    for (const auto& r : rows) {
        grid->addWidget(r.first, row, 0);
        grid->addWidget(r.second, row++, 1);
    }
    grid->addWidget(WsjtxStartRadioBtn, row++, 0, 1, 2);
    grid->addWidget(WsjtxEndRadioBtn, row++, 0, 1, 2);
    grid->addWidget(WsjtxHighlightChkBox, row++, 0, 1, 2);
    const auto* hex = new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("#[0-9A-Fa-f]{6}")), this);
    for (const ColourRow& c : kColours) {
        m_colourLabels.append(WidgetFactory::label(c.name, QString(), page));
        m_colourLabels.last()->setObjectName(QLatin1String(c.name).chopped(4) + "Label");
        m_colourEdits.append(lineEdit(c.name, page));
        m_colourEdits.last()->setValidator(hex);
        grid->addWidget(m_colourLabels.last(), row, 0);
        grid->addWidget(m_colourEdits.last(), row++, 1);
        connect(m_colourEdits.last(), &QLineEdit::editingFinished, this, &TWsjtxOptions::save);
    }
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(row, 1);
    applyLanguage();
    connect(WsjtxEnabledChkBox, &QCheckBox::toggled, this, &TWsjtxOptions::save);
    connect(WsjtxHighlightChkBox, &QCheckBox::toggled, this, &TWsjtxOptions::save);
    connect(WsjtxEndRadioBtn, &QRadioButton::toggled, this, &TWsjtxOptions::save);
    for (QLineEdit* edit : {WsjtxAddressEdit, WsjtxHostEdit})
        connect(edit, &QLineEdit::editingFinished, this, &TWsjtxOptions::save);
    connect(WsjtxPortSpinBox, &QSpinBox::editingFinished, this, &TWsjtxOptions::save);
}

void TWsjtxOptions::applyLanguage() {
    WsjtxEnabledChkBox->setText(uiText("QSOs von WSJT-X / JTDX ins Log \u00fcbernehmen"));
    WsjtxAddressLabel->setText(uiText("Adresse (oder Multicast-Gruppe):"));
    WsjtxPortLabel->setText(uiText("UDP-Port:"));
    WsjtxHostLabel->setText(uiText("Auch von diesem Rechner annehmen:"));
    WsjtxStartRadioBtn->setText(uiText("Datum und UTC vom Beginn des QSOs"));
    WsjtxEndRadioBtn->setText(uiText("Datum und UTC vom Ende des QSOs"));
    WsjtxHighlightChkBox->setText(uiText("Rufzeichen in WSJT-X einf\u00e4rben"));
    const char* captions[] = {
        "Neues DXCC-Gebiet:", "Neu auf dem Band:", "Neues Locator-Feld:", "Schon gearbeitet:"};
    for (int i = 0; i < m_colourLabels.size(); ++i)
        m_colourLabels[i]->setText(uiText(captions[i]));
}

void TWsjtxOptions::load() {
    const TMemIniFile& ini = m_station.settings();
    m_loading = true;
    WsjtxEnabledChkBox->setChecked(SettingsKeys::read(ini, SettingsKeys::WsjtxEnabled));
    WsjtxAddressEdit->setText(SettingsKeys::read(ini, SettingsKeys::WsjtxAddress));
    WsjtxPortSpinBox->setValue(SettingsKeys::read(ini, SettingsKeys::WsjtxPort));
    WsjtxHostEdit->setText(SettingsKeys::read(ini, SettingsKeys::WsjtxHost));
    const bool end = SettingsKeys::read(ini, SettingsKeys::WsjtxTimeOfEnd);
    (end ? WsjtxEndRadioBtn : WsjtxStartRadioBtn)->setChecked(true);
    WsjtxHighlightChkBox->setChecked(SettingsKeys::read(ini, SettingsKeys::WsjtxHighlight));
    for (int i = 0; i < m_colourEdits.size(); ++i) {
        m_colourEdits[i]->setText(SettingsKeys::read(ini, *kColours[i].key));
        paint(m_colourEdits[i]);
    }
    m_loading = false;
    enableDetails();
}

void TWsjtxOptions::enableDetails() {
    const bool on = WsjtxEnabledChkBox->isChecked();
    for (QWidget* w : m_page->findChildren<QWidget*>())
        if (w != WsjtxEnabledChkBox)
            w->setEnabled(on);
}

void TWsjtxOptions::save() {
    enableDetails();
    for (QLineEdit* edit : m_colourEdits)
        paint(edit);
    if (m_loading || !m_station.initialised())
        return;
    TMemIniFile& ini = m_station.settings();
    SettingsKeys::write(ini, SettingsKeys::WsjtxEnabled, WsjtxEnabledChkBox->isChecked());
    SettingsKeys::write(ini, SettingsKeys::WsjtxAddress, WsjtxAddressEdit->text().trimmed());
    SettingsKeys::write(ini, SettingsKeys::WsjtxPort, WsjtxPortSpinBox->value());
    SettingsKeys::write(ini, SettingsKeys::WsjtxHost, WsjtxHostEdit->text().trimmed());
    SettingsKeys::write(ini, SettingsKeys::WsjtxTimeOfEnd, WsjtxEndRadioBtn->isChecked());
    SettingsKeys::write(ini, SettingsKeys::WsjtxHighlight, WsjtxHighlightChkBox->isChecked());
    for (int i = 0; i < m_colourEdits.size(); ++i) {
        if (QColor(m_colourEdits[i]->text()).isValid())
            SettingsKeys::write(ini, *kColours[i].key, m_colourEdits[i]->text());
    }
    ErrorBoundary::run(m_page->window(), [this] { m_station.settings().UpdateFile(); });
    emit wsjtxSettingsChanged();
}
