#include "qslinshowform.h"

TQslInShowForm::TQslInShowForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("QslInShowForm"));
    setModal(true);
}
