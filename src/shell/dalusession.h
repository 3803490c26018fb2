#pragma once

#include <memory>

class TClockForm;
class TDoppeltForm;
class THotKeyForm;
class TInfoForm;
class TLogConverterForm;
class TMainForm;
class TQslInShowForm;
class TTextForm;

// The program's windows, created in start-up order and destroyed with the clock first,
// so that it can still save its position in the station's settings.
class DaluSession {
public:
    DaluSession();
    ~DaluSession();

    // The program's start: shows the main window, and lets standard input drive it when
    // asked to.
    void showMainWindow();

    TMainForm* mainForm() const { return m_mainForm.get(); }
    TTextForm* textForm() const;
    THotKeyForm* hotKeyForm() const { return m_hotKeyForm.get(); }
    TDoppeltForm* doppeltForm() const { return m_doppeltForm.get(); }
    TLogConverterForm* logConverterForm() const { return m_logConverterForm.get(); }
    TClockForm* clockForm() const { return m_clockForm.get(); }
    TInfoForm* infoForm() const { return m_infoForm.get(); }
    TQslInShowForm* qslInShowForm() const { return m_qslInShowForm.get(); }

private:
    std::unique_ptr<TMainForm> m_mainForm;
    std::unique_ptr<THotKeyForm> m_hotKeyForm;
    std::unique_ptr<TDoppeltForm> m_doppeltForm;
    std::unique_ptr<TLogConverterForm> m_logConverterForm;
    std::unique_ptr<TClockForm> m_clockForm;
    std::unique_ptr<TInfoForm> m_infoForm;
    std::unique_ptr<TQslInShowForm> m_qslInShowForm;
};
