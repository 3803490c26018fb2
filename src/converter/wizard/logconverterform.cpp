#include "logconverterform.h"

TLogConverterForm::TLogConverterForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("LogConverterForm"));
    setModal(true);
}
