#include "qsogridmodel.h"

#include "cp1252.h"

const QStringList& QsoGridModel::headerCaptions() {
    static const QStringList captions = {
        QStringLiteral("#"),      QStringLiteral("Date"),     QStringLiteral("UTC"),
        QStringLiteral("Band"),   QStringLiteral("Mode"),     QStringLiteral("Call"),
        QStringLiteral("RST TX"), QStringLiteral("RST RX"),   QStringLiteral("DOK"),
        QStringLiteral("Name"),   QStringLiteral("QTH"),      QStringLiteral("Locator"),
        QStringLiteral("TX Pwr"), QStringLiteral("Comments"), QStringLiteral("QSL Out"),
        QStringLiteral("QSL In")};
    return captions;
}

QsoGridModel::QsoGridModel(QObject* parent) : QAbstractTableModel(parent) {}

QString QsoGridModel::cell(int row, int col) const {
    if (col < 0 || col >= kQsoFieldCount || row < 0 || row >= m_rows.size())
        return {};
    return fromCp1252(m_rows.at(row).field(col));
}

QString QsoGridModel::shownCell(int row, int col) const {
    if (col < 0 || col >= kQsoFieldCount || row < 0 || row >= m_rows.size())
        return {};
    const QByteArrayView field = m_rows.at(row).field(col);
    if (field.size() <= kShownLength)
        return fromCp1252(field);
    return fromCp1252(field.first(kShownLength)) + QChar(0x2026);
}

void QsoGridModel::setRows(QList<CompactQso> rows) {
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

void QsoGridModel::setRecords(const QList<TQsoRecord>& records) {
    QList<CompactQso> rows;
    rows.reserve(records.size());
    for (const TQsoRecord& r : records)
        rows.append(CompactQso(r).shownInList());
    setRows(std::move(rows));
}

void QsoGridModel::appendRows(const QList<CompactQso>& rows) {
    if (rows.isEmpty())
        return;
    const int first = int(m_rows.size());
    beginInsertRows({}, first, first + int(rows.size()) - 1);
    m_rows.append(rows);
    endInsertRows();
}

void QsoGridModel::replaceRows(int first, const QList<CompactQso>& rows) {
    const int last = std::min(first + int(rows.size()), int(m_rows.size())) - 1;
    if (first < 0 || last < first)
        return;
    for (int r = first; r <= last; ++r)
        m_rows[r] = rows.at(r - first);
    emit dataChanged(index(first, 0), index(last, kQsoFieldCount - 1));
}

int QsoGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int QsoGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kQsoFieldCount;
}

QVariant QsoGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    return shownCell(index.row(), index.column());
}

QVariant QsoGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < kQsoFieldCount ? headerCaptions().at(section) : QVariant();
    return section + 1;
}
