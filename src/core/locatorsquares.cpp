#include "locatorsquares.h"

#include "compactqso.h"
#include "cp1252.h"
#include "locator.h"
#include "logfile.h"

#include <QHash>

#include <algorithm>

namespace LocatorSquares {

namespace {

bool isLetter(QChar c) {
    const char16_t u = c.unicode();
    return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z');
}

std::optional<TLocatorNr> readable(const QString& square) {
    const TLocatorNr nr = LocatorToNr(square);
    if (nr == TLocatorNr() || !isLetter(square.at(0)) || !isLetter(square.at(1)))
        return std::nullopt;
    return nr;
}

} // namespace

SkippedQsos select(const QsoSource& log, const EvaluationFilter& filter, QList<Square>& list) {
    const EvaluationSelection selection(filter);
    SkippedQsos skipped;
    QHash<QByteArray, qsizetype> indexByText;
    auto f = [](const CompactQso& q, QsoField field) { return q.field(static_cast<int>(field)); };
    log.forEach([&](const CompactQso& qso, int line) {
        const QByteArrayView locator = f(qso, QsoField::Locator);
        if (locator.isEmpty() || !selection.selects(qso, true, line, skipped))
            return;
        const bool confirmed =
            filter.confirmedBy(f(qso, QsoField::Number), f(qso, QsoField::QslIn));
        const QByteArray text = locator.first(std::min<qsizetype>(4, locator.size())).toByteArray();
        const auto found = indexByText.constFind(text);
        if (found == indexByText.constEnd()) {
            indexByText.insert(text, list.size());
            list.append({fromCp1252(text), confirmed ? kConfirmed : kWorked});
        } else if (confirmed) {
            list[*found].colour = kConfirmed;
        }
    });
    return skipped;
}

TableResult buildTable(const QList<Square>& list, const QString& ownLocator) {
    TableResult result;
    const auto own = readable(ownLocator);
    if (!own) {
        result.ownValid = false;
        return result;
    }
    // Offsets from the own square; the table is their bounding box.
    struct Placed {
        int dx, dy;
        quint32 colour;
    };
    QList<Placed> placed;
    int minX = 0, maxX = 0, minY = 0, maxY = 0;
    for (const Square& square : list) {
        const auto nr = readable(square.text);
        if (!nr) {
            result.unreadable.append(square.text);
            continue;
        }
        const Placed p{nr->x - own->x, nr->y - own->y, square.colour};
        minX = std::min(minX, p.dx);
        maxX = std::max(maxX, p.dx);
        minY = std::min(minY, p.dy);
        maxY = std::max(maxY, p.dy);
        placed.append(p);
    }
    Table& t = result.table;
    t.columns = maxX - minX + 1;
    t.rows = maxY - minY + 1;
    t.cells = QList<Square>(qsizetype(t.columns) * t.rows);
    auto cell = [&](int dx, int dy) -> Square& {
        return t.cells[qsizetype(dy - minY) * t.columns + (dx - minX)];
    };
    for (const Placed& p : placed)
        cell(p.dx, p.dy).colour = p.colour; // a later square in the same cell wins
    cell(0, 0).colour = kOwn;
    for (int row = 0; row < t.rows; ++row) {
        for (int column = 0; column < t.columns; ++column)
            cell(column + minX, row + minY).text =
                NrToLocator({own->x + column + minX, own->y + row + minY});
    }
    return result;
}

int confirmedCount(const QList<Square>& list) {
    return int(std::count_if(list.begin(), list.end(),
                             [](const Square& s) { return s.colour == kConfirmed; }));
}

QString htmlColour(quint32 colour) {
    if (colour == kNotWorked)
        return QStringLiteral("#FFFFFF");
    const quint32 rgb = ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
    return QStringLiteral("#%1").arg(rgb, 6, 16, QLatin1Char('0')).toUpper();
}

} // namespace LocatorSquares
