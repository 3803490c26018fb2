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

QsoGridModel::QsoGridModel(QObject* parent) : QAbstractTableModel(parent) {
    m_rows.append(CompactQso());
}

QString QsoGridModel::Cells(int col, int gridRow) const {
    if (col < 0 || col >= kQsoFieldCount || gridRow < 0 || gridRow >= RowCount())
        return {};
    if (gridRow == 0)
        return headerCaptions().at(col);
    return fromCp1252(m_rows.at(gridRow - 1).field(col));
}

QString QsoGridModel::shownCell(int col, int gridRow) const {
    if (col < 0 || col >= kQsoFieldCount || gridRow < 1 || gridRow >= RowCount())
        return Cells(col, gridRow);
    const QByteArrayView field = m_rows.at(gridRow - 1).field(col);
    if (field.size() <= kShownLength)
        return fromCp1252(field);
    return fromCp1252(field.first(kShownLength)) + QChar(0x2026);
}

void QsoGridModel::clear() {
    setRows({});
}

void QsoGridModel::setRows(QList<CompactQso> rows) {
    beginResetModel();
    m_rows = std::move(rows);
    if (m_rows.isEmpty())
        m_rows.append(CompactQso());
    endResetModel();
}

void QsoGridModel::setRecords(const QList<TQsoRecord>& records) {
    QList<CompactQso> rows;
    rows.reserve(records.size());
    for (const TQsoRecord& r : records)
        rows.append(CompactQso(r).shownInList());
    setRows(std::move(rows));
}

void QsoGridModel::putRow(int gridRow, const TQsoRecord& record) {
    if (gridRow < 1)
        return;
    const int wanted = gridRow; // data rows
    const int have = static_cast<int>(m_rows.size());
    if (wanted > have) {
        beginInsertRows({}, have, wanted - 1);
        while (m_rows.size() < wanted)
            m_rows.append(CompactQso());
        endInsertRows();
    } else if (wanted < have) {
        beginRemoveRows({}, wanted, have - 1);
        m_rows.resize(wanted);
        endRemoveRows();
    }
    m_rows[gridRow - 1] = CompactQso(record).shownInList();
    emit dataChanged(index(gridRow - 1, 0), index(gridRow - 1, kQsoFieldCount - 1));
}

void QsoGridModel::replaceRow(int gridRow, const TQsoRecord& record) {
    if (gridRow < 1 || gridRow > m_rows.size())
        return;
    m_rows[gridRow - 1] = CompactQso(record).shownInList();
    emit dataChanged(index(gridRow - 1, 0), index(gridRow - 1, kQsoFieldCount - 1));
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
    return shownCell(index.column(), index.row() + 1);
}

QVariant QsoGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < kQsoFieldCount ? headerCaptions().at(section) : QVariant();
    return section + 1;
}
