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

namespace {

// The comments' stored line breaks as the lists show them.
QString shown(QByteArrayView field, int col) {
    QString text = fromCp1252(field);
    if (col == static_cast<int>(QsoField::Comments))
        text.replace(QLatin1String("#13#10"), QLatin1String(" "));
    return text;
}

} // namespace

QString QsoGridModel::cell(int row, int col) const {
    if (col < 0 || col >= kQsoFieldCount || row < 0 || row >= m_count)
        return {};
    return shown(rows().at(row).field(col), col);
}

QString QsoGridModel::shownCell(int row, int col) const {
    if (col < 0 || col >= kQsoFieldCount || row < 0 || row >= m_count)
        return {};
    const QByteArrayView field = rows().at(row).field(col);
    if (field.size() <= kShownLength)
        return shown(field, col);
    return shown(field.first(kShownLength), col) + QChar(0x2026);
}

void QsoGridModel::setRows(QList<CompactQso> rows) {
    beginResetModel();
    m_source = nullptr;
    m_rows = std::move(rows);
    m_count = int(m_rows.size());
    endResetModel();
}

void QsoGridModel::follow(const QList<CompactQso>* source) {
    beginResetModel();
    m_rows = {};
    m_source = source;
    m_count = int(rows().size());
    endResetModel();
}

void QsoGridModel::sourceAppended() {
    const int size = int(rows().size());
    if (!m_source || size <= m_count)
        return;
    beginInsertRows({}, m_count, size - 1);
    m_count = size;
    endInsertRows();
}

void QsoGridModel::sourceReplaced(int first, int last) {
    last = std::min(last, m_count - 1);
    if (first < 0 || last < first)
        return;
    emit dataChanged(index(first, 0), index(last, kQsoFieldCount - 1));
}

void QsoGridModel::setRecords(const QList<TQsoRecord>& records) {
    QList<CompactQso> rows;
    rows.reserve(records.size());
    for (const TQsoRecord& r : records)
        rows.append(CompactQso(r).shownInList());
    setRows(std::move(rows));
}

void QsoGridModel::appendRows(const QList<CompactQso>& rows) {
    if (rows.isEmpty() || m_source)
        return;
    beginInsertRows({}, m_count, m_count + int(rows.size()) - 1);
    m_rows.append(rows);
    m_count = int(m_rows.size());
    endInsertRows();
}

void QsoGridModel::replaceRows(int first, const QList<CompactQso>& rows) {
    if (m_source)
        return;
    const int last = std::min(first + int(rows.size()), m_count) - 1;
    if (first < 0 || last < first)
        return;
    for (int r = first; r <= last; ++r)
        m_rows[r] = rows.at(r - first);
    sourceReplaced(first, last);
}

int QsoGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_count;
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
