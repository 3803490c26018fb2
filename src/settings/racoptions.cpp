#include "racoptions.h"

#include "callbookaccess.h"
#include "errorboundary.h"
#include "languagetargets.h"
#include "meminifile.h"
#include "programdir.h"
#include "settingskeys.h"
#include "station.h"
#include "uitexts.h"
#include "widgetfactory.h"
#include "wizardfiledialog.h"

#include <QCheckBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QCheckBox* checkBox(const char* name, const QString& caption, QWidget* parent) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QLatin1String(name));
    return box;
}

} // namespace

TRacOptions::TRacOptions(Station& station, QWidget* page)
    : QObject(page), m_station(station), m_page(page) {
    QLabel* pathLabel = WidgetFactory::label(
        "Label14", QStringLiteral("Position der Callbook-Datenbank (f\u00fcr libraccd32a.so)"),
        page);
    CallBookEdit = new QLineEdit(page);
    CallBookEdit->setObjectName(QStringLiteral("CallBookEdit"));
    CallBookBtn = new QToolButton(page);
    CallBookBtn->setObjectName(QStringLiteral("CallBookBtn"));
    CallBookBtn->setText(QStringLiteral("..."));
    auto* takeOverBox =
        new QGroupBox(QStringLiteral("Daten, die \u00fcbernommen werden sollen:"), page);
    takeOverBox->setObjectName(QStringLiteral("GroupBox4"));
    NameCallBookChkBox =
        checkBox("NameCallBookChkBox", QStringLiteral("Name (--> Name)"), takeOverBox);
    AdresseCallBookChkBox =
        checkBox("AdresseCallBookChkBox", QStringLiteral("Adresse (--> Comments)"), takeOverBox);
    LicenceCallBookChkBox = checkBox("LicenceCallBookChkBox",
                                     QStringLiteral("Lizenz-Klasse (--> Comments)"), takeOverBox);
    CommentCallBookChkBox =
        checkBox("CommentCallBookChkBox", QStringLiteral("Kommentar (--> Comments)"), takeOverBox);
    FaxNrCallBookChkBox =
        checkBox("FaxNrCallBookChkBox", QStringLiteral("Fax-Nummer (--> Comments)"), takeOverBox);
    EmailCallBookChkBox =
        checkBox("EmailCallBookChkBox", QStringLiteral("e-Mail (--> Comments)"), takeOverBox);
    CallBookStateLabel = WidgetFactory::label("CallBookStateLabel", QString(), page);
    CallBookStateLabel->setWordWrap(true);
    CallBookStateLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(CallBookEdit, 1);
    pathRow->addWidget(CallBookBtn);
    auto* boxLayout = new QVBoxLayout(takeOverBox);
    for (QCheckBox* box : boxes()) {
        boxLayout->addWidget(box);
        connect(box, &QCheckBox::toggled, this, &TRacOptions::NameCallBookChkBoxClick);
    }
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(pathLabel);
    layout->addLayout(pathRow);
    layout->addWidget(takeOverBox);
    layout->addWidget(CallBookStateLabel);
    layout->addStretch(1);
    connect(CallBookEdit, &QLineEdit::textChanged, this, &TRacOptions::CallBookEditChange);
    connect(CallBookBtn, &QToolButton::clicked, this, &TRacOptions::CallBookBtnClick);
    // The state is worded when the page is shown, in the language then chosen.
    page->installEventFilter(this);
}

QList<QCheckBox*> TRacOptions::boxes() const {
    return {NameCallBookChkBox,    AdresseCallBookChkBox, LicenceCallBookChkBox,
            CommentCallBookChkBox, FaxNrCallBookChkBox,   EmailCallBookChkBox};
}

void TRacOptions::load() {
    const TMemIniFile& ini = m_station.settings();
    {
        const QSignalBlocker block(CallBookEdit);
        CallBookEdit->setText(SettingsKeys::read(ini, SettingsKeys::RacFileName));
    }
    const QList<QCheckBox*> all = boxes();
    for (int i = 0; i < all.size(); ++i)
        all[i]->setChecked(
            SettingsKeys::read(ini, SettingsKeys::racData(SettingsKeys::kRacDataKeys[i])));
}

CallBookInfo::TakeOver TRacOptions::takeOver() const {
    return {NameCallBookChkBox->isChecked(),    AdresseCallBookChkBox->isChecked(),
            LicenceCallBookChkBox->isChecked(), CommentCallBookChkBox->isChecked(),
            FaxNrCallBookChkBox->isChecked(),   EmailCallBookChkBox->isChecked()};
}

void TRacOptions::CallBookEditChange() {
    SettingsKeys::write(m_station.settings(), SettingsKeys::RacFileName, CallBookEdit->text());
    ErrorBoundary::run(m_page->window(), [this] { m_station.settings().UpdateFile(); });
    showState();
}

void TRacOptions::CallBookBtnClick() {
    FileChoice choice;
    choice.title = m_station.msg(Msg::CallBookDialogTitle);
    // The delivered sample callbook has no Callbook.exe: its database file stands for it.
    choice.filter = QStringLiteral("Callbook|Callbook.exe;callbook.txt");
    choice.directory = CallBookEdit->text().isEmpty()
                           ? programDirectory() + QStringLiteral("callbook/")
                           : CallBookEdit->text();
    choice.mustExist = true;
    const QString chosen = WizardFileDialog::choose(m_page->window(), choice);
    if (!chosen.isEmpty())
        CallBookEdit->setText(QDir::toNativeSeparators(chosen));
}

void TRacOptions::NameCallBookChkBoxClick() {
    if (!m_station.initialised())
        return;
    const QList<QCheckBox*> all = boxes();
    for (int i = 0; i < all.size(); ++i)
        SettingsKeys::write(m_station.settings(),
                            SettingsKeys::racData(SettingsKeys::kRacDataKeys[i]),
                            all[i]->isChecked());
    ErrorBoundary::run(m_page->window(), [this] { m_station.settings().UpdateFile(); });
}

bool TRacOptions::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_page && event->type() == QEvent::Show)
        showState();
    return QObject::eventFilter(watched, event);
}

void TRacOptions::showState() {
    const TCallBook* book = m_station.callBook();
    QString state;
    if (book && book->isAvailable())
        state = uiText("Callbook geladen: %1, Version %2")
                    .arg(QDir::toNativeSeparators(book->libraryFileName()))
                    .arg(book->GetCallBookVersion());
    else if (book)
        state = book->problem();
    else
        state = uiText("Kein Callbook geladen.");
    const QString configured = SettingsKeys::read(m_station.settings(), SettingsKeys::RacFileName);
    if (configured != m_station.callBookFileName())
        state += QLatin1Char('\n') + uiText("Die ge\u00e4nderte Position gilt ab dem n\u00e4chsten "
                                            "Start von Dalu.");
    CallBookStateLabel->setText(state);
}
