#include "logprintdialog.h"

#include "logpainter.h"
#include "uitexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>

namespace {

template <typename T> T* named(T* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QDateEdit* dateEdit(const char* name, QWidget* parent) {
    auto* edit = named(new QDateEdit(QDate::currentDate(), parent), name);
    edit->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    edit->setCalendarPopup(true);
    return edit;
}

} // namespace

LogPrintDialog::LogPrintDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("LogPrintDialog"));
    setWindowTitle(uiText("Drucken"));
    m_all = named(new QRadioButton(uiText("alle"), this), "printAllRadioBtn");
    m_all->setChecked(true);
    m_numbers = named(new QRadioButton(uiText("Nummern"), this), "printNumbersRadioBtn");
    m_dates = named(new QRadioButton(uiText("Zeitraum"), this), "printDatesRadioBtn");
    m_first = named(new QSpinBox(this), "printFirstSpin");
    m_last = named(new QSpinBox(this), "printLastSpin");
    for (QSpinBox* box : {m_first, m_last})
        box->setRange(1, 9999999);
    m_from = dateEdit("printFromPicker", this);
    m_to = dateEdit("printToPicker", this);
    m_landscape = named(new QCheckBox(uiText("Querformat"), this), "printLandscapeChkBox");
    m_target = named(new QComboBox(this), "printTargetCombo");
    m_target->addItems({uiText("Vorschau"), uiText("Drucker"), uiText("PDF-Datei")});
    m_pdf = named(new QLineEdit(this), "printPdfEdit");
    m_pdf->setPlaceholderText(QStringLiteral("log.pdf"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &LogPrintDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(uiText("Bereich:"), this), 0, 0);
    grid->addWidget(m_all, 0, 1);
    grid->addWidget(m_numbers, 1, 1);
    grid->addWidget(m_first, 1, 2);
    grid->addWidget(m_last, 1, 3);
    grid->addWidget(m_dates, 2, 1);
    grid->addWidget(m_from, 2, 2);
    grid->addWidget(m_to, 2, 3);
    grid->addWidget(m_landscape, 3, 1);
    grid->addWidget(new QLabel(uiText("Ausgabe:"), this), 4, 0);
    grid->addWidget(m_target, 4, 1);
    grid->addWidget(m_pdf, 4, 2, 1, 2);
    grid->addWidget(buttons, 5, 0, 1, 4);
}

LogPrintRange::Range LogPrintDialog::range() const {
    LogPrintRange::Range r;
    if (m_numbers->isChecked()) {
        r.firstNumber = std::min(m_first->value(), m_last->value());
        r.lastNumber = std::max(m_first->value(), m_last->value());
    } else if (m_dates->isChecked()) {
        r.from = std::min(m_from->date(), m_to->date());
        r.to = std::max(m_from->date(), m_to->date());
    }
    return r;
}

bool LogPrintDialog::landscape() const {
    return m_landscape->isChecked();
}

PrintOutput::Target LogPrintDialog::target() const {
    return PrintOutput::Target(m_target->currentIndex());
}

QString LogPrintDialog::pdfPath() const {
    return m_pdf->text().trimmed();
}

void LogPrintDialog::accept() {
    if (target() == PrintOutput::Target::Pdf && pdfPath().isEmpty()) {
        m_pdf->setFocus();
        return;
    }
    QDialog::accept();
}

bool LogPrintDialog::print(QWidget* parent, const QList<CompactQso>& qsos, const QList<int>& fields,
                           const QString& ownCall, const QString& logName) {
    LogPrintDialog dialog(parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    LogPainter::Sheet sheet =
        LogPainter::sheetOf(qsos, LogPrintRange::select(qsos, dialog.range()), fields);
    sheet.ownCall = ownCall;
    sheet.logName = logName;
    sheet.range = dialog.range().text();
    sheet.landscape = dialog.landscape();
    return PrintOutput::run(
        parent, dialog.target(), dialog.pdfPath(),
        {[&](QPagedPaintDevice& d) { LogPainter::setupPages(d, sheet.landscape); },
         [&](QPagedPaintDevice& d) { LogPainter::paint(d, sheet); }});
}
