#include "dok.h"

#include "programdir.h"
#include "referenceini.h"

QString defaultDokIniPath() {
    return programFile(QStringLiteral("DOK.ini"));
}

QString DokToOv(const QString& dok, const QString& dokIniPath) {
    return readReferenceString(dokIniPath, QStringLiteral("OV"), dok);
}

QString DokToDistrikt(const QString& dok, const QString& dokIniPath) {
    return readReferenceString(dokIniPath, QStringLiteral("Distrikt"), dok.left(1));
}

QString DokToWebsite(const QString& dok, const QString& dokIniPath) {
    return readReferenceString(dokIniPath, QStringLiteral("Website"), dok.left(1));
}
