#pragma once

#include <QTest>

// The columns of a data-driven test in one line: columns<int, QString>("count", "text").
template <typename... T, typename... Names> void columns(Names... names) {
    static_assert(sizeof...(T) == sizeof...(Names));
    (QTest::addColumn<T>(names), ...);
}

// The current row's value of a column, for a value used once: QFETCH without the variable.
template <typename T> const T& fetched(const char* column) {
    return *static_cast<T*>(QTest::qData(column, qMetaTypeId<T>()));
}
