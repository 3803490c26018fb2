#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// What a browse button of the converter asks of its file dialog.
struct FileChoice {
    QString title;
    QString filter; // description and pattern pairs, separated by "|"
    QString defaultSuffix;
    QString directory;
    bool mustExist = false;
};

namespace WizardFileDialog {

// The filter "ADIF-Logs (*.adi)|*.adi|Alle Dateien (*.*)|*.*" as the name filters of a
// Qt file dialog. "*.*" stands for every file, as it does on the desktop the texts were
// written for.
QStringList nameFilters(const QString& filter);

// The resizable open-file dialog; the empty path on Cancel.
QString choose(QWidget* parent, const FileChoice& choice);

} // namespace WizardFileDialog
