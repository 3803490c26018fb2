#include "busyprogress.h"

#include "uitexts.h"

#include <QApplication>
#include <QProgressDialog>

namespace {
constexpr int kSteps = 1000;
}

BusyProgress::BusyProgress(QWidget* parent)
    : m_parent(parent), m_pulse([this](qint64 done, qint64 total) { beat(done, total); }) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_clock.start();
}

BusyProgress::~BusyProgress() {
    m_dialog.reset();
    QApplication::restoreOverrideCursor();
}

void BusyProgress::beat(qint64 done, qint64 total) {
    const qint64 now = m_clock.elapsed();
    if (m_inEvents || now - m_lastEvents < kEventsMs)
        return;
    m_inEvents = true;
    if (!m_dialog && now >= kDialogMs) {
        // No cancel button: a read runs to its end, and what it fills stays whole.
        m_dialog = std::make_unique<QProgressDialog>(uiText("Das Log wird gelesen \u2026"),
                                                     QString(), 0, kSteps, m_parent);
        m_dialog->setObjectName(QStringLiteral("ReadProgressDialog"));
        m_dialog->setWindowTitle(QStringLiteral("Dalu"));
        m_dialog->setWindowModality(Qt::NonModal); // a modal one would take clicks in setValue
        m_dialog->setMinimumDuration(0);
        m_dialog->show();
    }
    if (m_dialog)
        m_dialog->setValue(total > 0 ? int(done * kSteps / total) : 0);
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    m_lastEvents = m_clock.elapsed();
    m_inEvents = false;
}
