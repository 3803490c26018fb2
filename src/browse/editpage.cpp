#include "editpage.h"

#include "qsolists.h"
#include "station.h"

#include "bandmode.h"
#include "compactqso.h"
#include "confirmations.h"
#include "cp1252.h"
#include "daluerror.h"
#include "datetickpicker.h"
#include "dok.h"
#include "dxcc.h"
#include "errorboundary.h"
#include "germanformat.h"
#include "keyboardaccess.h"
#include "languagetargets.h"
#include "locator.h"
#include "logfile.h"
#include "maskrules.h"
#include "programdir.h"
#include "qslcardfile.h"
#include "qsogridmodel.h"
#include "settingskeys.h"
#include "textform.h"
#include "textinput.h"
#include "uitexts.h"
#include "widgetfactory.h"

#include <QApplication>
#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimeEdit>

#include <utility>

namespace {

const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);

template <typename W> W* named(const char* name, QWidget* parent) {
    auto* widget = new W(parent);
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QLabel* caption(const char* name, const QString& text, QWidget* parent) {
    auto* label = named<QLabel>(name, parent);
    label->setText(text);
    return label;
}

void setCaptionRed(QLabel* label, bool red) {
    WidgetFactory::setColour(label, QPalette::WindowText,
                             red ? kRed : QApplication::palette().color(QPalette::WindowText));
}

QString fieldText(const TQsoRecord& record, QsoField field) {
    return fromCp1252(record[field]);
}

// The memo works with "\n"; a record keeps its line breaks as CR LF.
QString memoText(const TQsoRecord& record) {
    return fieldText(record, QsoField::Comments)
        .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// Dates and times the controls cannot hold make the QSO one that cannot be saved here:
// writing it back would replace them by whatever the pickers happen to show.
QString unreadableFields(const TQsoRecord& record, const QDateEdit* picker) {
    QStringList bad;
    auto checkDate = [&](QsoField field, const char* name, bool mayBeEmpty) {
        if (mayBeEmpty && record[field].isEmpty())
            return;
        const std::optional<QDate> date = GermanFormat::parseDate(record[field]);
        if (!date || *date < picker->minimumDate() || *date > picker->maximumDate())
            bad.append(
                QStringLiteral("%1 \"%2\"").arg(QLatin1String(name), fieldText(record, field)));
    };
    checkDate(QsoField::Date, "Date", false);
    if (!GermanFormat::parseTime(record[QsoField::Utc]))
        bad.append(QStringLiteral("UTC \"%1\"").arg(fieldText(record, QsoField::Utc)));
    checkDate(QsoField::QslOut, "QSL out", true);
    checkDate(QsoField::QslIn, "QSL in", true);
    return bad.join(QStringLiteral(", "));
}

// A record as the lists show it, for telling whether a list row still is that QSO.
QStringList shownCells(const TQsoRecord& record) {
    const TQsoRecord shown = CompactQso(record).shownInList().toRecord();
    QStringList cells;
    for (const QByteArray& field : shown.fields)
        cells.append(fromCp1252(field));
    return cells;
}

void setPicker(TDateTickPicker* picker, const QByteArray& value) {
    const auto date = GermanFormat::parseDate(value);
    picker->setChecked(date.has_value());
    picker->setDate(date.value_or(QDate::currentDate()));
}

} // namespace

TEditPage::TEditPage(Station& station, QsoLists& lists, Navigator& navigator, QWidget* parent)
    : QWidget(parent), m_station(station), m_lists(lists), m_navigator(navigator),
      m_textForm(new TTextForm(this)) {
    createControls();
    layoutControls();
    connectFields();
    eOkBtn->setEnabled(false);
}

void TEditPage::createControls() {
    eNumberLabel = named<QLabel>("eNumberLabel", this);
    eDatePicker = named<QDateEdit>("eDatePicker", this);
    eDatePicker->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    eDatePicker->setCalendarPopup(true);
    eUtcPicker = named<QTimeEdit>("eUtcPicker", this);
    eUtcPicker->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    eBandComboBox = named<QComboBox>("eBandComboBox", this);
    eBandComboBox->addItems(BandMode::bandTexts());
    eModeComboBox = named<QComboBox>("eModeComboBox", this);
    eModeComboBox->addItems(BandMode::modeTexts());
    for (QComboBox* combo : {eBandComboBox, eModeComboBox}) {
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
    }
    for (const auto& [edit, name] :
         {std::pair{&eCallEdit, "eCallEdit"}, std::pair{&eRstTxEdit, "eRstTxEdit"},
          std::pair{&eRstRxEdit, "eRstRxEdit"}, std::pair{&eDokEdit, "eDokEdit"},
          std::pair{&eNameEdit, "eNameEdit"}, std::pair{&eQthEdit, "eQthEdit"},
          std::pair{&eLocatorEdit, "eLocatorEdit"}, std::pair{&eTxPwrEdit, "eTxPwrEdit"}})
        *edit = named<QLineEdit>(name, this);
    eCommentsMemo = named<TCommentsMemo>("eCommentsMemo", this);
    eCommentsMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    eCommentsMemo->setTabChangesFocus(true); // Tab leaves, as in the entry mask
    eCommentsBtn = named<QPushButton>("eCommentsBtn", this);
    eCommentsBtn->setText(QStringLiteral("Texteditor"));
    eQslOutPicker = named<TDateTickPicker>("eQslOutPicker", this);
    eQslInPicker = named<TDateTickPicker>("eQslInPicker", this);

    bearingBox = named<QGroupBox>("GroupBox1", this);
    bearingBox->setTitle(QStringLiteral("Antennenrichtung/Entfernung"));
    dxccBox = named<QGroupBox>("GroupBox2", this);
    dxccBox->setTitle(QStringLiteral("DXCC"));
    clubBox = named<QGroupBox>("GroupBox3", this);
    clubBox->setTitle(uiText("Ortsverband/Distrikt"));
    eBearingLabel = named<QLabel>("eBearingLabel", bearingBox);
    eDistanceLabel = named<QLabel>("eDistanceLabel", bearingBox);
    eDxccLabel = named<QLabel>("eDxccLabel", dxccBox);
    eOvLabel = named<QLabel>("eOvLabel", clubBox);
    eDistriktLabel = named<QLabel>("eDistriktLabel", clubBox);
    eDistriktLabel->setCursor(Qt::PointingHandCursor);
    eDistriktLabel->installEventFilter(this);

    eStateLabel = named<QLabel>("eStateLabel", this);
    eStateLabel->setWordWrap(true);
    WidgetFactory::setColour(eStateLabel, QPalette::WindowText, kRed);
    eStateLabel->hide();
    eOkBtn = named<QPushButton>("eOkBtn", this);
    eOkBtn->setText(QStringLiteral("Daten &Speichern"));
    eQslInAddBtn = named<QPushButton>("eQslInAddBtn", this);
    eQslInAddBtn->setText(QStringLiteral("QSL umbenennen"));
    eConfirmLabel = named<QLabel>("eConfirmLabel", this);
    eQslInShowBtn = named<QPushButton>("eQslInShowBtn", this);
    eQslInShowBtn->setText(QStringLiteral("QSL anzeigen"));
    eQslInAddBtn->hide();
    eQslInShowBtn->hide();
}

void TEditPage::layoutControls() {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 8, 8, 8);
    grid->setVerticalSpacing(2);
    eBandLabel = caption("eBandLabel", QStringLiteral("Band"), this);
    eModeLabel = caption("eModeLabel", QStringLiteral("Mode"), this);
    eCallLabel = caption("eCallLabel", QStringLiteral("Call"), this);
    eRstTxLabel = caption("eRstTxLabel", QStringLiteral("RST TX"), this);
    eRstRxLabel = caption("eRstRxLabel", QStringLiteral("RST RX"), this);
    eLocatorLabel = caption("eLocatorLabel", QStringLiteral("Locator"), this);
    eTxPwrLabel = caption("eTxPwrLabel", QStringLiteral("TX Pwr"), this);
    // Caption above field, six to a row, as in the entry mask.
    const QList<QPair<QLabel*, QWidget*>> fields = {
        {caption("eNrLabel", QStringLiteral("#"), this), eNumberLabel},
        {caption("eDateLabel", QStringLiteral("Date"), this), eDatePicker},
        {caption("eUtcLabel", QStringLiteral("UTC"), this), eUtcPicker},
        {eBandLabel, eBandComboBox},
        {eModeLabel, eModeComboBox},
        {eTxPwrLabel, eTxPwrEdit},
        {eCallLabel, eCallEdit},
        {eRstTxLabel, eRstTxEdit},
        {eRstRxLabel, eRstRxEdit},
        {caption("eDokLabel", QStringLiteral("DOK"), this), eDokEdit},
        {eLocatorLabel, eLocatorEdit},
        {caption("eQthLabel", QStringLiteral("QTH"), this), eQthEdit},
        {caption("eNameLabel", QStringLiteral("Name"), this), eNameEdit},
        {caption("eQslOutLabel", QStringLiteral("QSL Out"), this), eQslOutPicker},
        {caption("eQslInLabel", QStringLiteral("QSL In"), this), eQslInPicker}};
    for (int i = 0; i < fields.size(); ++i) {
        grid->addWidget(fields[i].first, (i / 6) * 2, i % 6);
        grid->addWidget(fields[i].second, (i / 6) * 2 + 1, i % 6);
    }
    grid->addWidget(eConfirmLabel, 4, 3, 1, 3);
    grid->addWidget(eQslInAddBtn, 5, 4);
    grid->addWidget(eQslInShowBtn, 5, 5);
    grid->addWidget(caption("eCommentsLabel", QStringLiteral("Comments"), this), 6, 0);
    grid->addWidget(eCommentsBtn, 6, 5);
    grid->addWidget(eCommentsMemo, 7, 0, 1, 6);

    auto* bearing = new QGridLayout(bearingBox);
    bearing->addWidget(eBearingLabel, 0, 0);
    bearing->addWidget(eDistanceLabel, 1, 0);
    (new QVBoxLayout(dxccBox))->addWidget(eDxccLabel);
    auto* club = new QVBoxLayout(clubBox);
    club->addWidget(eOvLabel);
    club->addWidget(eDistriktLabel);
    auto* info = new QHBoxLayout;
    info->addWidget(bearingBox, 1);
    info->addWidget(dxccBox, 1);
    info->addWidget(clubBox, 2);
    grid->addLayout(info, 8, 0, 1, 6);
    grid->addWidget(eStateLabel, 9, 0, 1, 5);
    grid->addWidget(eOkBtn, 9, 5);
    grid->setRowStretch(7, 1);
    for (int col = 0; col < 6; ++col)
        grid->setColumnStretch(col, 1);
    QList<QWidget*> order;
    for (const auto& field : fields)
        order.append(field.second);
    order << eQslInAddBtn << eQslInShowBtn << eCommentsBtn << eCommentsMemo << eOkBtn;
    KeyboardAccess::setTabOrder(order);
}

