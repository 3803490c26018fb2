#pragma once

#include <QWidget>

class TMainForm;

// Page "Suche".
class TSearchPage : public QWidget {
    Q_OBJECT
public:
    explicit TSearchPage(TMainForm& mainForm, QWidget* parent = nullptr);

private:
    TMainForm& m_mainForm;
};
