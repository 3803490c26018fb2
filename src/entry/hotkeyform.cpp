#include "hotkeyform.h"

THotKeyForm::THotKeyForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("HotKeyForm"));
    setModal(true);
}