void TEditPage::applyUiTexts() {
    clubBox->setTitle(uiText("Ortsverband/Distrikt"));
    if (isVisible())
        EditierenTSShow(); // a message on the page in the new language
}

void TEditPage::connectFields() {
    for (QLineEdit* edit : {eCallEdit, eRstTxEdit, eRstRxEdit, eDokEdit, eNameEdit, eQthEdit,
                            eLocatorEdit, eTxPwrEdit})
        connect(edit, &QLineEdit::textChanged, this, [this, edit] { eChange(edit); });
    for (QComboBox* combo : {eBandComboBox, eModeComboBox})
        connect(combo, &QComboBox::editTextChanged, this, [this, combo] { eChange(combo); });
    connect(eCommentsMemo, &QPlainTextEdit::textChanged, this, [this] { eChange(eCommentsMemo); });
    connect(eDatePicker, &QDateEdit::dateChanged, this, [this] { eChange(eDatePicker); });
    connect(eUtcPicker, &QTimeEdit::timeChanged, this, [this] { eChange(eUtcPicker); });
    for (TDateTickPicker* picker : {eQslOutPicker, eQslInPicker}) {
        connect(picker->checkBox(), &QCheckBox::toggled, this, [this, picker] { eChange(picker); });
        connect(picker->dateEdit(), &QDateEdit::dateChanged, this,
                [this, picker] { eChange(picker); });
    }
    for (QLineEdit* edit : {eCallEdit, eRstTxEdit, eRstRxEdit, eDokEdit, eLocatorEdit, eTxPwrEdit})
        edit->installEventFilter(this);
    for (QLineEdit* edit :
         {eCallEdit, eRstTxEdit, eRstRxEdit, eDokEdit, eNameEdit, eQthEdit, eLocatorEdit,
          eTxPwrEdit, eBandComboBox->lineEdit(), eModeComboBox->lineEdit()})
        TextInput::makeOneLine(edit);
    connect(eOkBtn, &QPushButton::clicked, this, &TEditPage::eOkBtnClick);
    connect(eCommentsBtn, &QPushButton::clicked, this, &TEditPage::eCommentsBtnClick);
    connect(eQslInAddBtn, &QPushButton::clicked, this,
            [this] { emit qslCardAddRequested(eQslInAddBtn->text(), eQslInFileName()); });
    connect(eQslInShowBtn, &QPushButton::clicked, this,
            [this] { emit qslCardShowRequested(eQslInFileName()); });
}

