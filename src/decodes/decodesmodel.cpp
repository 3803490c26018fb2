#include "decodesmodel.h"

#include "uitexts.h"

#include <QBrush>
#include <QColor>

DecodesModel::DecodesModel(QObject* parent) : QAbstractTableModel(parent) {}

bool DecodesModel::add(const Wsjtx::Decode& decode, const DecodeValue::Index& index,
                       const QString& band, const QString& mode) {
    const auto caller = DecodeValue::cqCaller(decode.message);
    if (!caller)
        return false;
    if (!m_rows.isEmpty() && m_rows.last().decode.time != decode.time)
        clear();
    const Row row{decode, *caller, index.entityOf(caller->call),
                  index.valueOf(*caller, band, mode)};
    beginInsertRows({}, int(m_rows.size()), int(m_rows.size()));
    m_rows.append(row);
    endInsertRows();
    return true;
}

void DecodesModel::clear() {
    if (m_rows.isEmpty())
        return;
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

QString DecodesModel::valueText(DecodeValue::Value value) {
    switch (value) {
    case DecodeValue::Value::NewDxcc:
        return uiText("neues DXCC-Gebiet");
    case DecodeValue::Value::NewOnBand:
        return uiText("neu auf dem Band");
    case DecodeValue::Value::NewSquare:
        return uiText("neues Locator-Feld");
    case DecodeValue::Value::New:
        return uiText("neue Station");
    case DecodeValue::Value::WorkedBefore:
        return uiText("schon gearbeitet");
    case DecodeValue::Value::Confirmed:
        return uiText("best\u00e4tigt");
    }
    return {};
}

int DecodesModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int DecodesModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant DecodesModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const Row& r = m_rows.at(index.row());
    if (role == Qt::ForegroundRole && index.column() == Worth &&
        r.value <= DecodeValue::Value::NewSquare)
        return QBrush(QColor(Qt::red));
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case Utc:
        return r.decode.time.toString(QStringLiteral("HH:mm:ss"));
    case Snr:
        return r.decode.snr;
    case Df:
        return r.decode.deltaFrequency;
    case Call:
        return r.caller.call;
    case Grid:
        return r.caller.grid;
    case Entity:
        return r.entity;
    case Worth:
        return valueText(r.value);
    }
    return {};
}

QVariant DecodesModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    const char* captions[] = {"UTC", "SNR", "DF", "Call", "Locator", "DXCC", "Wert"};
    return section < ColumnCount ? uiText(captions[section]) : QVariant();
}
