#include "entrypage.h"

#include "cp1252.h"
#include "qsolists.h"
#include "station.h"

#include "bandmode.h"
#include "datetickpicker.h"
#include "functionkeys.h"
#include "keyboardaccess.h"
#include "keycaptionrow.h"
#include "languagetargets.h"
#include "maskrules.h"
#include "meminifile.h"
#include "qsogrid.h"
#include "settingskeys.h"
#include "textinput.h"
#include "uitexts.h"
#include "widgetfactory.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTimeEdit>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QColor kCaptionGreen(0, 128, 0);
const QColor kCaptionRed(255, 0, 0);
const QColor kFieldRed(255, 0, 0);

QLineEdit* namedEdit(const char* name, int tag, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setProperty("Tag", tag);
    return edit;
}

// A value shown as a label and changed through its pop-up editor.
QLabel* valueLabel(const char* name, const QString& text, QWidget* parent) {
    QLabel* label = WidgetFactory::label(name, text, parent);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setMinimumWidth(72);
    label->setAlignment(Qt::AlignCenter);
    label->setCursor(Qt::PointingHandCursor);
    return label;
}

QLabel* infoValue(const char* name, QWidget* parent) {
    QLabel* label = WidgetFactory::label(name, QString(), parent);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

} // namespace

TEntryPage::TEntryPage(Station& station, QsoLists& lists, QWidget* parent)
    : QWidget(parent), m_station(station), m_lists(lists) {
    createMask();
    createEditors();
    for (QLineEdit* edit :
         {CallEdit, RstTxEdit, RstRxEdit, DokEdit, LocatorEdit, QthEdit, NameEdit, TxPwrEdit})
        TextInput::makeOneLine(edit);

    Liste2StringGrid = new QsoGrid(lists.lower(), this);
    Liste2StringGrid->setObjectName(QStringLiteral("Liste2StringGrid"));
    Liste2StringGrid->setUserResizableColumns(false);
    // Tab reads the mask row by row (Return keeps its own order through the fields).
    KeyboardAccess::setTabOrder({CallEdit, RstTxEdit, RstRxEdit, DokEdit, LocatorEdit, CommentsMemo,
                                 QthEdit, NameEdit, QslOutPicker, QslInPicker, Liste2StringGrid});

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(EingabePanel);
    layout->addWidget(Liste2StringGrid, 1);

    AutoDateTimeTimer = new QTimer(this);
    AutoDateTimeTimer->setObjectName(QStringLiteral("AutoDateTimeTimer"));
    AutoDateTimeTimer->setInterval(500);
    // Started with the settings by ClearMask.
    connect(AutoDateTimeTimer, &QTimer::timeout, this, &TEntryPage::AutoDateTimeTimerTimer);
    connect(&station, &Station::logChanged, this, &TEntryPage::followLog);
}

void TEntryPage::followLog(const LogChange& change) {
    NumberLabel->setText(QString::number(m_station.nextNumber()));
    // A log read on request (opened, reloaded) sets band, mode and power as its last QSO.
    if (change.kind != LogChange::Kind::Reloaded || m_station.qsos().isEmpty())
        return;
    const CompactQso& last = m_station.qsos().last();
    auto carry = [&](QsoField f, QLabel* label) {
        const QByteArrayView value = last.field(static_cast<int>(f));
        if (!value.isEmpty())
            label->setText(fromCp1252(value));
    };
    carry(QsoField::Band, BandLabel);
    carry(QsoField::Mode, ModeLabel);
    carry(QsoField::TxPwr, TxPwrLabel);
    proposeReports();
}