bool TEditPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == eDistriktLabel) {
        if (event->type() == QEvent::Enter || event->type() == QEvent::Leave) {
            const bool hover = event->type() == QEvent::Enter;
            QFont font = eDistriktLabel->font();
            font.setUnderline(hover);
            eDistriktLabel->setFont(font);
            WidgetFactory::setColour(eDistriktLabel, QPalette::WindowText,
                                     hover ? kBlue
                                           : QApplication::palette().color(QPalette::WindowText));
        } else if (event->type() == QEvent::MouseButtonRelease) {
            eDistriktLabelClick();
        }
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* edit = qobject_cast<QLineEdit*>(watched);
    const QString text = static_cast<QKeyEvent*>(event)->text();
    if (!edit || text.size() != 1 || !text.at(0).isPrint())
        return false; // editing and navigation keys pass
    const QChar c = text.at(0);
    if (edit == eTxPwrEdit) // eTxPwrEditKeyPress: digits and the decimal comma only
        return !(c.isDigit() && c.unicode() < 128) && c != QLatin1Char(',');
    if (c >= QLatin1Char('a') && c <= QLatin1Char('z')) { // eCallEditKeyPress
        edit->insert(c.toUpper());
        return true;
    }
    return false;
}

void TEditPage::reloadLists() {
    ErrorBoundary::run(this, [this] { m_station.reload(); });
}

