#pragma once

#include <QDate>
#include <QString>
#include <QTime>

// Scanned QSL cards: one image file per QSO in the QSL folder, named from call, date and
// time, so that a QSO finds its card without any link stored in the log.
namespace QslCardFile {

// The folder as stored in QslPath, ending in "/"; a value written on Windows (ending in a
// backslash) names the same folder; empty means the program directory.
QString folder(const QString& stored, const QString& programDir);

// folder + call (lower-cased A-Z, "/" as "-") + "-" + ddMMyy + hhmmss + ".jpg", whatever
// the image's format: "qx1abc-p-050604173100.jpg".
QString eQslInFileName(const QString& folder, const QString& call, QDate date, QTime time);

// Moves an image to its card name. An existing card is never replaced. Across file
// systems the image is copied beside the card, flushed to disk, put in place and only
// then deleted at its source. Throws DaluError with the system's reason.
void moveCard(const QString& from, const QString& to);

} // namespace QslCardFile