void TEntryPage::createMask() {
    EingabePanel = new QWidget(this);
    EingabePanel->setObjectName(QStringLiteral("EingabePanel"));
    keyCaptions = new TKeyCaptionRow(EingabePanel);
    connect(keyCaptions, &TKeyCaptionRow::BClick, this, &TEntryPage::BClick);
    ShortCutLabel = WidgetFactory::label(
        "ShortCutLabel",
        QStringLiteral(
            "[RT] = n\u00e4chstes Feld bzw. eintragen    [ESC] = Eingabemaske l\u00f6schen"
            "    [Ctrl] + [L] zur Liste unten springen"),
        EingabePanel);
    CallbookLabel = WidgetFactory::label(
        "CallbookLabel", QStringLiteral("Im Callbook suchen ([Strg]+[B]ook)"), EingabePanel);
    CallbookLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    NumberLabel = WidgetFactory::label("NumberLabel", QStringLiteral("1"), EingabePanel);
    NumberLabel->setMinimumWidth(48);
    NumberLabel->setAlignment(Qt::AlignCenter);
    DateLabel = valueLabel("DateLabel", QString(), EingabePanel);
    UtcLabel = valueLabel("UtcLabel", QString(), EingabePanel);
    BandLabel = valueLabel("BandLabel", QStringLiteral("2m"), EingabePanel);
    ModeLabel = valueLabel("ModeLabel", QStringLiteral("FM"), EingabePanel);
    TxPwrLabel = valueLabel("TxPwrLabel", QStringLiteral("10W"), EingabePanel);

    CallEdit = namedEdit("CallEdit", 0, EingabePanel);
    RstTxEdit = namedEdit("RstTxEdit", 2, EingabePanel);
    RstRxEdit = namedEdit("RstRxEdit", 3, EingabePanel);
    DokEdit = namedEdit("DokEdit", 4, EingabePanel);
    LocatorEdit = namedEdit("LocatorEdit", 5, EingabePanel);
    LocatorEdit->setMaxLength(6);
    QthEdit = namedEdit("QthEdit", 6, EingabePanel);
    NameEdit = namedEdit("NameEdit", 7, EingabePanel);
    CommentsMemo = new TCommentsMemo(EingabePanel);
    CommentsMemo->setObjectName(QStringLiteral("CommentsMemo"));
    CommentsMemo->setProperty("Tag", 8);
    CommentsMemo->setTabChangesFocus(true);
    CommentsMemo->setFixedHeight(3 * CommentsMemo->fontMetrics().lineSpacing() + 12);
    QslOutPicker = new TDateTickPicker(EingabePanel);
    QslOutPicker->setObjectName(QStringLiteral("QslOutPicker"));
    QslOutPicker->setProperty("Tag", 9);
    QslInPicker = new TDateTickPicker(EingabePanel);
    QslInPicker->setObjectName(QStringLiteral("QslInPicker"));
    QslInPicker->setProperty("Tag", 10);

    CallLabel = WidgetFactory::label("CallLabel", QStringLiteral("Call"), EingabePanel);
    RstTxLabel = WidgetFactory::label("RstTxLabel", QStringLiteral("RST (+Nr) TX"), EingabePanel);
    RstRxLabel = WidgetFactory::label("RstRxLabel", QStringLiteral("RST (+Nr) RX"), EingabePanel);
    DokLabel = WidgetFactory::label("DokLabel", QStringLiteral("DOK"), EingabePanel);
    LocatorLabel = WidgetFactory::label("LocatorLabel", QStringLiteral("Locator"), EingabePanel);
    QthLabel = WidgetFactory::label("QthLabel", QStringLiteral("QTH"), EingabePanel);
    NameLabel = WidgetFactory::label("NameLabel", QStringLiteral("Name"), EingabePanel);
    CommentsLabel =
        WidgetFactory::label("CommentsLabel", QStringLiteral("Bemerkungen"), EingabePanel);
    QslOutLabel = WidgetFactory::label("QslOutLabel", QStringLiteral("QSL out"), EingabePanel);
    QslInLabel = WidgetFactory::label("QslInLabel", QStringLiteral("QSL in"), EingabePanel);

    DxccLabel = WidgetFactory::label("DxccLabel", QStringLiteral("DXCC:"), EingabePanel);
    DxccValueLabel = infoValue("DxccValueLabel", EingabePanel);
    OvLabel = WidgetFactory::label("OvLabel", QStringLiteral("OV:"), EingabePanel);
    OvValueLabel = infoValue("OvValueLabel", EingabePanel);
    DistriktLabel =
        WidgetFactory::label("DistriktLabel", QStringLiteral("Distrikt:"), EingabePanel);
    DistriktValueLabel = infoValue("DistriktValueLabel", EingabePanel);
    BearingLabel = WidgetFactory::label("BearingLabel", QStringLiteral("Richtung:"), EingabePanel);
    BearingValueLabel = infoValue("BearingValueLabel", EingabePanel);
    DistanceLabel =
        WidgetFactory::label("DistanceLabel", QStringLiteral("Entfernung:"), EingabePanel);
    DistanceValueLabel = infoValue("DistanceValueLabel", EingabePanel);

    for (QLabel* caption : {CallLabel, RstTxLabel, RstRxLabel, DokLabel, LocatorLabel, QthLabel,
                            NameLabel, CommentsLabel, QslOutLabel, QslInLabel})
        setCaptionColour(caption, false);

    auto* grid = new QGridLayout(EingabePanel);
    grid->setContentsMargins(6, keyCaptions->height() + 6, 6, 4);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(2);
    layoutMask(grid);

    for (QWidget* field : {static_cast<QWidget*>(CallEdit), static_cast<QWidget*>(RstTxEdit),
                           static_cast<QWidget*>(RstRxEdit), static_cast<QWidget*>(DokEdit),
                           static_cast<QWidget*>(LocatorEdit), static_cast<QWidget*>(QthEdit),
                           static_cast<QWidget*>(NameEdit), static_cast<QWidget*>(CommentsMemo)})
        field->installEventFilter(this);
    for (TDateTickPicker* picker : {QslOutPicker, QslInPicker}) {
        picker->checkBox()->installEventFilter(this);
        picker->dateEdit()->installEventFilter(this);
    }
    for (QLabel* label : {DateLabel, UtcLabel, BandLabel, ModeLabel, TxPwrLabel, ShortCutLabel})
        label->installEventFilter(this);
    for (QLineEdit* checked : {CallEdit, RstTxEdit, RstRxEdit})
        connect(checked, &QLineEdit::textChanged, this,
                [this, checked] { clearRedWhenValid(checked); });
    connect(CallEdit, &QLineEdit::textChanged, this, &TEntryPage::CallEditChange);
    connect(DokEdit, &QLineEdit::textChanged, this, &TEntryPage::DokEditChange);
    connect(LocatorEdit, &QLineEdit::textChanged, this, &TEntryPage::LocatorEditChange);
    for (QLabel* link : {DistriktValueLabel, CallbookLabel}) {
        link->setCursor(Qt::PointingHandCursor);
        setLinkLook(link, false);
        link->setAttribute(Qt::WA_Hover);
        link->installEventFilter(this);
    }
}

