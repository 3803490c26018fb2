#pragma once

#include "namedchild.h"

// For window tests: the entry mask's fields, found by the object names the language files
// also use, so that a test types and clicks where the operator would.
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>
#include <QWidget>

struct EntryDriver {
    explicit EntryDriver(QWidget* mask) : mask(mask) {}

    template <typename T = QWidget> T* field(const char* name) const {
        return namedChild<T>(mask, QLatin1String(name));
    }
    QLineEdit* edit(const char* name) const { return field<QLineEdit>(name); }
    QLabel* label(const char* name) const { return field<QLabel>(name); }
    QListWidget* list(const char* name) const { return field<QListWidget>(name); }
    QPlainTextEdit* comments() const { return field<QPlainTextEdit>("CommentsMemo"); }
    // The key caption B1 ... B12.
    QLabel* caption(int key) const { return label(QStringLiteral("B%1").arg(key).toLatin1()); }

    QWidget* mask;
};
