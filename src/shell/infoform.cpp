#include "infoform.h"

#include "stationtexts.h"
#include "widgetfactory.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

namespace {

QWidget* blackPanel(const char* name, QWidget* parent) {
    auto* panel = new QWidget(parent);
    panel->setObjectName(QLatin1String(name));
    panel->setAutoFillBackground(true);
    WidgetFactory::setColour(panel, QPalette::Window, Qt::black);
    return panel;
}

} // namespace

QString TInfoForm::module(const char* name, const char* version, const char* month) const {
    return m_texts.text("%1  Version %2  (Entwicklungsbeginn %3 2004)")
        .arg(QLatin1String(name), QLatin1String(version), m_texts.text(month));
}

QString TInfoForm::infoText() const {
    const QStringList lines = {
        QStringLiteral(" ____    _    _    _   _ "),
        QStringLiteral("|  _ \\  / \\  | |  | | | |"),
        QStringLiteral("| | | |/ _ \\ | |  | | | |"),
        QStringLiteral("| |_| / ___ \\| |__| |_| |"),
        QStringLiteral("|____/_/   \\_\\_____\\___/ "),
        QString(),
        QStringLiteral("Dalu 0.5"),
        m_texts.text("Logbuch f\u00fcr Funkamateure"),
        m_texts.text("Entwicklungsbeginn: September 2004"),
        QString(),
        QStringLiteral("1;05.06.2004;17:31:00;2m;FM;QX1ABC;59;59;Z10;Erika;Kiel;JO54AH;10W;;;"),
        QString(),
        m_texts.text("Module"),
        module("CallBookAccess", "1.0", "Dezember"),
        module("LogCoverter", "1.0", "November"),
        module("LogFileAccess", "1.1", "September"),
        QString(),
        QStringLiteral("2;05.06.2004;17:45:00;20m;SSB;QX2XYZ;57;59;;Hans;Wien;JN88EF;100W;;;"),
        QString(),
        m_texts.text("Sprachdateien"),
        m_texts.text("%1  Version 0.1 vom 19.12.2004").arg(QStringLiteral("deutsch.lng")),
        m_texts.text("%1  Version 0.1 vom 19.12.2004").arg(QStringLiteral("english.lng")),
        QString(),
        m_texts.text("Daten"),
        m_texts.text("DOK-Liste  Stand 11.10.2004"),
        m_texts.text("DXCC-Liste  Stand 13.10.04"),
        QString(),
        QStringLiteral("3;06.06.2004;08:12:00;40m;CW;QX3DEF;599;579;A01;Jo;Konstanz;JN47NQ;5W;;;"),
        QString(),
        m_texts.text("Dank an alle, die getestet, gemeldet und geholfen haben,"),
        m_texts.text("und an alle Funkamateure f\u00fcr viele sch\u00f6ne QSOs."),
        QString(),
        m_texts.text("Dalu ist Freeware: kostenlos zu benutzen und weiterzugeben."),
        QStringLiteral("https://dalu.example.org/"),
        QString(),
        QStringLiteral("73!"),
    };
    QString text = lines.join(QLatin1Char('\n'));
    for (int i = 0; i < 12; ++i)
        text += QLatin1Char('\n');
    return text + QLatin1Char('\n') + m_texts.text("ENDE");
}

TInfoForm::TInfoForm(const StationTexts& texts, QWidget* parent)
    : QDialog(parent, Qt::FramelessWindowHint | Qt::Dialog), m_texts(texts) {
    setObjectName(QStringLiteral("InfoForm"));
    setWindowTitle(QStringLiteral("Dalu Info"));
    setModal(true);
    setAutoFillBackground(true);
    WidgetFactory::setColour(this, QPalette::Window, Qt::black);

    InfoTopPanel = blackPanel("InfoTopPanel", this);
    InfoMainPanel = blackPanel("InfoMainPanel", this);
    InfoBottomPanel = blackPanel("InfoBottomPanel", this);

    Info1Memo = new QLabel(infoText(), InfoMainPanel);
    Info1Memo->setObjectName(QStringLiteral("Info1Memo"));
    Info1Memo->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Info1Memo->setTextInteractionFlags(Qt::NoTextInteraction);
    Info1Memo->setFocusPolicy(Qt::ClickFocus);
    QFont mono(QStringLiteral("Monospace"));
    mono.setStyleHint(QFont::TypeWriter);
    Info1Memo->setFont(mono);
    WidgetFactory::setColour(Info1Memo, QPalette::WindowText, QColor(0, 255, 0));

    FocusCatcherEdit = new QLineEdit(this);
    FocusCatcherEdit->setObjectName(QStringLiteral("FocusCatcherEdit"));
    FocusCatcherEdit->setReadOnly(true);
    FocusCatcherEdit->setGeometry(-100, -100, 10, 10);

    for (QWidget* w : {static_cast<QWidget*>(InfoTopPanel), InfoMainPanel, InfoBottomPanel,
                       static_cast<QWidget*>(Info1Memo)})
        w->installEventFilter(this);

    InfoTimer = new QTimer(this);
    InfoTimer->setObjectName(QStringLiteral("InfoTimer"));
    InfoTimer->setInterval(100);
    connect(InfoTimer, &QTimer::timeout, this, &TInfoForm::InfoTimerTimer);
}

void TInfoForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    setWindowState(windowState() | Qt::WindowMaximized);
    layoutPanels();
    restartText();
    InfoTimer->start();
}

void TInfoForm::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    layoutPanels();
}

void TInfoForm::layoutPanels() {
    const int quarter = height() / 4;
    InfoTopPanel->setGeometry(0, 0, width(), quarter);
    InfoBottomPanel->setGeometry(0, height() - quarter, width(), quarter);
    InfoMainPanel->setGeometry(0, quarter, width(), height() - 2 * quarter);
    Info1Memo->setGeometry(0, InfoMainPanel->height(), width(), Info1Memo->sizeHint().height());
}

void TInfoForm::restartText() {
    Info1Memo->move(0, InfoMainPanel->height());
}

void TInfoForm::InfoTimerTimer() {
    Info1Memo->move(0, Info1Memo->y() - 2);
    if (Info1Memo->y() < -Info1Memo->height())
        restartText();
}

void TInfoForm::closeByClick() {
    FocusCatcherEdit->setFocus();
    restartText();
    InfoTimer->stop();
    accept();
}

bool TInfoForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress ||
        (watched == Info1Memo && event->type() == QEvent::FocusIn)) {
        closeByClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TInfoForm::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        Info1Memo->setText(infoText());
    QDialog::changeEvent(event);
}