void TEntryPage::layoutMask(QGridLayout* grid) {
    grid->addWidget(ShortCutLabel, 0, 0, 1, 6);
    grid->addWidget(CallbookLabel, 0, 6, 1, 2);
    const QList<QPair<const char*, QLabel*>> values = {
        {"#", NumberLabel},  {"Datum", DateLabel}, {"UTC", UtcLabel},
        {"Band", BandLabel}, {"Mode", ModeLabel},  {"Leistung", TxPwrLabel}};
    for (int i = 0; i < values.size(); ++i) {
        auto* title = new QLabel(QString::fromUtf8(values[i].first), EingabePanel);
        title->setObjectName(values[i].second->objectName() + QStringLiteral("Title"));
        title->setAlignment(Qt::AlignCenter);
        m_titles.append({title, values[i].first});
        grid->addWidget(title, 1, i);
        grid->addWidget(values[i].second, 2, i);
    }
    const QList<QPair<QLabel*, QWidget*>> row1 = {{CallLabel, CallEdit},
                                                  {RstTxLabel, RstTxEdit},
                                                  {RstRxLabel, RstRxEdit},
                                                  {DokLabel, DokEdit},
                                                  {LocatorLabel, LocatorEdit}};
    const QList<QPair<QLabel*, QWidget*>> row2 = {{QthLabel, QthEdit},
                                                  {NameLabel, NameEdit},
                                                  {QslOutLabel, QslOutPicker},
                                                  {QslInLabel, QslInPicker}};
    for (int i = 0; i < row1.size(); ++i) {
        grid->addWidget(row1[i].first, 3, i);
        grid->addWidget(row1[i].second, 4, i);
    }
    for (int i = 0; i < row2.size(); ++i) {
        grid->addWidget(row2[i].first, 5, i);
        grid->addWidget(row2[i].second, 6, i);
    }
    grid->addWidget(CommentsLabel, 3, 5, 1, 3);
    grid->addWidget(CommentsMemo, 4, 5, 3, 3);

    auto* info = new QGridLayout;
    info->setHorizontalSpacing(6);
    info->addWidget(DxccLabel, 0, 0);
    info->addWidget(DxccValueLabel, 0, 1);
    info->addWidget(OvLabel, 0, 2);
    info->addWidget(OvValueLabel, 0, 3);
    info->addWidget(DistriktLabel, 0, 4);
    info->addWidget(DistriktValueLabel, 0, 5);
    info->addWidget(BearingLabel, 0, 6);
    info->addWidget(BearingValueLabel, 0, 7);
    info->addWidget(DistanceLabel, 0, 8);
    info->addWidget(DistanceValueLabel, 0, 9);
    info->setColumnStretch(1, 2);
    info->setColumnStretch(3, 2);
    info->setColumnStretch(5, 1);
    grid->addLayout(info, 7, 0, 1, 8);
    for (int col = 0; col < 8; ++col)
        grid->setColumnStretch(col, 1);
}

