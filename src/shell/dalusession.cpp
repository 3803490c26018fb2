#include "dalusession.h"

#include "callcheck.h"
#include "clockform.h"
#include "clockoptions.h"
#include "doppeltform.h"
#include "editpage.h"
#include "entrypage.h"
#include "errorboundary.h"
#include "generaloptions.h"
#include "hotkeyform.h"
#include "infoform.h"
#include "logconverterform.h"
#include "mainform.h"
#include "optionspage.h"
#include "qslcardbuttons.h"
#include "qslinshowform.h"
#include "station.h"
#include "stationtexts.h"
#include "stdindriver.h"
#include "textform.h"

#include <QTimer>

DaluSession::DaluSession() {
    m_mainForm = std::make_unique<TMainForm>();
    TMainForm* main = m_mainForm.get();
    m_hotKeyForm = std::make_unique<THotKeyForm>(main);
    m_doppeltForm = std::make_unique<TDoppeltForm>(main);
    m_logConverterForm = std::make_unique<TLogConverterForm>(main->station(), main);
    m_clockForm = std::make_unique<TClockForm>(main->station());
    m_infoForm = std::make_unique<TInfoForm>(main->station().texts(), main);
    m_qslInShowForm = std::make_unique<TQslInShowForm>(main);
    // Owned by the viewer it shows cards in.
    main->connectQslCardButtons(*new TQslCardButtons(main->station(), *m_qslInShowForm));

    main->callCheck->setDoppeltForm(m_doppeltForm.get());
    main->registerWindow(QStringLiteral("TTextForm"), textForm());
    main->registerWindow(QStringLiteral("THotKeyForm"), m_hotKeyForm.get());
    main->registerWindow(QStringLiteral("TDoppeltForm"), m_doppeltForm.get());
    main->registerWindow(QStringLiteral("TLogConverterForm"), m_logConverterForm.get());
    main->registerWindow(QStringLiteral("TInfoForm"), m_infoForm.get());
    QObject::connect(main, &TMainForm::infoRequested, m_infoForm.get(), &QDialog::exec);
    QObject::connect(main, &TMainForm::converterRequested, m_logConverterForm.get(),
                     &QDialog::exec);
    QObject::connect(main, &TMainForm::shortcutsRequested, m_hotKeyForm.get(),
                     &THotKeyForm::showShortcuts);
    QObject::connect(main->optionsPage->clockOptions, &TClockOptions::clockShownChanged,
                     m_clockForm.get(), &TClockForm::setClockShown);
    QObject::connect(main->optionsPage->generalOptions, &TGeneralOptions::utcOffsetChanged,
                     m_clockForm.get(), &TClockForm::setUtcOffsetHours);
    m_clockForm->setUtcOffsetHours(main->entryPage->utcOffsetHours());

    ErrorBoundary::run(main, [main] { main->LoadLanguage(); });
}

TTextForm* DaluSession::textForm() const {
    return &m_mainForm->editPage->commentEditor();
}

void DaluSession::showMainWindow() {
    m_mainForm->show();
    // Once the window is up, so that the dialog stands over it.
    QTimer::singleShot(0, m_mainForm.get(), &TMainForm::askOwnStationOnFirstStart);
    StdinDriver::attachIfAsked(*m_mainForm, *m_mainForm->entryPage, m_mainForm->navigator());
}

DaluSession::~DaluSession() {
    m_clockForm.reset();
    // The dialogs are children of the main window: release them before it goes.
    m_qslInShowForm.reset();
    m_infoForm.reset();
    m_logConverterForm.reset();
    m_doppeltForm.reset();
    m_hotKeyForm.reset();
    m_mainForm.reset();
}
