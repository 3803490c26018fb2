#pragma once

#include "decodevalue.h"
#include "wsjtxmessage.h"

#include <QAbstractTableModel>
#include <QList>

// The stations heard calling CQ in the last period, with what each is to the log. A new
// period replaces the rows; each decode is one inserted row, so a burst of hundreds costs
// no more than their number.
class DecodesModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Utc, Snr, Df, Call, Grid, Entity, Worth, ColumnCount };

    struct Row {
        Wsjtx::Decode decode;
        DecodeValue::Caller caller;
        QString entity;
        DecodeValue::Value value;
    };

    explicit DecodesModel(QObject* parent = nullptr);

    // Adds the decode if it is a CQ, valued for the band and mode the program is on; true
    // then. A decode of a later period clears the rows.
    bool add(const Wsjtx::Decode& decode, const DecodeValue::Index& index, const QString& band,
             const QString& mode);
    void clear();
    const Row& row(int r) const { return m_rows.at(r); }

    static QString valueText(DecodeValue::Value value);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QList<Row> m_rows;
};
