#pragma once

#include <QString>

class TReferenceIni;

// The DXCC.ini the program reads: the operator's copy, else the installed one.
QString defaultDxccIniPath();

// The call in upper case (a to z only) without a portable suffix of up to two characters
// ("/P", "/MM", also with a trailing "/"). Prefixes (OE/QX1ABC) and longer suffixes
// (QX1ABC/QRP) stay.
QString ExtractCall(const QString& call);

// The DXCC entity of a call as typed or stored (not reduced first): the value of the
// longest of its first three, two or one characters that is a key of section DXCC.
// Calls shorter than three characters, and calls no key matches, give an empty text.
QString CallToDxcc(const QString& call, const QString& dxccIniPath = defaultDxccIniPath());
// The same over a reference file already read, for many lookups in one go.
QString CallToDxcc(const QString& call, const TReferenceIni& dxccIni);
