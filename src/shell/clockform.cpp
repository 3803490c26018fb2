#include "clockform.h"

#include "clockface.h"
#include "datetimeformat.h"
#include "meminifile.h"
#include "settingskeys.h"
#include "station.h"

#include <QPainter>
#include <QTimer>

TClockForm::TClockForm(Station& station, QWidget* parent)
    : QWidget(parent,
              Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_station(station), m_face(ClockFace::kSize, ClockFace::kSize, QImage::Format_RGB32) {
    setObjectName(QStringLiteral("ClockForm"));
    setFixedSize(ClockFace::kSize, ClockFace::kSize);
    setCursor(Qt::ArrowCursor);
    m_face.fill(Qt::white);
    ClockTimer = new QTimer(this);
    ClockTimer->setObjectName(QStringLiteral("ClockTimer"));
    ClockTimer->setInterval(500);
    connect(ClockTimer, &QTimer::timeout, this, &TClockForm::ClockTimerTimer);
    const TMemIniFile& ini = station.settings();
    move(SettingsKeys::read(ini, SettingsKeys::ClockLeft),
         SettingsKeys::read(ini, SettingsKeys::ClockTop));
    if (SettingsKeys::read(ini, SettingsKeys::ClockShow))
        setClockShown(true);
}

TClockForm::~TClockForm() {
    TMemIniFile& ini = m_station.settings();
    SettingsKeys::write(ini, SettingsKeys::ClockLeft, x());
    SettingsKeys::write(ini, SettingsKeys::ClockTop, y());
    // The main window flushes right after: one write at exit, so a failure shows once.
}

void TClockForm::setClockShown(bool shown) {
    setVisible(shown);
    if (!shown) {
        ClockTimer->stop();
        return;
    }
    ClockTimer->start();
    ClockTimerTimer();
}

void TClockForm::setUtcOffsetHours(int hours) {
    m_utcOffsetHours = hours;
    if (ClockTimer->isActive())
        ClockTimerTimer();
}

void TClockForm::ClockTimerTimer() {
    tick(QDateTime::currentDateTime());
}

void TClockForm::tick(const QDateTime& localTime) {
    const TMemIniFile& ini = m_station.settings();
    QDateTime t = localTime;
    if (SettingsKeys::read(ini, SettingsKeys::ClockUtc))
        t = t.addSecs(qint64(m_utcOffsetHours) * 3600);
    const QString format = SettingsKeys::read(ini, SettingsKeys::ClockWindowFormat);
    setWindowTitle(DateTimeFormat::format(format, t));
    drawFace(t.time().hour(), t.time().minute(), t.time().second());
    update();
}

void TClockForm::drawFace(int hour, int minute, int second) {
    QPainter p(&m_face);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    // The rectangle from (5, 5) to (106, 106), right and bottom edges excluded.
    p.drawEllipse(QRect(QPoint(5, 5), QPoint(105, 105)));
    for (const ClockFace::Stroke& s : ClockFace::strokes(hour, minute, second)) {
        QPen pen{QColor(QRgb(s.rgb))};
        pen.setWidth(s.width);
        pen.setCapStyle(Qt::RoundCap);
        p.setPen(pen);
        if (s.from == s.to)
            p.drawPoint(s.from); // the centre dot: a line of length zero
        else
            p.drawLine(s.from, s.to);
    }
}

void TClockForm::paintEvent(QPaintEvent*) {
    QPainter(this).drawImage(0, 0, m_face);
}