void TEntryPage::createEditors() {
    DatePicker = new QDateEdit(EingabePanel);
    DatePicker->setObjectName(QStringLiteral("DatePicker"));
    DatePicker->setDisplayFormat(QStringLiteral("dddd, dd. MMMM yyyy"));
    DatePicker->setLocale(QLocale(QLocale::German, QLocale::Germany));
    DatePicker->setCalendarPopup(true);
    UtcPicker = new QTimeEdit(EingabePanel);
    UtcPicker->setObjectName(QStringLiteral("UtcPicker"));
    UtcPicker->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    BandListBox = new QListWidget(EingabePanel);
    BandListBox->setObjectName(QStringLiteral("BandListBox"));
    BandListBox->addItems(BandMode::bandTexts());
    BandListBox->addItem(QStringLiteral("..."));
    ModeListBox = new QListWidget(EingabePanel);
    ModeListBox->setObjectName(QStringLiteral("ModeListBox"));
    ModeListBox->addItems(BandMode::modeTexts());
    ModeListBox->addItem(QStringLiteral("..."));
    TxPwrEdit = new QLineEdit(EingabePanel);
    TxPwrEdit->setObjectName(QStringLiteral("TxPwrEdit"));
    TxPwrEdit->setProperty("Tag", 0);
    for (QWidget* editor : {static_cast<QWidget*>(DatePicker), static_cast<QWidget*>(UtcPicker),
                            static_cast<QWidget*>(BandListBox), static_cast<QWidget*>(ModeListBox),
                            static_cast<QWidget*>(TxPwrEdit)}) {
        editor->hide();
        editor->installEventFilter(this);
    }
    BandListBox->viewport()->installEventFilter(this);
    ModeListBox->viewport()->installEventFilter(this);
    connect(TxPwrEdit, &QLineEdit::textChanged, this, &TEntryPage::TxPwrEditChange);
}

void TEntryPage::applyShowAtStartUp() {
    for (const char* letter = SettingsKeys::kOptionalFieldLetters; *letter; ++letter)
        setFieldShown(*letter, SettingsKeys::read(m_station.settings(),
                                                  SettingsKeys::showAtStartUp(*letter)));
}

void TEntryPage::setFieldShown(char letter, bool shown) {
    QList<QWidget*> widgets;
    switch (letter) {
    case 'e':
        widgets = {DokEdit, DokLabel, OvLabel, OvValueLabel, DistriktLabel, DistriktValueLabel};
        break;
    case 'f':
        widgets = {LocatorEdit,  LocatorLabel,       DistanceLabel,
                   BearingLabel, DistanceValueLabel, BearingValueLabel};
        break;
    case 'h':
        widgets = {QthEdit, QthLabel};
        break;
    case 'i':
        widgets = {NameEdit, NameLabel};
        break;
    case 'j':
        widgets = {CommentsMemo, CommentsLabel};
        break;
    case 'k':
        widgets = {QslOutPicker, QslOutLabel};
        break;
    case 'l':
        widgets = {QslInPicker, QslInLabel};
        break;
    default:
        return;
    }
    for (QWidget* w : widgets)
        w->setVisible(shown);
}

bool TEntryPage::isFieldShown(char letter) const {
    switch (letter) {
    case 'e':
        return !DokEdit->isHidden();
    case 'f':
        return !LocatorEdit->isHidden();
    case 'h':
        return !QthEdit->isHidden();
    case 'i':
        return !NameEdit->isHidden();
    case 'j':
        return !CommentsMemo->isHidden();
    case 'k':
        return !QslOutPicker->isHidden();
    case 'l':
        return !QslInPicker->isHidden();
    default:
        return true;
    }
}

