#pragma once

#include "qsorecord.h"

#include <QHash>
#include <QSet>
#include <QString>

#include <functional>
#include <optional>

// What a station heard calling CQ is worth to the open log, by the evaluations' rules: a
// QSO is confirmed when its "QSL in" is filled.
namespace DecodeValue {

// From most to least wanted.
enum class Value { NewDxcc, NewOnBand, NewSquare, New, WorkedBefore, Confirmed };

// A CQ message of the FT modes: "CQ K1ABC FN42", "CQ DX K1ABC FN42", "CQ POTA K1ABC".
struct Caller {
    QString call;
    QString grid; // four characters or empty
};
std::optional<Caller> cqCaller(const QString& message);

// The log's QSOs as far as the values need them.
class Index {
public:
    // entityOf names a call's DXCC entity (empty when unknown).
    explicit Index(std::function<QString(const QString& call)> entityOf);
    void clear();
    void add(const TQsoRecord& rec);
    Value valueOf(const Caller& caller, const QString& band, const QString& mode) const;
    QString entityOf(const QString& call) const;

private:
    std::function<QString(const QString&)> m_entityOf;
    mutable QHash<QString, QString> m_entities; // call -> entity, looked up once
    QHash<QString, bool> m_calls;               // call -> confirmed
    QHash<QString, bool> m_callsOnBandMode;     // call;band;mode -> confirmed
    QSet<QString> m_entitiesWorked;
    QSet<QString> m_entitiesOnBand; // entity;band
    QSet<QString> m_squares;        // four characters
};

} // namespace DecodeValue
