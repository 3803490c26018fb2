#pragma once

#include <QDate>
#include <QWidget>

class QCheckBox;
class QDateEdit;

// A date with a tick box: unticked means "no date".
class TDateTickPicker : public QWidget {
    Q_OBJECT
public:
    explicit TDateTickPicker(QWidget* parent = nullptr);

    bool isChecked() const;
    void setChecked(bool checked);
    QDate date() const;
    void setDate(QDate date);
    // Ticked: the date as "dd.mm.yyyy"; unticked: empty.
    QString dateText() const;

    QCheckBox* checkBox() const { return m_check; }
    QDateEdit* dateEdit() const { return m_date; }

protected:
    void focusInEvent(QFocusEvent* event) override;

private:
    QCheckBox* m_check;
    QDateEdit* m_date;
};
