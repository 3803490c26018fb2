#include "entryorderoptions.h"

#include "errorboundary.h"
#include "functionkeys.h"
#include "meminifile.h"
#include "settingskeys.h"
#include "station.h"
#include "uitexts.h"
#include "widgetfactory.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>

#include <algorithm>

namespace {

struct FieldRow {
    const char* name; // as the mask names the field
    const char* comboBox;
    const char* checkBox; // optional fields only
};
const FieldRow kRows[FunctionKeys::kFieldCount] = {
    {"Datum", "DateComboBox", nullptr},
    {"UTC", "UtcComboBox", nullptr},
    {"Band", "BandComboBox", nullptr},
    {"Mode", "ModeComboBox", nullptr},
    {"DOK", "DokComboBox", "DokCheckBox"},
    {"Locator", "LocatorComboBox", "LocatorCheckBox"},
    {"Leistung", "TxPwrComboBox", nullptr},
    {"QTH", "QthComboBox", "QthCheckBox"},
    {"Name", "NameComboBox", "NameCheckBox"},
    {"Bemerkungen", "CommentsComboBox", "CommentsCheckBox"},
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
        fieldNames[field] = new QLabel(uiText(row.name), page);
        grid->addWidget(fieldNames[field], field + 1, 1);
        auto* combo = new QComboBox(page);
        combo->setObjectName(QLatin1String(row.comboBox));
        combo->addItems(entries);
        grid->addWidget(combo, field + 1, 2);
        comboBoxes[field] = combo;
        combo->installEventFilter(this);
        connect(combo, &QComboBox::currentIndexChanged, this,
                [this, field] { comboChanged(field); });
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

void TEntryOrderOptions::applyLanguage() {
    for (int field = 0; field < FunctionKeys::kFieldCount; ++field)
        fieldNames[field]->setText(uiText(kRows[field].name));
}

void TEntryOrderOptions::load() {
    const TMemIniFile& ini = m_station.settings();
    for (int i = 0; i < 7; ++i)
        checkBoxes[i]->setChecked(SettingsKeys::read(
            ini, SettingsKeys::showAtStartUp(SettingsKeys::kOptionalFieldLetters[i])));
    FunctionKeys::ButtonTexts texts;
    for (int k = 1; k <= FunctionKeys::kKeyCount; ++k)
        texts[k - 1] = SettingsKeys::readButtons(ini, k);
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

bool TEntryOrderOptions::eventFilter(QObject* watched, QEvent* event) {
    const auto* combo = static_cast<QComboBox*>(watched);
    const int field = static_cast<int>(std::find(comboBoxes.begin(), comboBoxes.end(), combo) -
                                       comboBoxes.begin());
    switch (event->type()) {
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (m_pendingField == field)
                applyChoice(field);
            return false;
        }
        m_stepping = key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp ||
                     key == Qt::Key_PageDown || key == Qt::Key_Home || key == Qt::Key_End;
        return false;
    }
    case QEvent::Wheel:
        m_stepping = true;
        return false;
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
        m_stepping = false;
        return false;
    case QEvent::FocusOut:
        // Opening the list's own pop-up is no leaving.
        if (m_pendingField == field &&
            static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
            applyChoice(field);
        return false;
    default:
        return false;
    }
}

void TEntryOrderOptions::comboChanged(int field) {
    if (m_stepping && comboBoxes[field]->hasFocus() && !comboBoxes[field]->view()->isVisible()) {
        m_stepping = false;
        m_pendingField = field;
        return;
    }
    applyChoice(field);
}

void TEntryOrderOptions::DateComboBoxChange() {
    applyChoice(-1);
}

void TEntryOrderOptions::applyChoice(int chosenField) {
    if (!m_station.initialised())
        return;
    m_pendingField = -1;
    FunctionKeys::KeyOfField keys;
    for (int field = 0; field < FunctionKeys::kFieldCount; ++field)
        keys[field] = comboBoxes[field]->currentIndex();
    keys = FunctionKeys::applyBindingRule(keys, chosenField);
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
