#include "confirmoptions.h"

#include "errorboundary.h"
#include "meminifile.h"
#include "settingskeys.h"
#include "station.h"
#include "stationtexts.h"
#include "uitexts.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

TConfirmOptions::TConfirmOptions(Station& station, QWidget* page)
    : QObject(page), m_station(station), m_page(page) {
    auto* box = new QGroupBox(page);
    box->setObjectName(QStringLiteral("confirmRuleGroupBox"));
    auto* boxLayout = new QVBoxLayout(box);
    m_rule = new QButtonGroup(this);
    const std::pair<const char*, const char*> choices[] = {
        {"confirmPaperRadioBtn", "nur eine QSL-Karte"},
        {"confirmLotwRadioBtn", "eine QSL-Karte oder LoTW"},
        {"confirmEqslRadioBtn", "eine QSL-Karte, LoTW oder eQSL"}};
    int id = 0;
    for (const auto& [name, text] : choices) {
        auto* radio = new QRadioButton(box);
        radio->setObjectName(QLatin1String(name));
        m_texts.append({radio, text});
        m_rule->addButton(radio, id++);
        boxLayout->addWidget(radio);
    }
    m_skipConfirmed = new QCheckBox(page);
    m_texts.append({m_skipConfirmed, "QSL out: keine Karte f\u00fcr QSOs, die in LoTW oder eQSL "
                                     "best\u00e4tigt sind"});
    m_skipConfirmed->setObjectName(QStringLiteral("confirmSkipChkBox"));
    m_location = new QLineEdit(page);
    m_location->setObjectName(QStringLiteral("tqslLocationEdit"));
    m_location->setMaximumWidth(240);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(box);
    layout->addWidget(m_skipConfirmed);
    auto* locationLabel = new QLabel(page);
    m_texts.append({locationLabel, "TQSL-Stationsort f\u00fcr das Hochladen:"});
    m_boxTitle = {box, "Als best\u00e4tigt z\u00e4hlt"};
    layout->addWidget(locationLabel);
    layout->addWidget(m_location);
    layout->addStretch(1);

    connect(m_rule, &QButtonGroup::idClicked, this, &TConfirmOptions::save);
    connect(m_skipConfirmed, &QCheckBox::clicked, this, &TConfirmOptions::save);
    connect(m_location, &QLineEdit::editingFinished, this, &TConfirmOptions::save);
    // The settings are read when the page is shown: it may be built before they are.
    page->installEventFilter(this);
    connect(&station.texts(), &StationTexts::changed, this, &TConfirmOptions::applyTexts);
    applyTexts();
}

void TConfirmOptions::applyTexts() {
    m_boxTitle.first->setTitle(uiText(m_boxTitle.second));
    for (const auto& [widget, german] : m_texts)
        widget->setProperty("text", uiText(german));
    // The tab's caption: no line of the language files holds it.
    for (QWidget* w = m_page->parentWidget(); w; w = w->parentWidget()) {
        if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
            tabs->setTabText(tabs->indexOf(m_page), uiText("Best\u00e4tigungen"));
            break;
        }
    }
}

void TConfirmOptions::load() {
    m_loading = true;
    const TMemIniFile& ini = m_station.settings();
    const int rule = SettingsKeys::read(ini, SettingsKeys::LotwConfirmedBy);
    if (QAbstractButton* button = m_rule->button(rule))
        button->setChecked(true);
    else
        m_rule->button(0)->setChecked(true);
    m_skipConfirmed->setChecked(SettingsKeys::read(ini, SettingsKeys::QslSkipElectronic));
    m_location->setText(SettingsKeys::read(ini, SettingsKeys::TqslLocation));
    m_loading = false;
}

bool TConfirmOptions::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_page && event->type() == QEvent::Show && m_station.hasSettings())
        load();
    return QObject::eventFilter(watched, event);
}

void TConfirmOptions::save() {
    if (m_loading || !m_station.hasSettings())
        return;
    TMemIniFile& ini = m_station.settings();
    SettingsKeys::write(ini, SettingsKeys::LotwConfirmedBy, std::max(0, m_rule->checkedId()));
    SettingsKeys::write(ini, SettingsKeys::QslSkipElectronic, m_skipConfirmed->isChecked());
    SettingsKeys::write(ini, SettingsKeys::TqslLocation, m_location->text().trimmed());
    ErrorBoundary::run(m_page->window(), [&] { ini.UpdateFile(); });
}
