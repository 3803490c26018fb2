#include "qsllabels.h"

#include "cp1252.h"
#include "settingskeys.h"

#include <QHash>
#include <QRegularExpression>

#include <algorithm>

namespace QslLabels {

namespace {

constexpr double kTolerance = 1e-6; // rounding of sums of decimal millimetres

Layout sheet(const char* name, int columns, int rows, double width, double height, double top) {
    Layout l;
    l.name = QLatin1String(name);
    l.columns = columns;
    l.rows = rows;
    l.labelWidth = width;
    l.labelHeight = height;
    l.top = top;
    return l;
}

QString field(const CompactQso& qso, QsoField f) {
    return fromCp1252(qso.field(int(f)));
}

} // namespace

QRectF Layout::labelRect(int cell) const {
    const int column = cell % columns;
    const int row = cell / columns;
    return {left + column * (labelWidth + gapX), top + row * (labelHeight + gapY), labelWidth,
            labelHeight};
}

bool Layout::fitsPage() const {
    if (columns < 1 || rows < 1 || labelWidth <= 0 || labelHeight <= 0 || left < 0 || top < 0 ||
        gapX < 0 || gapY < 0)
        return false;
    const QRectF last = labelRect(perSheet() - 1);
    return last.right() <= pageWidth + kTolerance && last.bottom() <= pageHeight + kTolerance;
}

bool Layout::operator==(const Layout& o) const {
    return name == o.name && columns == o.columns && rows == o.rows && labelWidth == o.labelWidth &&
           labelHeight == o.labelHeight && left == o.left && top == o.top && gapX == o.gapX &&
           gapY == o.gapY;
}

QList<Layout> presets() {
    // A4, labels edge to edge across the width, the rest of the height split above and below.
    return {sheet("3x7", 3, 7, 70, 42.3, 0.45), sheet("3x8", 3, 8, 70, 37, 0.5),
            sheet("2x7", 2, 7, 105, 42.3, 0.45)};
}

std::optional<Layout> preset(const QString& name) {
    for (const Layout& l : presets()) {
        if (l.name == name)
            return l;
    }
    return std::nullopt;
}

Layout load(const TMemIniFile& ini) {
    using namespace SettingsKeys;
    const QString name = read(ini, LabelLayout);
    if (const auto p = preset(name))
        return *p;
    Layout l;
    l.name = QStringLiteral("custom");
    // Bounded so that no settings file makes a page of millions of labels.
    l.columns = std::clamp(read(ini, LabelColumns), 1, 20);
    l.rows = std::clamp(read(ini, LabelRows), 1, 40);
    l.labelWidth = read(ini, LabelWidth);
    l.labelHeight = read(ini, LabelHeight);
    l.left = read(ini, LabelLeft);
    l.top = read(ini, LabelTop);
    l.gapX = read(ini, LabelGapX);
    l.gapY = read(ini, LabelGapY);
    return l.fitsPage() ? l : presets().first();
}

void save(TMemIniFile& ini, const Layout& l) {
    using namespace SettingsKeys;
    write(ini, LabelLayout, l.name);
    if (preset(l.name))
        return; // the custom measures stay for the next time it is chosen
    write(ini, LabelColumns, l.columns);
    write(ini, LabelRows, l.rows);
    write(ini, LabelWidth, l.labelWidth);
    write(ini, LabelHeight, l.labelHeight);
    write(ini, LabelLeft, l.left);
    write(ini, LabelTop, l.top);
    write(ini, LabelGapX, l.gapX);
    write(ini, LabelGapY, l.gapY);
}

int loadQsosPerLabel(const TMemIniFile& ini) {
    return std::clamp(SettingsKeys::read(ini, SettingsKeys::LabelQsos), 1, kMaxQsosPerLabel);
}

void saveQsosPerLabel(TMemIniFile& ini, int n) {
    SettingsKeys::write(ini, SettingsKeys::LabelQsos, std::clamp(n, 1, kMaxQsosPerLabel));
}

QString Label::request() const {
    return cardReceived ? QStringLiteral("TNX QSL") : QStringLiteral("PSE QSL TNX");
}

QString viaManager(const QString& comments) {
    static const QRegularExpression via(QStringLiteral("\\bvia\\s+([A-Z0-9]+(?:/[A-Z0-9]+)*)"),
                                        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = via.match(comments);
    // A manager's call has a digit; "via bureau" or "via direct" names none.
    if (!m.hasMatch() || !m.captured(1).contains(QRegularExpression(QStringLiteral("[0-9]"))))
        return {};
    return m.captured(1).toUpper();
}

QSet<QByteArray> confirmedCalls(const QList<CompactQso>& all) {
    QSet<QByteArray> calls;
    for (const CompactQso& q : all) {
        if (!q.field(int(QsoField::QslIn)).isEmpty())
            calls.insert(q.field(int(QsoField::Call)).toByteArray());
    }
    return calls;
}

QList<Label> group(const QList<CompactQso>& listed, const QList<int>& positions, int perLabel,
                   const QSet<QByteArray>& confirmed) {
    perLabel = std::max(perLabel, 1);
    QList<QByteArray> order;
    QHash<QByteArray, QList<int>> byCall; // indexes into listed
    for (int i = 0; i < listed.size(); ++i) {
        const QByteArray call = listed.at(i).field(int(QsoField::Call)).toByteArray();
        auto it = byCall.find(call);
        if (it == byCall.end()) {
            order.append(call);
            it = byCall.insert(call, {});
        }
        it->append(i);
    }
    QList<Label> labels;
    for (const QByteArray& call : order) {
        const QList<int>& rows = byCall.value(call);
        const int parts = int((rows.size() + perLabel - 1) / perLabel);
        for (int part = 0; part < parts; ++part) {
            Label label;
            label.call = fromCp1252(call);
            label.cardReceived = confirmed.contains(call);
            label.part = part + 1;
            label.parts = parts;
            for (int k = part * perLabel; k < std::min(int(rows.size()), (part + 1) * perLabel);
                 ++k) {
                const CompactQso& q = listed.at(rows.at(k));
                label.qsos.append({positions.at(rows.at(k)), field(q, QsoField::Date),
                                   field(q, QsoField::Utc).left(5), field(q, QsoField::Band),
                                   field(q, QsoField::Mode), field(q, QsoField::RstTx)});
                if (label.via.isEmpty())
                    label.via = viaManager(field(q, QsoField::Comments));
            }
            labels.append(label);
        }
    }
    // Every part of a station names its manager, wherever in its QSOs it stood.
    for (int i = 0; i < labels.size();) {
        int end = i + labels.at(i).parts;
        QString via;
        for (int k = i; k < end; ++k)
            via = via.isEmpty() ? labels.at(k).via : via;
        for (int k = i; k < end; ++k)
            labels[k].via = via;
        i = end;
    }
    return labels;
}

Place place(int index, int startCell, int perSheet) {
    const int slot = index + std::clamp(startCell, 1, perSheet) - 1;
    return {slot / perSheet, slot % perSheet};
}

int pageCount(int labels, int startCell, int perSheet) {
    return labels == 0 ? 0 : place(labels - 1, startCell, perSheet).page + 1;
}

QList<int> positions(const QList<Label>& labels) {
    QList<int> result;
    for (const Label& l : labels) {
        for (const LabelQso& q : l.qsos)
            result.append(q.position);
    }
    return result;
}

} // namespace QslLabels
