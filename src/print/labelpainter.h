#pragma once

#include "printoutput.h"
#include "qsllabels.h"

#include <QImage>
#include <QString>

class QPagedPaintDevice;

// QSL labels and cards onto pages (a PDF writer or a printer). The device's page must be
// set up by the caller: A4 without margins for labels (setupLabelPages), 9 x 14 cm for cards.
namespace LabelPainter {

void setupLabelPages(QPagedPaintDevice& device);
void setupCardPages(QPagedPaintDevice& device);

// The labels from startCell (1 ...) of the first sheet on; pages follow as needed.
void paintLabels(QPagedPaintDevice& device, const QslLabels::Layout& layout,
                 const QList<QslLabels::Label>& labels, int startCell, const QString& ownCall);

// One card per label, each on its own page, the background (if any) filling the card.
void paintCards(QPagedPaintDevice& device, const QList<QslLabels::Label>& labels,
                const QString& ownCall, const QImage& background);

// What the operator chose for one run of labels or cards.
struct Request {
    QslLabels::Layout layout;
    int startCell = 1;
    bool cards = false;
    QImage background; // cards only
    QString ownCall;
};
PrintOutput::Job job(const QList<QslLabels::Label>& labels, const Request& request);

} // namespace LabelPainter
