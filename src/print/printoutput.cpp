#include "printoutput.h"

#include "daluerror.h"
#include "uitexts.h"

#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSaveFile>

namespace PrintOutput {

void writePdf(const QString& path, const Job& job) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw DaluError::io(uiText("Fehler beim Schreiben von"), path, file.errorString());
    {
        QPdfWriter writer(&file);
        writer.setCreator(QStringLiteral("Dalu"));
        writer.setResolution(600);
        job.setup(writer);
        job.paint(writer);
    }
    if (!file.commit())
        throw DaluError::io(uiText("Fehler beim Schreiben von"), path, file.errorString());
}

bool run(QWidget* parent, Target target, const QString& pdfPath, const Job& job) {
    if (target == Target::Pdf) {
        writePdf(pdfPath, job);
        return true;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true);
    job.setup(printer);
    if (target == Target::Preview) {
        QPrintPreviewDialog preview(&printer, parent);
        preview.setObjectName(QStringLiteral("PrintPreviewDialog"));
        QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                         [&](QPrinter* p) { job.paint(*p); });
        return preview.exec() == QDialog::Accepted;
    }
    QPrintDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("PrintDialog"));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    job.paint(printer);
    if (printer.printerState() == QPrinter::Error)
        throw DaluError(uiText("Der Drucker meldet einen Fehler."));
    return true;
}

} // namespace PrintOutput
