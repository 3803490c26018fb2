#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Text on disk is Windows-1252; the windows work with QString.
QString fromCp1252(QByteArrayView bytes);
// Characters Windows-1252 cannot hold become "?".
QByteArray toCp1252(const QString& text);
