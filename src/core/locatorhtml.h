#pragma once

#include "locatorsquares.h"

#include <QByteArray>
#include <QString>

// The locator evaluation as an HTML document (Windows-1252, CR LF), for saving or for the
// browser to print on loading.
namespace LocatorHtml {

struct Options {
    QString titleHead; // opens the title element (a language text): markup, kept as it is
    QString ownCall;
    bool forPrinting = false;
    bool withList = true;
    bool withTable = true;
};

// Square texts and the own call come from the log and the settings: "&", "<", ">" and '"'
// are written as entities so that no such text can break the document.
QByteArray document(const Options& options, const QList<LocatorSquares::Square>& list,
                    const LocatorSquares::Table& table);

// Writes the document to path through a temporary file; throws DaluError on failure.
void save(const QString& path, const QByteArray& document);

} // namespace LocatorHtml