void TEditPage::openQso(int position, const QStringList& expected) {
    // A position beyond the list: the log has grown behind it (an import into the open
    // log). Selecting it would leave another QSO current and open that one.
    if (position > m_lists.upper()->rowCount())
        reloadLists();
    m_expected = expected;
    m_lists.setCurrentQso(position);
    if (!isHidden()) // in front already: the page tabs hide the others
        EditierenTSShow();
    else
        m_navigator.showPage(Navigator::Page::Edit); // records the page history
}

// Yellow, the list under the mask shows reference-log matches, not the open log's rows.
void TEditPage::Liste2StringGridDblClick(int gridRow) {
    if (m_lists.referenceShown())
        return;
    m_returnMarker = Navigator::ReturnTo::List;
    openQso(gridRow);
}

void TEditPage::Liste2StringGridSelectCell(int gridRow) {
    if (!m_lists.referenceShown())
        m_lists.setCurrentQso(gridRow);
}

void TEditPage::EditierenTSShow() {
    m_position = 0;
    eOkBtn->setEnabled(false);
    eStateLabel->hide();
    TLogFile* log = m_station.log();
    if (!log)
        return;
    const int n = std::max(1, m_lists.currentQso());
    const QStringList expected = std::exchange(m_expected, {});
    const QsoGridModel* list = m_lists.upper();
    const QStringList listed =
        n <= list->rowCount() ? shownCells(list->record(n - 1)) : shownCells(TQsoRecord());
    // The QSO as the file holds it now: a file another program changed is read first.
    if (!ErrorBoundary::run(this, [&] { m_station.refreshIfChanged(); }))
        return;
    const bool found = n <= m_station.qsoCount();
    const TQsoRecord record = found ? m_station.qsos().at(n - 1).toRecord() : TQsoRecord();
    const bool stale =
        found && (shownCells(record) != listed || (!expected.isEmpty() && expected != listed));
    if (stale) // the log changed behind the lists: never edit another QSO than the one chosen
        reloadLists();
    fillControls(record);
    // Shown on the page rather than in a box: browsing the pages of an empty log is no error.
    QString problem;
    if (!found)
        problem = uiText("Das Log \"%1\" enth\u00e4lt kein QSO %2 zum Bearbeiten.")
                      .arg(QFileInfo(log->FileName()).fileName())
                      .arg(n);
    else if (stale)
        problem = uiText("Das Log hat sich ge\u00e4ndert, seit die Listen gef\u00fcllt wurden; "
                         "sie sind neu gef\u00fcllt. Bitte das QSO erneut w\u00e4hlen.");
    else if (const QString bad = unreadableFields(record, eDatePicker); !bad.isEmpty())
        problem = uiText("QSO %1 kann hier nicht gespeichert werden: %2 ist nicht lesbar oder "
                         "liegt au\u00dferhalb des Kalenders (dd.mm.yyyy, hh:nn:ss). Die "
                         "Reparatur des LogConverters berichtigt solche Felder.")
                      .arg(n)
                      .arg(bad);
    if (!problem.isEmpty()) {
        eStateLabel->setText(problem);
        eStateLabel->show();
        return;
    }
    m_position = n;
    eOkBtn->setEnabled(true);
}