void TEntryPage::setUtcOffsetHours(int hours) {
    m_utcOffsetHours = hours;
    if (AutoDateTimeTimer->isActive())
        AutoDateTimeTimerTimer();
}

void TEntryPage::AutoDateTimeTimerTimer() {
    const bool automatic = SettingsKeys::read(m_station.settings(), SettingsKeys::UtcDiffAuto);
    const QDateTime t =
        MaskRules::maskUtc(QDateTime::currentDateTime(), automatic, m_utcOffsetHours);
    DateLabel->setText(t.toString(QStringLiteral("dd.MM.yyyy")));
    UtcLabel->setText(t.toString(QStringLiteral("HH:mm:ss")));
}

void TEntryPage::setSerialText(const QString& serialText) {
    m_serialText = serialText;
    if (serialText.isEmpty()) {
        RstTxLabel->setText(uiText("RST (+Nr) TX"));
        RstRxLabel->setText(uiText("RST (+Nr) RX"));
    } else {
        RstTxLabel->setText(QStringLiteral("RST + ") + serialText + QStringLiteral(" TX"));
        RstRxLabel->setText(uiText("RST + Nr RX"));
    }
}

void TEntryPage::applyUiTexts() {
    for (const auto& [title, german] : std::as_const(m_titles))
        title->setText(uiText(german));
    CommentsLabel->setText(uiText("Bemerkungen"));
    OvLabel->setText(uiText("OV:"));
    DistriktLabel->setText(uiText("Distrikt:"));
    setSerialText(m_serialText);
}

bool TEntryPage::isRed(const QWidget* field) const {
    return field->property("red").toBool();
}

void TEntryPage::setRed(QWidget* field, bool red) {
    field->setProperty("red", red);
    // A label (the band) paints a background only when asked to.
    const bool label = qobject_cast<QLabel*>(field) != nullptr;
    const QPalette::ColorRole role = label ? QPalette::Window : QPalette::Base;
    if (label)
        field->setAutoFillBackground(red);
    WidgetFactory::setColour(field, role, red ? kFieldRed : palette().color(role));
}

void TEntryPage::setCallRed(bool red) {
    setRed(CallEdit, red);
}

void TEntryPage::setBandRed(bool red) {
    setRed(BandLabel, red);
}

bool TEntryPage::isBandRed() const {
    return isRed(BandLabel);
}

void TEntryPage::followRig(const RigFollow::Labels& labels) {
    if (!labels.band.isEmpty())
        BandLabel->setText(labels.band);
    if (labels.bandUnknown || !labels.band.isEmpty())
        setRed(BandLabel, labels.bandUnknown);
    if (!labels.mode.isEmpty()) {
        ModeLabel->setText(labels.mode);
        proposeReports();
    }
    if (!labels.power.isEmpty())
        TxPwrLabel->setText(labels.power);
}

void TEntryPage::setCaptionColour(QLabel* caption, bool editing) {
    if (!caption)
        return;
    WidgetFactory::setColour(caption, QPalette::WindowText, editing ? kCaptionRed : kCaptionGreen);
}

void TEntryPage::clearRedWhenValid(QLineEdit* field) {
    // A call or report corrected in place: a commit must not be refused for the old text.
    if (isRed(field) && field->text().size() >= 2)
        setRed(field, false);
}

bool TEntryPage::leaveQuietly() const {
    return CallEdit->property("Tag").toInt() == 1;
}

void TEntryPage::setLeaveQuietly(bool quiet) {
    CallEdit->setProperty("Tag", quiet ? 1 : 0);
}

void TEntryPage::NewButtonCaption() {
    const TMemIniFile& ini = m_station.settings();
    for (int k = 1; k <= FunctionKeys::kKeyCount; ++k) {
        const QString letters = SettingsKeys::readButtons(ini, k);
        keyCaptions->setCaption(k, FunctionKeys::caption(k, letters),
                                FunctionKeys::hint(k, letters, m_station.msg(Msg::HintBefore),
                                                   m_station.msg(Msg::HintAfter),
                                                   m_station.msg(Msg::ListAnd)));
    }
}
