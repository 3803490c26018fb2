#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Text on disk is Windows-1252; the windows work with QString.
QString fromCp1252(QByteArrayView bytes);
// Characters Windows-1252 cannot hold become "?".
QByteArray toCp1252(const QString& text);

// True when Windows-1252 holds the character, so it survives the log as typed.
bool cp1252CanHold(QChar c);
// Letters Windows-1252 cannot hold become their base letter ("Jiří" -> "Jiri", "Ł" -> "L"):
// decomposed, combining marks dropped, a few letters without decomposition mapped by hand.
// What has no base letter at all stays as it is (toCp1252 then writes "?"); unmappable
// reports whether that happened, so the caller can tell the operator.
QString transliterateForCp1252(const QString& text, bool* unmappable = nullptr);
