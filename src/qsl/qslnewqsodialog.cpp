#include "qslnewqsodialog.h"

#include "bandmode.h"
#include "uitexts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// The list's entries after an empty first one, which stands for "not chosen yet".
QComboBox* choice(const char* name, const QStringList& entries, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    box->addItem(QString());
    box->addItems(entries);
    return box;
}

QLineEdit* report(const char* name, const QString& text, QWidget* parent) {
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(QLatin1String(name));
    return edit;
}

} // namespace

TQslNewQsoDialog::TQslNewQsoDialog(const QString& rstTx, const QString& rstRx, QWidget* parent)
    : QDialog(parent), m_bandBox(choice("qslNewBandComboBox", BandMode::bandTexts(), this)),
      m_modeBox(choice("qslNewModeComboBox", BandMode::modeTexts(), this)),
      m_rstTxEdit(report("qslNewRstTxEdit", rstTx, this)),
      m_rstRxEdit(report("qslNewRstRxEdit", rstRx, this)),
      m_buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this)) {
    setObjectName(QStringLiteral("QslNewQsoDialog"));
    setWindowTitle(uiText("QSO der QSL-Karte"));
    setModal(true);
    auto* form = new QFormLayout(this);
    auto* hint = new QLabel(
        uiText("Das QSO der Karte steht nicht im Log: bitte Band und Mode der Karte w\u00e4hlen."),
        this);
    hint->setWordWrap(true);
    form->addRow(hint);
    form->addRow(QStringLiteral("Band"), m_bandBox);
    form->addRow(QStringLiteral("Mode"), m_modeBox);
    form->addRow(QStringLiteral("RST TX"), m_rstTxEdit);
    form->addRow(QStringLiteral("RST RX"), m_rstRxEdit);
    form->addRow(m_buttons);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    for (QComboBox* box : {m_bandBox, m_modeBox})
        connect(box, &QComboBox::currentIndexChanged, this, &TQslNewQsoDialog::updateOk);
    updateOk();
    m_bandBox->setFocus();
}

QString TQslNewQsoDialog::band() const {
    return m_bandBox->currentText();
}

QString TQslNewQsoDialog::mode() const {
    return m_modeBox->currentText();
}

QString TQslNewQsoDialog::rstTx() const {
    return m_rstTxEdit->text();
}

QString TQslNewQsoDialog::rstRx() const {
    return m_rstRxEdit->text();
}

void TQslNewQsoDialog::updateOk() {
    m_buttons->button(QDialogButtonBox::Ok)
        ->setEnabled(m_bandBox->currentIndex() > 0 && m_modeBox->currentIndex() > 0);
}
