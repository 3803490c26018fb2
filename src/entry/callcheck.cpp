#include "callcheck.h"

#include "qsolists.h"

#include "cp1252.h"
#include "doppeltform.h"
#include "entrypage.h"
#include "errorboundary.h"
#include "logfile.h"
#include "meminifile.h"
#include "qsogrid.h"
#include "qsogridmodel.h"
#include "settingskeys.h"
#include "station.h"
#include "widgetfactory.h"

#include <QApplication>

namespace {

const QColor kWhite(255, 255, 255);
const QColor kYellow(255, 255, 0);

} // namespace

TCallCheck::TCallCheck(Station& station, QsoLists& lists, TEntryPage& mask, QsoGrid& lowerGrid)
    : QObject(&mask), m_station(station), m_lists(lists), m_mask(mask), m_lowerGrid(lowerGrid) {
    setObjectName(QStringLiteral("CallCheck"));
    connect(&mask, &TEntryPage::callChanged, this, &TCallCheck::CallEditChange);
    connect(&mask, &TEntryPage::callLeft, this, &TCallCheck::CallEditExit);
    connect(&mask, &TEntryPage::dokChanged, this, &TCallCheck::DokEditChange);
    connect(&mask, &TEntryPage::locatorChanged, this, &TCallCheck::LocatorEditChange);
    connect(&lowerGrid, &QsoGrid::rowActivated, this, &TCallCheck::Liste2StringGridDblClick);
    // Yellow: the list under the mask shows reference-log matches.
    connect(&lists, &QsoLists::referenceShownChanged, this, [this](bool shown) {
        WidgetFactory::setColour(&m_lowerGrid, QPalette::Base, shown ? kYellow : kWhite);
        if (!shown)
            m_table.clear();
    });
}

void TCallCheck::setCriteria(const DuplicateCheck::Criteria& criteria) {
    m_criteria = criteria;
}

bool TCallCheck::isReferenceState() const {
    return m_lists.referenceShown();
}

void TCallCheck::setDoppeltForm(TDoppeltForm* form) {
    m_doppeltForm = form;
}

TDoppeltForm* TCallCheck::doppeltForm() {
    if (!m_doppeltForm)
        m_doppeltForm = new TDoppeltForm(m_mask.window());
    return m_doppeltForm;
}

void TCallCheck::CallEditExit() {
    // The field loses the focus also when the window does: to a message box, another
    // program, or the window closing. That is no leaving of the field.
    if (QApplication::activeWindow() != m_mask.window())
        return;
    const QString call = m_mask.callText();
    if (call.size() < 2)
        m_mask.setCallRed(true);
    if (call.isEmpty())
        return;
    const DuplicateCheck::MaskQso shown{call, m_mask.band(), m_mask.mode(),
                                        m_mask.text(QsoField::Date)};
    const QsoGridModel* list = m_lists.upper();
    const int row = DuplicateCheck::firstDuplicateIn(m_criteria, shown, list->rows());
    if (row == 0)
        return;
    QStringList fields;
    for (int col = 0; col < kQsoFieldCount; ++col)
        fields.append(list->cell(row - 1, col));
    switch (doppeltForm()->ask(fields)) {
    case TDoppeltForm::Discard:
        m_mask.ClearMask();
        break;
    case TDoppeltForm::Correct:
        m_mask.focusCall();
        break;
    default:
        break;
    }
}

void TCallCheck::CallEditChange(const QString& call) {
    if (!isReferenceState()) {
        if (!call.isEmpty() &&
            SettingsKeys::read(m_station.settings(), SettingsKeys::Luxusfunktion)) {
            BuildRefListe();
        }
    } else if (call.isEmpty()) {
        leaveReferenceState();
    } else {
        ChangeRefListe();
    }
}

void TCallCheck::leaveReferenceState() {
    m_lists.endReference();
}

QString TCallCheck::openLogPath() const {
    return m_station.log() ? m_station.log()->FileName() : QString();
}

QStringList TCallCheck::referencePaths() const {
    QStringList paths;
    for (int n = 1; n <= 4; ++n)
        paths.append(SettingsKeys::read(m_station.settings(), SettingsKeys::referenceLog(n)));
    return paths;
}

void TCallCheck::BuildRefListe() {
    // A log that cannot be read is reported once for this call; the rows read before it
    // are still offered rather than asking again at every keystroke.
    ErrorBoundary::run(m_mask.window(), [this] { m_table.build(openLogPath(), referencePaths()); });
    ChangeRefListe();
}

void TCallCheck::ChangeRefListe() {
    m_lists.showReference(m_table.filter(m_mask.callText(), m_mask.text(QsoField::Dok),
                                         m_mask.text(QsoField::Locator)));
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
    const QsoGridModel* list = m_lists.lower();
    auto cell = [&](QsoField f) { return list->cell(gridRow - 1, static_cast<int>(f)); };
    // Writing the call refilters the list: read every value of the chosen row first.
    const QString call = cell(QsoField::Call);
    const QString dok = cell(QsoField::Dok);
    const QString name = cell(QsoField::Name);
    const QString qth = cell(QsoField::Qth);
    const QString locator = cell(QsoField::Locator);
    m_mask.setText(QsoField::Call, call);
    m_mask.setText(QsoField::Dok, dok);
    m_mask.setText(QsoField::Name, name);
    m_mask.setText(QsoField::Qth, qth);
    m_mask.setText(QsoField::Locator, locator);
    m_mask.focusCall();
}

void TCallCheck::StandartfunktionReferenzLogs() {
    ErrorBoundary::run(m_mask.window(), [&] {
        const std::optional<TQsoRecord> found =
            ReferenceLogs::findStation(openLogPath(), referencePaths(), m_mask.callText());
        if (!found)
            return;
        const TQsoRecord& qso = *found;
        for (QsoField f : {QsoField::Dok, QsoField::Name, QsoField::Qth, QsoField::Locator})
            m_mask.setText(f, fromCp1252(qso[f]));
    });
}
