#pragma once

// For window tests: a control found by its object name (the name the language files use);
// a missing one ends the run at once, naming it and where it was looked for.
#include <QObject>
#include <QString>
#include <QWidget>

template <typename T = QWidget> T* namedChild(const QObject* parent, const QString& name) {
    T* found = parent->findChild<T*>(name);
    if (!found)
        qFatal("%s has no %s named %s", qPrintable(parent->objectName()),
               T::staticMetaObject.className(), qPrintable(name));
    return found;
}
