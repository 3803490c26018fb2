#pragma once

#include <QWidget>

class TMemIniFile;

// The analogue clock window; it keeps its position in the settings.
class TClockForm : public QWidget {
    Q_OBJECT
public:
    explicit TClockForm(TMemIniFile& settings, QWidget* parent = nullptr);
    ~TClockForm() override; // saves the position, at once

private:
    TMemIniFile& m_settings;
};