void TEditPage::fillControls(const TQsoRecord& record) {
    {
        // Each dependent label is worked out once below, so that a locator that cannot be
        // used is reported once per QSO shown.
        const QSignalBlocker blocks[] = {
            QSignalBlocker(eBandComboBox), QSignalBlocker(eModeComboBox),
            QSignalBlocker(eCallEdit),     QSignalBlocker(eRstTxEdit),
            QSignalBlocker(eRstRxEdit),    QSignalBlocker(eDokEdit),
            QSignalBlocker(eNameEdit),     QSignalBlocker(eQthEdit),
            QSignalBlocker(eLocatorEdit),  QSignalBlocker(eTxPwrEdit),
            QSignalBlocker(eCommentsMemo)};
        eNumberLabel->setText(fieldText(record, QsoField::Number));
        eBandComboBox->setEditText(fieldText(record, QsoField::Band));
        eModeComboBox->setEditText(fieldText(record, QsoField::Mode));
        eCallEdit->setText(fieldText(record, QsoField::Call));
        eRstTxEdit->setText(fieldText(record, QsoField::RstTx));
        eRstRxEdit->setText(fieldText(record, QsoField::RstRx));
        eDokEdit->setText(fieldText(record, QsoField::Dok));
        eNameEdit->setText(fieldText(record, QsoField::Name));
        eQthEdit->setText(fieldText(record, QsoField::Qth));
        eLocatorEdit->setText(fieldText(record, QsoField::Locator));
        eTxPwrEdit->setText(fieldText(record, QsoField::TxPwr));
        eCommentsMemo->setPlainText(memoText(record));
    }
    eDatePicker->setDate(
        GermanFormat::parseDate(record[QsoField::Date]).value_or(QDate::currentDate()));
    eUtcPicker->setTime(GermanFormat::parseTime(record[QsoField::Utc]).value_or(QTime(0, 0)));
    setPicker(eQslOutPicker, record[QsoField::QslOut]);
    setPicker(eQslInPicker, record[QsoField::QslIn]);
    showConfirmations(record);
    m_loaded = record;
    m_shown = controlTexts();
    for (QObject* field : {static_cast<QObject*>(eCallEdit), static_cast<QObject*>(eDokEdit),
                           static_cast<QObject*>(eLocatorEdit), static_cast<QObject*>(eTxPwrEdit)})
        eChange(field);
}

