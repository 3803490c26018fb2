#include "textform.h"

TTextForm::TTextForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TextForm"));
    setModal(true);
}
