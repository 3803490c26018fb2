#include "evaluationcommon.h"

#include "confirmreport.h"
#include "logfile.h"
#include "station.h"
#include "uitexts.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QMessageBox>

#include <algorithm>
#include <cmath>

namespace Evaluation {

namespace {

template <typename W> W* named(const char* prefix, const char* name, QWidget* parent) {
    auto* w = new W(parent);
    w->setObjectName(QLatin1String(prefix) + QLatin1String(name));
    return w;
}

QLineEdit* edit(const char* prefix, const char* name, const QString& text, QWidget* parent) {
    auto* e = named<QLineEdit>(prefix, name, parent);
    e->setText(text);
    return e;
}

QDateEdit* datePicker(const char* prefix, const char* name, QDate date, QWidget* parent) {
    auto* picker = named<QDateEdit>(prefix, name, parent);
    picker->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    picker->setCalendarPopup(true);
    picker->setDate(date);
    return picker;
}

constexpr int kShownMessages = 8;

} // namespace

FilterControls::FilterControls(const char* prefix, QWidget* parent)
    : bandEdit(edit(prefix, "BandEdit", QStringLiteral("*"), parent)),
      modeEdit(edit(prefix, "ModeEdit", QStringLiteral("*"), parent)),
      startDatePicker(datePicker(prefix, "StartDatePicker", QDate(1800, 1, 1), parent)),
      stopDatePicker(datePicker(prefix, "StopDatePicker", QDate(2200, 1, 1), parent)),
      startNumberEdit(edit(prefix, "StartNumberEdit", QStringLiteral("1"), parent)),
      stopNumberEdit(edit(prefix, "StopNumberEdit", QStringLiteral("*"), parent)) {}

EvaluationFilter FilterControls::filter() const {
    EvaluationFilter f;
    f.bands = bandEdit->text();
    f.modes = modeEdit->text();
    f.from = EvaluationFilter::startOfDay(startDatePicker->date());
    f.to = EvaluationFilter::endOfDay(stopDatePicker->date());
    f.startNumber = startNumberEdit->text();
    f.stopNumber = stopNumberEdit->text();
    return f;
}

QColor colour(quint32 value) {
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

namespace {

double luminance(const QColor& c) {
    auto channel = [](int v) {
        const double x = v / 255.0;
        return x <= 0.03928 ? x / 12.92 : std::pow((x + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}

} // namespace

double contrastRatio(const QColor& a, const QColor& b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor legibleTextOn(const QColor& background) {
    return contrastRatio(background, Qt::black) >= contrastRatio(background, Qt::white)
               ? QColor(Qt::black)
               : QColor(Qt::white);
}

void showMessages(QWidget* parent, const QStringList& messages) {
    if (messages.isEmpty())
        return;
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Dalu"), QString(), QMessageBox::Ok,
                    parent);
    QStringList shown = messages.mid(0, kShownMessages);
    if (messages.size() > kShownMessages) {
        shown.append(
            uiText("... und %1 weitere (siehe Details).").arg(messages.size() - kShownMessages));
        box.setDetailedText(messages.join(QLatin1Char('\n')));
    }
    box.setText(shown.join(QLatin1Char('\n')));
    box.exec();
}

ConfirmedBy confirmedBy(Station& station) {
    if (!station.hasLog())
        return {};
    // Attached to the QSOs the station holds: the file is not read again.
    station.refreshIfChanged();
    return ConfirmReport::confirmedBy(ConfirmReport::ruleOf(station.settings()),
                                      station.log()->FileName(), station.qsos());
}

EvaluationFilter withConfirmations(EvaluationFilter filter, Station& station) {
    filter.confirmedBy = confirmedBy(station);
    return filter;
}

} // namespace Evaluation
