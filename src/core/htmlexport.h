#pragma once

#include "qsorecord.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

// The HTML export: one table of all QSOs, in the plain tags the HTML import reads back.
namespace HtmlExport {

// "&", "<", ">" and '"' as entities, CR LF as "<br>", characters beyond ASCII, control
// characters and blanks at either end as numeric references, so that the import gets the
// text back whatever the charset.
QByteArray escape(const QByteArray& text);

// From "<html>" to the title row; logNames (file names with extension) make the title and
// the heading, joined by " / ".
QByteArray documentStart(const QStringList& logNames);
// One table row of sixteen cells.
QByteArray row(const TQsoRecord& rec);
// From "</table>" to "</html>", with the credit line and link.
QByteArray documentEnd(const QByteArray& createdWith);

} // namespace HtmlExport
