#include "statusbaroptions.h"

#include "qsolists.h"
#include "referencelogoptions.h"
#include "station.h"

#include "datetimeformat.h"
#include "errorboundary.h"
#include "logfile.h"
#include "meminifile.h"
#include "qsogridmodel.h"
#include "settingskeys.h"
#include "uitexts.h"
#include "widgetfactory.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTimer>
#include <QVBoxLayout>

TStatusBarOptions::TStatusBarOptions(Station& station, const QsoLists& lists,
                                     const TReferenceLogOptions& referenceLogs, QWidget* page)
    : QObject(page), m_station(station), m_lists(lists), m_referenceLogs(referenceLogs) {
    templateLabel = WidgetFactory::label("StatusBarLabel", QString(), page);
    StatusBarEdit = new QLineEdit(page);
    StatusBarEdit->setObjectName(QStringLiteral("StatusBarEdit"));
    StatusBarEdit->setMaxLength(SettingsKeys::StatusBarText.maxLength);
    StatusBarMemo = new QPlainTextEdit(page);
    StatusBarMemo->setObjectName(QStringLiteral("StatusBarMemo"));
    StatusBarMemo->setReadOnly(true);
    StatusBarMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    // The descriptions stand in a column: blanks must be as wide as letters.
    StatusBarMemo->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    StatusBarMemo->viewport()->installEventFilter(this);
    StatusBarTimer = new QTimer(this);
    StatusBarTimer->setObjectName(QStringLiteral("StatusBarTimer"));
    StatusBarTimer->setInterval(5000);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(templateLabel);
    layout->addWidget(StatusBarEdit);
    layout->addWidget(StatusBarMemo, 1);
    applyLanguage();
    connect(StatusBarEdit, &QLineEdit::textChanged, this, &TStatusBarOptions::StatusBarEditChange);
    connect(StatusBarTimer, &QTimer::timeout, this, &TStatusBarOptions::StatusBarTimerTimer);
    // The lists were told first (they were connected before this page existed), so the
    // count and the last call are those of the change.
    connect(&station, &Station::logChanged, this, &TStatusBarOptions::refresh);
    connect(&station, &Station::logSwitched, this, &TStatusBarOptions::refresh);
    connect(&lists, &QsoLists::referenceShownChanged, this, &TStatusBarOptions::refresh);
}

void TStatusBarOptions::applyLanguage() {
    templateLabel->setText(uiText("Text der StatusBar "));
    StatusBarMemo->setPlainText(StatusBarTemplate::helpLines().join(QLatin1Char('\n')));
}

void TStatusBarOptions::load() {
    StatusBarEdit->setText(SettingsKeys::read(m_station.settings(), SettingsKeys::StatusBarText));
    StatusBarEditChange(); // an empty template fires no change, but sets the timer all the same
}

void TStatusBarOptions::StatusBarEditChange() {
    if (StatusBarEdit->text().isEmpty())
        StatusBarTimer->stop();
    else if (!StatusBarTimer->isActive())
        StatusBarTimer->start();
    // Loading shows the stored value: writing it back would change nothing.
    if (!m_station.initialised())
        return;
    SettingsKeys::write(m_station.settings(), SettingsKeys::StatusBarText, StatusBarEdit->text());
    ErrorBoundary::run(StatusBarEdit->window(), [this] { m_station.settings().UpdateFile(); });
}

StatusBarTemplate::Values TStatusBarOptions::currentValues() const {
    StatusBarTemplate::Values v;
    const QDateTime now = QDateTime::currentDateTime();
    v.longDate = DateTimeFormat::longDate(now.date());
    v.shortDate = DateTimeFormat::shortDate(now.date());
    v.time = now.time().toString(QStringLiteral("HH:mm"));
    v.tickCount = StatusBarTemplate::tickCount();
    const bool refHits = m_lists.referenceShown();
    if (const TLogFile* log = m_station.log()) {
        const QsoGridModel* list = m_lists.upper();
        const int count = list->rowCount();
        v.openLog = StatusBarTemplate::OpenLogValues{
            QString::number(count), list->cell(count - 1, static_cast<int>(QsoField::Call)),
            QFileInfo(log->FileName()).fileName(),
            refHits ? QStringLiteral("Ref-Logs") : QStringLiteral("Log")};
    }
    v.refCount = QString::number(refHits ? m_lists.lower()->rowCount() : 0);
    for (int i = 0; i < TReferenceLogOptions::kLogCount; ++i)
        v.refLogs[i] = m_referenceLogs.logPath(i);
    v.racVersion = m_station.callBookVersion();
    return v;
}

void TStatusBarOptions::StatusBarTimerTimer() {
    emit statusTextChanged(StatusBarTemplate::expand(StatusBarEdit->text(), currentValues()));
}

void TStatusBarOptions::refresh() {
    if (!StatusBarEdit->text().isEmpty())
        StatusBarTimerTimer();
}

void TStatusBarOptions::StatusBarMemoDblClick(const QPoint& viewportPos) {
    const QTextCursor at = StatusBarMemo->cursorForPosition(viewportPos);
    const QString word = StatusBarTemplate::tokenAt(at.block().text(), at.positionInBlock());
    if (word.isEmpty())
        return;
    const StatusBarTemplate::Insertion ins = StatusBarTemplate::insertToken(
        StatusBarEdit->text(), StatusBarEdit->cursorPosition(), word);
    StatusBarEdit->setText(ins.text);
    StatusBarEdit->setFocus(Qt::OtherFocusReason);
    StatusBarEdit->setCursorPosition(ins.caret);
}

bool TStatusBarOptions::eventFilter(QObject* watched, QEvent* event) {
    if (watched == StatusBarMemo->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        StatusBarMemoDblClick(static_cast<QMouseEvent*>(event)->position().toPoint());
        return true;
    }
    return QObject::eventFilter(watched, event);
}
