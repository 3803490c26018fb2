#pragma once

#include <QDateTime>
#include <QImage>
#include <QWidget>

class QTimer;
class Station;

// The analogue clock window: always on top, no title-bar buttons, the date and time in its
// title. It reads the station's settings at every tick.
class TClockForm : public QWidget {
    Q_OBJECT
public:
    explicit TClockForm(Station& station, QWidget* parent = nullptr); // FormCreate
    ~TClockForm() override; // FormDestroy: saves the position, at once

    QTimer* ClockTimer;
    // The face as last drawn, 110 by 110 pixels.
    const QImage& face() const { return m_face; }

public slots:
    void ClockTimerTimer();
    // One tick at the given local time.
    void tick(const QDateTime& localTime);
    // From Clock/Show at start-up, and from the options page.
    void setClockShown(bool shown);
    // The working UTC offset of the entry page, for the UTC display.
    void setUtcOffsetHours(int hours);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void drawFace(int hour, int minute, int second);

    Station& m_station;
    QImage m_face;
    int m_utcOffsetHours = 0;
};
