#include "decodevalue.h"

#include <QRegularExpression>

namespace DecodeValue {
namespace {

bool isGrid(const QString& token) {
    static const QRegularExpression grid(QStringLiteral("^[A-R]{2}[0-9]{2}$"));
    return token != QLatin1String("RR73") && grid.match(token).hasMatch();
}

// A call has letters and a digit; "/P" and prefixes are part of it.
bool isCall(const QString& token) {
    static const QRegularExpression call(QStringLiteral("^(?=.*[0-9])(?=.*[A-Z])[A-Z0-9/]{3,13}$"));
    return call.match(token).hasMatch() && !isGrid(token);
}

QString key(const QString& a, const QString& b, const QString& c = QString()) {
    return a + QLatin1Char(';') + b + QLatin1Char(';') + c;
}

} // namespace

std::optional<Caller> cqCaller(const QString& message) {
    const QStringList tokens = message.toUpper().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (tokens.size() < 2 || tokens.first() != QLatin1String("CQ"))
        return std::nullopt;
    // "CQ DX K1ABC": a word between CQ and the call names whom the caller wants.
    int at = 1;
    if (!isCall(tokens.at(at)) && tokens.size() > 2)
        at = 2;
    if (!isCall(tokens.at(at)))
        return std::nullopt;
    Caller caller{tokens.at(at), QString()};
    if (at + 1 < tokens.size() && isGrid(tokens.at(at + 1)))
        caller.grid = tokens.at(at + 1);
    return caller;
}

Index::Index(std::function<QString(const QString&)> entityOf) : m_entityOf(std::move(entityOf)) {}

void Index::clear() {
    m_calls.clear();
    m_callsOnBandMode.clear();
    m_entitiesWorked.clear();
    m_entitiesOnBand.clear();
    m_squares.clear();
}

QString Index::entityOf(const QString& call) const {
    auto it = m_entities.constFind(call);
    if (it == m_entities.constEnd())
        it = m_entities.insert(call, m_entityOf(call));
    return *it;
}

void Index::add(const TQsoRecord& rec) {
    const QString call = QString::fromLatin1(rec[QsoField::Call]).toUpper();
    const QString band = QString::fromLatin1(rec[QsoField::Band]).toLower();
    const QString mode = QString::fromLatin1(rec[QsoField::Mode]).toUpper();
    const bool confirmed = rec.isConfirmed();
    m_calls[call] = m_calls.value(call) || confirmed;
    const QString onBand = key(call, band, mode);
    m_callsOnBandMode[onBand] = m_callsOnBandMode.value(onBand) || confirmed;
    const QString entity = entityOf(call);
    if (!entity.isEmpty()) {
        m_entitiesWorked.insert(entity);
        m_entitiesOnBand.insert(key(entity, band));
    }
    const QString square = QString::fromLatin1(rec[QsoField::Locator].left(4)).toUpper();
    if (isGrid(square))
        m_squares.insert(square);
}

Value Index::valueOf(const Caller& caller, const QString& band, const QString& mode) const {
    const auto onBand =
        m_callsOnBandMode.constFind(key(caller.call, band.toLower(), mode.toUpper()));
    if (onBand != m_callsOnBandMode.constEnd())
        return *onBand ? Value::Confirmed : Value::WorkedBefore;
    const QString entity = entityOf(caller.call);
    if (!entity.isEmpty() && !m_entitiesWorked.contains(entity))
        return Value::NewDxcc;
    if (!entity.isEmpty() && !m_entitiesOnBand.contains(key(entity, band.toLower())))
        return Value::NewOnBand;
    if (!caller.grid.isEmpty() && !m_squares.contains(caller.grid))
        return Value::NewSquare;
    return m_calls.contains(caller.call) ? Value::WorkedBefore : Value::New;
}

} // namespace DecodeValue
