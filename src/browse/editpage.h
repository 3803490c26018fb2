#pragma once

#include <QWidget>

class TMainForm;

// Page "Editieren".
class TEditPage : public QWidget {
    Q_OBJECT
public:
    explicit TEditPage(TMainForm& mainForm, QWidget* parent = nullptr);

private:
    TMainForm& m_mainForm;
};
