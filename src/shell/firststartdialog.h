#pragma once

#include <QDialog>

class QLineEdit;
class TMemIniFile;

// A first start asks the operator's own call and locator in one small dialog; "Später"
// skips it, and bearing, distance and the locator map then say what is missing.
class TFirstStartDialog : public QDialog {
    Q_OBJECT
public:
    explicit TFirstStartDialog(QWidget* parent = nullptr);

    // Shows the dialog; what was given goes into the settings (true when something was).
    static bool ask(TMemIniFile& settings, QWidget* parent);

private:
    QLineEdit* m_call;
    QLineEdit* m_locator;
};
