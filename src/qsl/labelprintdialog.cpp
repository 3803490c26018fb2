#include "labelprintdialog.h"

#include "settingskeys.h"
#include "uitexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QSpinBox>

namespace {

QDoubleSpinBox* millimetres(const char* name, double value, QWidget* parent) {
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setRange(0, 297);
    box->setDecimals(2);
    box->setValue(value);
    return box;
}

QWidget* row(QWidget* parent, std::initializer_list<QWidget*> widgets) {
    auto* holder = new QWidget(parent);
    auto* layout = new QHBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget* w : widgets)
        layout->addWidget(w);
    return holder;
}

} // namespace

LabelPrintDialog::LabelPrintDialog(const TMemIniFile& settings, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("LabelPrintDialog"));
    setWindowTitle(uiText("Etiketten drucken"));
    // The custom sheet as stored, whichever sheet was chosen last.
    using namespace SettingsKeys;
    const QslLabels::Layout chosen = QslLabels::load(settings);
    m_layout = new QComboBox(this);
    m_layout->setObjectName(QStringLiteral("labelLayoutCombo"));
    for (const QslLabels::Layout& l : QslLabels::presets())
        m_layout->addItem(QStringLiteral("A4 %1 (%2 x %3 mm)")
                              .arg(l.name, QLocale(QLocale::German).toString(l.labelWidth),
                                   QLocale(QLocale::German).toString(l.labelHeight)),
                          l.name);
    m_layout->addItem(uiText("eigener Bogen"), QStringLiteral("custom"));
    m_layout->setCurrentIndex(std::max(0, m_layout->findData(chosen.name)));
    m_columns = new QSpinBox(this);
    m_columns->setObjectName(QStringLiteral("labelColumnsSpin"));
    m_columns->setRange(1, 20);
    m_columns->setValue(read(settings, LabelColumns));
    m_rows = new QSpinBox(this);
    m_rows->setObjectName(QStringLiteral("labelRowsSpin"));
    m_rows->setRange(1, 40);
    m_rows->setValue(read(settings, LabelRows));
    const std::pair<const char*, FloatKey> measures[] = {
        {"labelWidthSpin", LabelWidth}, {"labelHeightSpin", LabelHeight},
        {"labelLeftSpin", LabelLeft},   {"labelTopSpin", LabelTop},
        {"labelGapXSpin", LabelGapX},   {"labelGapYSpin", LabelGapY}};
    for (int i = 0; i < 6; ++i)
        m_measures[i] = millimetres(measures[i].first, read(settings, measures[i].second), this);
    m_start = new QSpinBox(this);
    m_start->setObjectName(QStringLiteral("labelStartSpin"));
    m_start->setRange(1, 800);
    m_qsos = new QSpinBox(this);
    m_qsos->setObjectName(QStringLiteral("labelQsosSpin"));
    m_qsos->setRange(1, QslLabels::kMaxQsosPerLabel);
    m_qsos->setValue(QslLabels::loadQsosPerLabel(settings));
    m_cards = new QCheckBox(uiText("Karten (9 x 14 cm)"), this);
    m_cards->setObjectName(QStringLiteral("labelCardsChkBox"));
    m_background = new QLineEdit(read(settings, CardBackground), this);
    m_background->setObjectName(QStringLiteral("labelBackgroundEdit"));
    m_target = new QComboBox(this);
    m_target->setObjectName(QStringLiteral("labelTargetCombo"));
    m_target->addItems({uiText("Vorschau"), uiText("Drucker"), uiText("PDF-Datei")});
    m_pdf = new QLineEdit(this);
    m_pdf->setObjectName(QStringLiteral("labelPdfEdit"));
    m_pdf->setPlaceholderText(QStringLiteral("etiketten.pdf"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("labelButtons"));
    connect(buttons, &QDialogButtonBox::accepted, this, &LabelPrintDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_layout, &QComboBox::currentIndexChanged, this, &LabelPrintDialog::showLayout);

    auto* form = new QFormLayout(this);
    form->addRow(uiText("Bogen:"), m_layout);
    form->addRow(uiText("Spalten:"),
                 row(this, {m_columns, new QLabel(uiText("Zeilen:"), this), m_rows}));
    form->addRow(uiText("Etikett (mm):"), row(this, {m_measures[0], m_measures[1]}));
    form->addRow(uiText("Rand links/oben (mm):"), row(this, {m_measures[2], m_measures[3]}));
    form->addRow(uiText("Abstand (mm):"), row(this, {m_measures[4], m_measures[5]}));
    form->addRow(uiText("Beginnen bei Etikett:"), m_start);
    form->addRow(uiText("QSOs je Etikett:"), m_qsos);
    form->addRow(m_cards);
    form->addRow(uiText("Kartenbild:"), m_background);
    form->addRow(uiText("Ausgabe:"), row(this, {m_target, m_pdf}));
    form->addRow(buttons);
    showLayout();
}

void LabelPrintDialog::showLayout() {
    const bool custom = m_layout->currentData().toString() == QLatin1String("custom");
    if (const auto preset = QslLabels::preset(m_layout->currentData().toString())) {
        // A preset shows its measures; the custom ones come back when it is chosen again.
        m_columns->setValue(preset->columns);
        m_rows->setValue(preset->rows);
        const double values[] = {preset->labelWidth, preset->labelHeight, preset->left,
                                 preset->top,        preset->gapX,        preset->gapY};
        for (int i = 0; i < 6; ++i)
            m_measures[i]->setValue(values[i]);
    }
    m_columns->setEnabled(custom);
    m_rows->setEnabled(custom);
    for (QDoubleSpinBox* box : m_measures)
        box->setEnabled(custom);
}

QslLabels::Layout LabelPrintDialog::layout() const {
    QslLabels::Layout l;
    l.name = m_layout->currentData().toString();
    l.columns = m_columns->value();
    l.rows = m_rows->value();
    l.labelWidth = m_measures[0]->value();
    l.labelHeight = m_measures[1]->value();
    l.left = m_measures[2]->value();
    l.top = m_measures[3]->value();
    l.gapX = m_measures[4]->value();
    l.gapY = m_measures[5]->value();
    return QslLabels::preset(l.name).value_or(l);
}

int LabelPrintDialog::startCell() const {
    return std::min(m_start->value(), layout().perSheet());
}

int LabelPrintDialog::qsosPerLabel() const {
    return m_qsos->value();
}

bool LabelPrintDialog::cards() const {
    return m_cards->isChecked();
}

QString LabelPrintDialog::background() const {
    return m_background->text().trimmed();
}

PrintOutput::Target LabelPrintDialog::target() const {
    return PrintOutput::Target(m_target->currentIndex());
}

QString LabelPrintDialog::pdfPath() const {
    return m_pdf->text().trimmed();
}

void LabelPrintDialog::save(TMemIniFile& settings) const {
    QslLabels::save(settings, layout());
    QslLabels::saveQsosPerLabel(settings, qsosPerLabel());
    SettingsKeys::write(settings, SettingsKeys::CardBackground, background());
}

void LabelPrintDialog::accept() {
    if (!layout().fitsPage()) {
        QMessageBox::critical(this, QStringLiteral("Dalu"),
                              uiText("Die Etiketten passen nicht auf das Blatt."));
        return;
    }
    if (target() == PrintOutput::Target::Pdf && pdfPath().isEmpty()) {
        m_pdf->setFocus();
        return;
    }
    QDialog::accept();
}
