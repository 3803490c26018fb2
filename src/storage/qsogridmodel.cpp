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
    m_rows.append(TQsoRecord{});
}

QString QsoGridModel::Cells(int col, int gridRow) const {
    if (col < 0 || col >= kQsoFieldCount || gridRow < 0 || gridRow >= RowCount())
        return {};
    if (gridRow == 0)
        return headerCaptions().at(col);
    return fromCp1252(m_rows.at(gridRow - 1).fields[col]);
}

void QsoGridModel::clear() {
    setRecords({});
}

TQsoRecord QsoGridModel::asShown(TQsoRecord record) {
    QByteArray& comments = record[QsoField::Comments];
    if (comments.contains('\r'))
        comments.replace("\r\n", " ");
    return record;
}

void QsoGridModel::setRecords(QList<TQsoRecord> records) {
    beginResetModel();
    m_rows = std::move(records);
    for (TQsoRecord& r : m_rows) {
        if (r[QsoField::Comments].contains('\r'))
            r = asShown(std::move(r));
    }
    if (m_rows.isEmpty())
        m_rows.append(TQsoRecord{});
    endResetModel();
}

void QsoGridModel::appendRecord(const TQsoRecord& record) {
    if (isEmptyLog()) {
        m_rows.first() = asShown(record);
        emit dataChanged(index(0, 0), index(0, kQsoFieldCount - 1));
        return;
    }
    const int row = static_cast<int>(m_rows.size());
    beginInsertRows({}, row, row);
    m_rows.append(asShown(record));
    endInsertRows();
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
    return Cells(index.column(), index.row() + 1);
}

QVariant QsoGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < kQsoFieldCount ? headerCaptions().at(section) : QVariant();
    return section + 1;
}
