#include "presetoptions.h"

#include "meminifile.h"
#include "settingskeys.h"
#include "station.h"

#include <QEvent>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

TPresetOptions::TPresetOptions(Station& station, QWidget* page)
    : QObject(page), m_station(station) {
    const int rows = static_cast<int>(std::size(SettingsKeys::kPresets));
    PreValueListEditor = new QTableWidget(rows, 2, page);
    PreValueListEditor->setObjectName(QStringLiteral("PreValueListEditor"));
    PreValueListEditor->setHorizontalHeaderLabels(
        {QStringLiteral("Feld"), QStringLiteral("Vorgabe")});
    PreValueListEditor->verticalHeader()->hide();
    PreValueListEditor->horizontalHeader()->setStretchLastSection(true);
    PreValueListEditor->verticalHeader()->setDefaultSectionSize(20);
    for (int row = 0; row < rows; ++row) {
        auto* name = new QTableWidgetItem(QLatin1String(SettingsKeys::kPresets[row].rowName));
        name->setFlags(Qt::ItemIsEnabled);
        PreValueListEditor->setItem(row, 0, name);
        PreValueListEditor->setItem(row, 1, new QTableWidgetItem);
    }
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(PreValueListEditor);
    PreValueListEditor->installEventFilter(this);
    connect(PreValueListEditor, &QTableWidget::itemChanged, this,
            &TPresetOptions::PreValueListEditorExit);
}

void TPresetOptions::load() {
    const QSignalBlocker block(PreValueListEditor);
    for (int row = 0; row < PreValueListEditor->rowCount(); ++row)
        PreValueListEditor->item(row, 1)->setText(SettingsKeys::read(
            m_station.settings(), SettingsKeys::preset(SettingsKeys::kPresets[row])));
}

void TPresetOptions::PreValueListEditorExit() {
    for (int row = 0; row < PreValueListEditor->rowCount(); ++row)
        SettingsKeys::write(m_station.settings(), SettingsKeys::preset(SettingsKeys::kPresets[row]),
                            PreValueListEditor->item(row, 1)->text());
}

bool TPresetOptions::eventFilter(QObject* watched, QEvent* event) {
    if (watched == PreValueListEditor && event->type() == QEvent::FocusOut)
        PreValueListEditorExit();
    return QObject::eventFilter(watched, event);
}
