#pragma once

#include <QString>

// The DOK.ini the program reads: the operator's copy, else the installed one.
QString defaultDokIniPath();

// Lookups in DOK.ini; each gives an empty text when the file, section or key is missing.
// The local club (section OV, key: the whole DOK as typed).
QString DokToOv(const QString& dok, const QString& dokIniPath = defaultDokIniPath());
// The district (section Distrikt, key: the first character of the DOK).
QString DokToDistrikt(const QString& dok, const QString& dokIniPath = defaultDokIniPath());
// The district's web address (section Website, key: the first character of the DOK).
QString DokToWebsite(const QString& dok, const QString& dokIniPath = defaultDokIniPath());
