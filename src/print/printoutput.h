#pragma once

#include <QString>

#include <functional>

class QPagedPaintDevice;
class QWidget;

// Where printed pages go: the preview (printed from there), a printer chosen in the print
// dialog, or a PDF file.
namespace PrintOutput {

enum class Target { Preview, Printer, Pdf };

struct Job {
    std::function<void(QPagedPaintDevice&)> setup; // page size and orientation
    std::function<void(QPagedPaintDevice&)> paint;
};

// Writes the pages as a PDF file, replacing it only when all is written; DaluError when
// that fails.
void writePdf(const QString& path, const Job& job);

// True when the pages went out; false when the operator cancelled a dialog. Throws
// DaluError when the file or the printer fails.
bool run(QWidget* parent, Target target, const QString& pdfPath, const Job& job);

} // namespace PrintOutput
