#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Scanned QSL cards as pictures.
namespace CardImage {

// Decodes JPEG bytes with libjpeg. Corrupt, truncated or oversized data throws DaluError
// with libjpeg's reason and the name given; it never ends the program.
QImage decodeJpeg(const QByteArray& data, const QString& name);

// Loads a card file. The content decides the decoder, not the name: card files are always
// named ".jpg", whatever was scanned. JPEG goes through decodeJpeg, PNG and BMP through Qt.
// Throws DaluError when the file cannot be read or decoded.
QImage load(const QString& path);

} // namespace CardImage
