#include "firststartdialog.h"

#include "meminifile.h"
#include "settingskeys.h"
#include "textinput.h"
#include "uitexts.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFirstStartDialog::TFirstStartDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FirstStartDialog"));
    setWindowTitle(uiText("Willkommen bei Dalu"));
    auto* intro = new QLabel(uiText("Richtung und Entfernung werden vom eigenen Locator aus "
                                    "berechnet. Beides l\u00e4sst sich sp\u00e4ter unter "
                                    "Optionen / Allgemein \u00e4ndern."),
                             this);
    intro->setWordWrap(true);
    m_call = new QLineEdit(this);
    m_call->setObjectName(QStringLiteral("FirstCallEdit"));
    m_locator = new QLineEdit(this);
    m_locator->setObjectName(QStringLiteral("FirstLocatorEdit"));
    m_locator->setMaxLength(6);
    for (QLineEdit* edit : {m_call, m_locator})
        TextInput::makeOneLine(edit);
    auto* form = new QFormLayout;
    form->addRow(uiText("Eigenes &Call:"), m_call);
    form->addRow(uiText("Eigener &Locator:"), m_locator);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("OkButton"));
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    QPushButton* later = buttons->addButton(uiText("&Sp\u00e4ter"), QDialogButtonBox::RejectRole);
    later->setObjectName(QStringLiteral("LaterButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(form);
    layout->addWidget(buttons);
    setMinimumWidth(360);
}

bool TFirstStartDialog::ask(TMemIniFile& settings, QWidget* parent) {
    TFirstStartDialog dialog(parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const QString call = dialog.m_call->text().trimmed().toUpper();
    const QString locator = dialog.m_locator->text().trimmed().toUpper();
    if (!call.isEmpty())
        SettingsKeys::write(settings, SettingsKeys::EigenesCall, call);
    if (!locator.isEmpty())
        SettingsKeys::write(settings, SettingsKeys::EigenerLocator, locator);
    return !call.isEmpty() || !locator.isEmpty();
}
