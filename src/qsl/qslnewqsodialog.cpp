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
    : QDialog(parent), bandBox(choice("qslNewBandComboBox", BandMode::bandTexts(), this)),
      modeBox(choice("qslNewModeComboBox", BandMode::modeTexts(), this)),
      rstTxEdit(report("qslNewRstTxEdit", rstTx, this)),
      rstRxEdit(report("qslNewRstRxEdit", rstRx, this)),
      buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this)) {
    setObjectName(QStringLiteral("QslNewQsoDialog"));
    setWindowTitle(uiText("QSO der QSL-Karte"));
    setModal(true);
    auto* form = new QFormLayout(this);
    auto* hint = new QLabel(
        uiText("Das QSO der Karte steht nicht im Log: bitte Band und Mode der Karte w\u00e4hlen."),
        this);
    hint->setWordWrap(true);
    form->addRow(hint);
    form->addRow(QStringLiteral("Band"), bandBox);
    form->addRow(QStringLiteral("Mode"), modeBox);
    form->addRow(QStringLiteral("RST TX"), rstTxEdit);
    form->addRow(QStringLiteral("RST RX"), rstRxEdit);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    for (QComboBox* box : {bandBox, modeBox})
        connect(box, &QComboBox::currentIndexChanged, this, &TQslNewQsoDialog::updateOk);
    updateOk();
    bandBox->setFocus();
}

QString TQslNewQsoDialog::band() const {
    return bandBox->currentText();
}

QString TQslNewQsoDialog::mode() const {
    return modeBox->currentText();
}

void TQslNewQsoDialog::updateOk() {
    buttons->button(QDialogButtonBox::Ok)
        ->setEnabled(bandBox->currentIndex() > 0 && modeBox->currentIndex() > 0);
}
