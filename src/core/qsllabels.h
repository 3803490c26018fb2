#pragma once

#include "compactqso.h"

#include <QDate>
#include <QList>
#include <QRectF>
#include <QSet>
#include <QString>

#include <optional>

class TMemIniFile;

// Self-adhesive QSL labels: the sheet layouts, which QSOs go onto which label, and where
// each label lies on its page. Lengths are millimetres; pages are A4 portrait.
namespace QslLabels {

struct Layout {
    QString name; // "3x7", "3x8", "2x7" or "custom"
    int columns = 3;
    int rows = 7;
    double labelWidth = 70;
    double labelHeight = 42.3;
    double left = 0; // margins of the sheet to the first label
    double top = 0.45;
    double gapX = 0; // between neighbouring labels
    double gapY = 0;
    double pageWidth = 210;
    double pageHeight = 297;

    int perSheet() const { return columns * rows; }
    // Label cell 0 ... perSheet() - 1, left to right, then top to bottom.
    QRectF labelRect(int cell) const;
    // Every label lies wholly on the page, and there is at least one.
    bool fitsPage() const;
    bool operator==(const Layout& other) const;
};

// The common A4 sheets, as their packets give them.
QList<Layout> presets();
std::optional<Layout> preset(const QString& name);

// The layout chosen last; the custom one keeps its own measures. An unusable custom
// layout (labels off the page) gives the first preset.
Layout load(const TMemIniFile& ini);
void save(TMemIniFile& ini, const Layout& layout);
int loadQsosPerLabel(const TMemIniFile& ini); // 1 ... kMaxQsosPerLabel
void saveQsosPerLabel(TMemIniFile& ini, int n);
inline constexpr int kMaxQsosPerLabel = 8;

struct LabelQso {
    int position = 0; // in the log, 1 ...
    QString date, utc, band, mode, report;
};

// One label: one station, up to N of its QSOs. A station with more QSOs gets further
// labels (part 2 of 2, ...).
struct Label {
    QString call;
    QString via; // the QSL manager the comments name, or empty
    bool cardReceived = false;
    QList<LabelQso> qsos;
    int part = 1;
    int parts = 1;

    // "TNX QSL" once the station's card is here, else "PSE QSL TNX".
    QString request() const;
};

// The manager named by "via CALL" in the comments (any letter case), upper case; empty
// when none is named.
QString viaManager(const QString& comments);

// The calls of the log with a received card.
QSet<QByteArray> confirmedCalls(const QList<CompactQso>& all);

// The out list's QSOs (with their positions) as labels: stations in the order they first
// appear, each station's QSOs in list order, perLabel to a label.
QList<Label> group(const QList<CompactQso>& listed, const QList<int>& positions, int perLabel,
                   const QSet<QByteArray>& confirmed);

// Where label index 0 ... goes when the first sheet is used from startCell (1 ...) on.
struct Place {
    int page = 0;
    int cell = 0;
};
Place place(int index, int startCell, int perSheet);
int pageCount(int labels, int startCell, int perSheet);

// The QSO positions the labels hold, in order.
QList<int> positions(const QList<Label>& labels);

} // namespace QslLabels
