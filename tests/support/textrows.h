#pragma once

#include <QString>
#include <QTest>

#include <initializer_list>
#include <tuple>

// Two text columns and their rows {name, input, expected}, for the many tests of a text rule.
inline void addTextRows(const char* input, const char* expected,
                        std::initializer_list<std::tuple<const char*, QString, QString>> rows) {
    QTest::addColumn<QString>(input);
    QTest::addColumn<QString>(expected);
    for (const auto& [name, in, out] : rows)
        QTest::newRow(name) << in << out;
}

// Columns of the given types, named in order: addColumns<QString, int>("call", "count").
template <typename... T, typename... Names> void addColumns(Names... names) {
    (QTest::addColumn<T>(names), ...);
}