// The QSO's LoTW and eQSL entries; an unreadable file of them says so in their place.
void TEditPage::showConfirmations(const TQsoRecord& record) {
    QString text;
    try {
        if (m_station.hasLog())
            text = ConfirmFile::describe(
                ConfirmFile::load(ConfirmFile::pathFor(m_station.log()->FileName())),
                record[QsoField::Date], record[QsoField::Utc], record[QsoField::Call]);
    } catch (const DaluError& e) {
        text = e.message();
    }
    eConfirmLabel->setText(text);
}

void TEditPage::eChange(QObject* sender) {
    updateCaptionColours();
    if (sender == eCallEdit)
        eDxccLabel->setText(CallToDxcc(eCallEdit->text()));
    else if (sender == eDokEdit)
        updateDok();
    else if (sender == eLocatorEdit)
        updateDistanceBearing();
    else if (sender == eTxPwrEdit)
        updateTxPwr();
    refreshQslButtons();
}

void TEditPage::updateCaptionColours() {
    for (const auto& [label, text] :
         {std::pair{eBandLabel, eBandComboBox->currentText()},
          std::pair{eModeLabel, eModeComboBox->currentText()},
          std::pair{eCallLabel, eCallEdit->text()}, std::pair{eRstTxLabel, eRstTxEdit->text()},
          std::pair{eRstRxLabel, eRstRxEdit->text()}})
        setCaptionRed(label, text.size() < 2);
    const QString locator = eLocatorEdit->text();
    setCaptionRed(eLocatorLabel, !locator.isEmpty() && locator.size() != 6);
    const QString power = eTxPwrEdit->text();
    setCaptionRed(eTxPwrLabel, !power.contains(QLatin1Char('W')) || power.size() < 2);
}

void TEditPage::updateDok() {
    const QString dok = eDokEdit->text();
    if (dok.size() < 3) {
        eOvLabel->clear();
        eDistriktLabel->clear();
        return;
    }
    eOvLabel->setText(DokToOv(dok));
    // An unlisted DOK leaves the district of the one before, as in the entry mask.
    if (!eOvLabel->text().isEmpty())
        eDistriktLabel->setText(DokToDistrikt(dok));
}

void TEditPage::updateDistanceBearing() {
    eBearingLabel->clear();
    eDistanceLabel->clear();
    if (eLocatorEdit->text().size() != 6)
        return;
    const QString own = SettingsKeys::read(m_station.settings(), SettingsKeys::EigenerLocator);
    if (own.isEmpty()) {
        eBearingLabel->setText(uiText("eigener Locator fehlt"));
        eDistanceLabel->setText(uiText("eigener Locator fehlt"));
        return;
    }
    ErrorBoundary::run(this, [&] {
        QString bearing;
        QString distance;
        LocDistanceBearing(own, eLocatorEdit->text(), m_station.msg(Msg::InvalidLocator), bearing,
                           distance);
        eBearingLabel->setText(bearing);
        eDistanceLabel->setText(distance);
    });
}

