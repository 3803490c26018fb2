#pragma once

#include <QDialog>

class QComboBox;
class QDialogButtonBox;
class QLineEdit;

// What a card does not say but a QSO needs: before the QSO of an unlogged card is written,
// the operator chooses its band and mode (no default: a guess would be logged unnoticed)
// and confirms the reports, prefilled with the mask's presets.
class TQslNewQsoDialog : public QDialog {
    Q_OBJECT
public:
    TQslNewQsoDialog(const QString& rstTx, const QString& rstRx, QWidget* parent = nullptr);

    QString band() const;
    QString mode() const;
    QString rstTx() const;
    QString rstRx() const;

private:
    void updateOk();

    QComboBox* m_bandBox;
    QComboBox* m_modeBox;
    QLineEdit* m_rstTxEdit;
    QLineEdit* m_rstRxEdit;
    QDialogButtonBox* m_buttons;
};
