#include "callcheck.h"

#include "qsolists.h"

#include "cp1252.h"
#include "doppeltform.h"
#include "entrypage.h"
#include "errorboundary.h"
#include "logfile.h"
#include "mainform.h"
#include "meminifile.h"
#include "qsogrid.h"
#include "qsogridmodel.h"
#include "settingskeys.h"
#include "widgetfactory.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>

namespace {

const QColor kWhite(255, 255, 255);
const QColor kYellow(255, 255, 0);

} // namespace

TCallCheck::TCallCheck(TMainForm& mainForm) : QObject(&mainForm), m_mainForm(mainForm) {
    setObjectName(QStringLiteral("CallCheck"));
    TEntryPage* mask = mainForm.entryPage;
    connect(mask, &TEntryPage::callChanged, this, &TCallCheck::CallEditChange);
    connect(mask, &TEntryPage::callLeft, this, &TCallCheck::CallEditExit);
    connect(mask->DokEdit, &QLineEdit::textChanged, this, &TCallCheck::DokEditChange);
    connect(mask->LocatorEdit, &QLineEdit::textChanged, this, &TCallCheck::LocatorEditChange);
    connect(mainForm.Liste2StringGrid, &QsoGrid::rowActivated, this,
            &TCallCheck::Liste2StringGridDblClick);
    // Yellow: the list under the mask shows reference-log matches.
    connect(&mainForm.lists(), &QsoLists::referenceShownChanged, this, [this](bool shown) {
        WidgetFactory::setColour(m_mainForm.Liste2StringGrid, QPalette::Base,
                                 shown ? kYellow : kWhite);
        if (!shown)
            m_table.clear();
    });
}

void TCallCheck::setCriteria(const DuplicateCheck::Criteria& criteria) {
    m_criteria = criteria;
}

bool TCallCheck::isReferenceState() const {
    return m_mainForm.lists().referenceShown();
}

TDoppeltForm* TCallCheck::doppeltForm() {
    // The session creates the window beside the main window; a main window on its own gets
    // one of its own.
    if (!m_doppeltForm)
        m_doppeltForm = m_mainForm.findChild<TDoppeltForm*>(QStringLiteral("DoppeltForm"));
    if (!m_doppeltForm)
        m_doppeltForm = new TDoppeltForm(&m_mainForm);
    return m_doppeltForm;
}

void TCallCheck::CallEditExit() {
    // The field loses the focus also when the window does: to a message box, another
    // program, or the window closing. That is no leaving of the field.
    if (QApplication::activeWindow() != &m_mainForm)
        return;
    TEntryPage* mask = m_mainForm.entryPage;
    const QString call = mask->CallEdit->text();
    if (call.size() < 2)
        mask->setRed(mask->CallEdit, true);
    if (call.isEmpty())
        return;
    const DuplicateCheck::MaskQso shown{call, mask->BandLabel->text(), mask->ModeLabel->text(),
                                        mask->DateLabel->text()};
    const QsoGridModel* list = m_mainForm.listeModel;
    const int row = DuplicateCheck::firstDuplicate(
        m_criteria, shown, list->rowCount() + 1,
        [list](int r, QsoField f) { return list->cell(r - 1, static_cast<int>(f)); });
    if (row == 0)
        return;
    QStringList fields;
    for (int col = 0; col < kQsoFieldCount; ++col)
        fields.append(list->cell(row - 1, col));
    switch (doppeltForm()->ask(fields)) {
    case TDoppeltForm::Discard:
        mask->ClearMask();
        break;
    case TDoppeltForm::Correct:
        mask->CallEdit->setFocus(Qt::OtherFocusReason);
        break;
    default:
        break;
    }
}

void TCallCheck::CallEditChange(const QString& call) {
    if (!isReferenceState()) {
        if (!call.isEmpty() &&
            SettingsKeys::read(m_mainForm.settings(), SettingsKeys::Luxusfunktion)) {
            BuildRefListe();
        }
    } else if (call.isEmpty()) {
        leaveReferenceState();
    } else {
        ChangeRefListe();
    }
}

void TCallCheck::leaveReferenceState() {
    m_mainForm.lists().endReference();
}

QString TCallCheck::openLogPath() const {
    return m_mainForm.openLog() ? m_mainForm.openLog()->FileName() : QString();
}

QStringList TCallCheck::referencePaths() const {
    QStringList paths;
    for (int n = 1; n <= 4; ++n)
        paths.append(SettingsKeys::read(m_mainForm.settings(), SettingsKeys::referenceLog(n)));
    return paths;
}

void TCallCheck::BuildRefListe() {
    // A log that cannot be read is reported once for this call; the rows read before it
    // are still offered rather than asking again at every keystroke.
    ErrorBoundary::run(&m_mainForm, [this] { m_table.build(openLogPath(), referencePaths()); });
    ChangeRefListe();
}

void TCallCheck::ChangeRefListe() {
    const TEntryPage* mask = m_mainForm.entryPage;
    m_mainForm.lists().showReference(
        m_table.filter(mask->CallEdit->text(), mask->DokEdit->text(), mask->LocatorEdit->text()));
}

void TCallCheck::DokEditChange() {
    if (isReferenceState())
        ChangeRefListe();
}

void TCallCheck::LocatorEditChange() {
    if (isReferenceState())
        ChangeRefListe();
}

void TCallCheck::Liste2StringGridDblClick(int gridRow) {
    if (!isReferenceState())
        return;
    const QsoGridModel* list = m_mainForm.liste2Model;
    auto cell = [&](QsoField f) { return list->cell(gridRow - 1, static_cast<int>(f)); };
    // Writing the call refilters the list: read every value of the chosen row first.
    const QString call = cell(QsoField::Call);
    const QString dok = cell(QsoField::Dok);
    const QString name = cell(QsoField::Name);
    const QString qth = cell(QsoField::Qth);
    const QString locator = cell(QsoField::Locator);
    TEntryPage* mask = m_mainForm.entryPage;
    mask->CallEdit->setText(call);
    mask->DokEdit->setText(dok);
    mask->NameEdit->setText(name);
    mask->QthEdit->setText(qth);
    mask->LocatorEdit->setText(locator);
    mask->CallEdit->setFocus(Qt::OtherFocusReason);
}

void TCallCheck::StandartfunktionReferenzLogs() {
    TEntryPage* mask = m_mainForm.entryPage;
    ErrorBoundary::run(&m_mainForm, [&] {
        const std::optional<TQsoRecord> found =
            ReferenceLogs::findStation(openLogPath(), referencePaths(), mask->CallEdit->text());
        if (!found)
            return;
        const TQsoRecord& qso = *found;
        mask->DokEdit->setText(fromCp1252(qso[QsoField::Dok]));
        mask->NameEdit->setText(fromCp1252(qso[QsoField::Name]));
        mask->QthEdit->setText(fromCp1252(qso[QsoField::Qth]));
        mask->LocatorEdit->setText(fromCp1252(qso[QsoField::Locator]));
    });
}
