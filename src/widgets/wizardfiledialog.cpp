#include "wizardfiledialog.h"

#include <QFileDialog>
#include <QRegularExpression>

namespace WizardFileDialog {

QStringList nameFilters(const QString& filter) {
    static const QRegularExpression trailingPatterns(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        const QString pattern = i + 1 < parts.size() ? parts[i + 1] : QString();
        if (parts[i].trimmed().isEmpty() && pattern.isEmpty())
            continue;
        QString description = parts[i];
        description.remove(trailingPatterns);
        QStringList patterns = pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& p : patterns) {
            p = p.trimmed();
            if (p == QLatin1String("*.*"))
                p = QStringLiteral("*");
        }
        if (patterns.isEmpty())
            patterns.append(QStringLiteral("*"));
        filters.append(QStringLiteral("%1 (%2)").arg(description, patterns.join(QLatin1Char(' '))));
    }
    return filters;
}

QString choose(QWidget* parent, const FileChoice& choice) {
    QFileDialog dialog(parent, choice.title, choice.directory);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(choice.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setNameFilters(nameFilters(choice.filter));
    dialog.setDefaultSuffix(choice.defaultSuffix);
    dialog.setSizeGripEnabled(true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

} // namespace WizardFileDialog
