#include "entryorderoptions.h"

#include "errorboundary.h"
#include "functionkeys.h"
#include "meminifile.h"
#include "settingskeys.h"
#include "station.h"
#include "widgetfactory.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

#include <algorithm>

namespace {

struct FieldRow {
    const char* name; // as the mask names the field
    const char* comboBox;
    const char* checkBox; // optional fields only
};
const FieldRow kRows[FunctionKeys::kFieldCount] = {
    {"Date", "DateComboBox", nullptr},
    {"UTC", "UtcComboBox", nullptr},
    {"Band", "BandComboBox", nullptr},
    {"Mode", "ModeComboBox", nullptr},
    {"DOK", "DokComboBox", "DokCheckBox"},
    {"Locator", "LocatorComboBox", "LocatorCheckBox"},
    {"TX Pwr", "TxPwrComboBox", nullptr},
    {"QTH", "QthComboBox", "QthCheckBox"},
    {"Name", "NameComboBox", "NameCheckBox"},
    {"Comments", "CommentsComboBox", "CommentsCheckBox"},
    {"QSL out", "QslOutComboBox", "QslOutCheckBox"},
    {"QSL in", "QslInComboBox", "QslInCheckBox"},
};

} // namespace

TEntryOrderOptions::TEntryOrderOptions(Station& station, QWidget* page)
    : QObject(page), m_station(station) {
    orderLabel = WidgetFactory::label("Label40", QStringLiteral("Reihenfolge"), page);
    QLabel* keyLabel =
        WidgetFactory::label("Label41", QStringLiteral("Ein/Aus Taste/Button"), page);
    QLabel* shownAtStartLabel =
        WidgetFactory::label("Label4", QStringLiteral("bei Start anzeigen"), page);
    auto* grid = new QGridLayout(page);
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(3);
    grid->addWidget(orderLabel, 0, 0, 1, 2);
    grid->addWidget(keyLabel, 0, 2);
    grid->addWidget(shownAtStartLabel, 0, 3);
    QStringList entries = {QStringLiteral("---")};
    for (int k = 1; k <= FunctionKeys::kKeyCount; ++k)
        entries.append(QStringLiteral("B%1").arg(k));
    int box = 0;
    for (int field = 0; field < FunctionKeys::kFieldCount; ++field) {
        const FieldRow& row = kRows[field];
        auto* number = new QLabel(QString::number(field + 1), page);
        number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(number, field + 1, 0);
        grid->addWidget(new QLabel(QLatin1String(row.name), page), field + 1, 1);
        auto* combo = new QComboBox(page);
        combo->setObjectName(QLatin1String(row.comboBox));
        combo->addItems(entries);
        grid->addWidget(combo, field + 1, 2);
        comboBoxes[field] = combo;
        connect(combo, &QComboBox::currentIndexChanged, this,
                &TEntryOrderOptions::DateComboBoxChange);
        if (row.checkBox) {
            auto* check = new QCheckBox(page);
            check->setObjectName(QLatin1String(row.checkBox));
            grid->addWidget(check, field + 1, 3, Qt::AlignHCenter);
            checkBoxes[box++] = check;
            connect(check, &QCheckBox::toggled, this, &TEntryOrderOptions::DateComboBoxChange);
        }
    }
    grid->setColumnStretch(4, 1);
    grid->setRowStretch(FunctionKeys::kFieldCount + 1, 1);
}

void TEntryOrderOptions::load() {
    const TMemIniFile& ini = m_station.settings();
    for (int i = 0; i < 7; ++i)
        checkBoxes[i]->setChecked(SettingsKeys::read(
            ini, SettingsKeys::showAtStartUp(SettingsKeys::kOptionalFieldLetters[i])));
    FunctionKeys::ButtonTexts texts;
    for (int k = 1; k <= FunctionKeys::kKeyCount; ++k)
        texts[k - 1] = SettingsKeys::read(ini, SettingsKeys::buttons(k));
    const FunctionKeys::KeyOfField keys = FunctionKeys::keysOfButtons(texts);
    for (int field = 0; field < FunctionKeys::kFieldCount; ++field)
        comboBoxes[field]->setCurrentIndex(keys[field]);
}

int TEntryOrderOptions::keyOfField(int field) const {
    return comboBoxes[field]->currentIndex();
}

void TEntryOrderOptions::setKeyOfField(int field, int key) {
    comboBoxes[field]->setCurrentIndex(key);
}

void TEntryOrderOptions::DateComboBoxChange() {
    if (!m_station.initialised())
        return;
    FunctionKeys::KeyOfField keys;
    for (int field = 0; field < FunctionKeys::kFieldCount; ++field)
        keys[field] = comboBoxes[field]->currentIndex();
    const int chosen = static_cast<int>(std::find(comboBoxes.begin(), comboBoxes.end(), sender()) -
                                        comboBoxes.begin());
    keys = FunctionKeys::applyBindingRule(keys, chosen < FunctionKeys::kFieldCount ? chosen : -1);
    for (int field = 0; field < FunctionKeys::kFieldCount; ++field) {
        const QSignalBlocker block(comboBoxes[field]);
        comboBoxes[field]->setCurrentIndex(keys[field]);
    }
    TMemIniFile& ini = m_station.settings();
    const FunctionKeys::ButtonTexts texts = FunctionKeys::buttonTexts(keys);
    for (int k = 1; k <= FunctionKeys::kKeyCount; ++k)
        SettingsKeys::write(ini, SettingsKeys::buttons(k), texts[k - 1]);
    for (int i = 0; i < 7; ++i)
        SettingsKeys::write(ini,
                            SettingsKeys::showAtStartUp(SettingsKeys::kOptionalFieldLetters[i]),
                            checkBoxes[i]->isChecked());
    ErrorBoundary::run(orderLabel->window(), [&ini] { ini.UpdateFile(); });
    emit buttonsChanged();
}
