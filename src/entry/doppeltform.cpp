#include "doppeltform.h"

TDoppeltForm::TDoppeltForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("DoppeltForm"));
    setModal(true);
}
