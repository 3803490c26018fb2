#include "datetickpicker.h"

#include "germanformat.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QFocusEvent>
#include <QHBoxLayout>

TDateTickPicker::TDateTickPicker(QWidget* parent) : QWidget(parent) {
    m_check = new QCheckBox(this);
    m_date = new QDateEdit(QDate::currentDate(), this);
    m_date->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    m_date->setCalendarPopup(true);
    m_date->setEnabled(false);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_check);
    layout->addWidget(m_date, 1);
    connect(m_check, &QCheckBox::toggled, m_date, &QWidget::setEnabled);
}

// Focus given to the picker goes to its tick box. Not a focus proxy: a proxied picker would
// be a Tab stop of its own wherever it was created, whatever the page's Tab order.
void TDateTickPicker::focusInEvent(QFocusEvent* event) {
    m_check->setFocus(event->reason());
}

bool TDateTickPicker::isChecked() const {
    return m_check->isChecked();
}

void TDateTickPicker::setChecked(bool checked) {
    m_check->setChecked(checked);
}

QDate TDateTickPicker::date() const {
    return m_date->date();
}

void TDateTickPicker::setDate(QDate date) {
    m_date->setDate(date);
}

QString TDateTickPicker::dateText() const {
    return isChecked() ? QString::fromLatin1(GermanFormat::formatDate(date())) : QString();
}