void TEditPage::updateTxPwr() {
    const QString power = eTxPwrEdit->text();
    if (power.isEmpty() || power.endsWith(QLatin1Char('W')))
        return;
    const int caret = eTxPwrEdit->cursorPosition();
    eTxPwrEdit->setText(power + QLatin1Char('W'));
    eTxPwrEdit->setCursorPosition(caret);
}

QString TEditPage::eQslInFileName() const {
    return QslCardFile::eQslInFileName(
        QslCardFile::folder(SettingsKeys::read(m_station.settings(), SettingsKeys::QslPath),
                            programDirectory()),
        eCallEdit->text(), eDatePicker->date(), eUtcPicker->time());
}

QDate TEditPage::qslInDate() const {
    return eQslInPicker->isChecked() ? eQslInPicker->date() : QDate();
}

void TEditPage::setQslInDate(const QDate& day) {
    eQslInPicker->setChecked(day.isValid());
    if (day.isValid())
        eQslInPicker->setDate(day);
}

void TEditPage::refreshQslButtons() {
    eQslInAddBtn->setVisible(eQslInPicker->isChecked());
    eQslInShowBtn->setVisible(QFileInfo::exists(eQslInFileName()));
}

void TEditPage::eDistriktLabelClick() {
    if (eDistriktLabel->text().isEmpty())
        return;
    WidgetFactory::openWebAddress(this, DokToWebsite(eDokEdit->text()));
}

std::array<QString, kQsoFieldCount> TEditPage::controlTexts() const {
    return {eNumberLabel->text(),
            QString::fromLatin1(GermanFormat::formatDate(eDatePicker->date())),
            QString::fromLatin1(GermanFormat::formatTime(eUtcPicker->time())),
            eBandComboBox->currentText(),
            eModeComboBox->currentText(),
            eCallEdit->text(),
            eRstTxEdit->text(),
            eRstRxEdit->text(),
            eDokEdit->text(),
            eNameEdit->text(),
            eQthEdit->text(),
            eLocatorEdit->text(),
            eTxPwrEdit->text(),
            eCommentsMemo->toPlainText(),
            eQslOutPicker->dateText(),
            eQslInPicker->dateText()};
}

TQsoRecord TEditPage::recordFromControls() const {
    // A field the operator did not touch is written back as it was read: the controls
    // show some bytes differently (a no-break space, a lone line break).
    const std::array<QString, kQsoFieldCount> texts = controlTexts();
    TQsoRecord r;
    for (int i = 0; i < kQsoFieldCount; ++i) {
        if (texts[i] == m_shown[i])
            r.fields[i] = m_loaded.fields[i];
        else if (i == int(QsoField::Comments))
            r.fields[i] = toCp1252(texts[i]).replace("\n", "\r\n");
        else
            r.fields[i] = toCp1252(texts[i]);
    }
    return r;
}

void TEditPage::eOkBtnClick() {
    if (!m_station.log() || m_position < 1)
        return;
    // Written back where it was read: a "#" that no longer matches the position (a log not
    // yet repaired) must not overwrite another QSO.
    const int position = m_position;
    const bool saved =
        ErrorBoundary::run(this, [&] { m_station.replaceQso(position, recordFromControls()); });
    if (!saved)
        return;
    m_lists.setCurrentQso(position);
    emit qsoSaved(position);
    showReturnPage();
}

void TEditPage::showReturnPage() {
    Navigator::Page page = Navigator::Page::List;
    if (m_returnMarker == Navigator::ReturnTo::Evaluations)
        page = Navigator::Page::Evaluations;
    else if (m_returnMarker == Navigator::ReturnTo::Search)
        page = Navigator::Page::Search;
    m_returnMarker = Navigator::ReturnTo::List;
    m_navigator.showPage(page);
}

void TEditPage::eCommentsBtnClick() {
    m_textForm->setText(eCommentsMemo->toPlainText());
    m_textForm->exec();
    eCommentsMemo->setPlainText(MaskRules::storableText(m_textForm->text(), false));
}
