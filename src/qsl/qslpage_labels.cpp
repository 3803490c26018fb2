// QSL labels from the out list: printed first, marked as sent only when the operator says
// they came out right.
#include "qslpage.h"

#include "daluerror.h"
#include "errorboundary.h"
#include "germanformat.h"
#include "labelpainter.h"
#include "labelprintdialog.h"
#include "qsllabelmarks.h"
#include "qsllistmodel.h"
#include "settingskeys.h"
#include "station.h"
#include "uitexts.h"

#include <QEvent>
#include <QItemSelectionModel>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>

#include <algorithm>

void TQslPage::printLabels() {
    ErrorBoundary::run(this, [&] {
        // The selected rows when several are, else the whole list.
        QList<int> rows;
        for (const QModelIndex& index : m_outGrid->selectionModel()->selectedRows())
            rows.append(index.row());
        if (rows.size() < 2) {
            rows.clear();
            for (int r = 0; r < m_outModel->qsoCount(); ++r)
                rows.append(r);
        }
        std::sort(rows.begin(), rows.end());
        // The empty row of an empty list holds no QSO.
        rows.erase(std::remove_if(rows.begin(), rows.end(),
                                  [&](int r) { return m_outModel->position(r) < 1; }),
                   rows.end());
        QList<int> positions;
        QList<CompactQso> listed;
        for (int r : rows) {
            positions.append(m_outModel->position(r));
            listed.append(m_outModel->qso(r));
        }
        if (positions.isEmpty()) {
            QMessageBox::information(this, QStringLiteral("Dalu"),
                                     uiText("Keine QSOs zum Drucken."));
            return;
        }
        if (outListOutdated())
            return;
        LabelPrintDialog dialog(m_station.settings(), this);
        if (dialog.exec() != QDialog::Accepted)
            return;
        dialog.save(m_station.settings());
        m_station.saveSettings();

        LabelPainter::Request request;
        request.layout = dialog.layout();
        request.startCell = dialog.startCell();
        request.cards = dialog.cards();
        request.ownCall = SettingsKeys::read(m_station.settings(), SettingsKeys::EigenesCall);
        if (request.cards && !dialog.background().isEmpty()) {
            request.background = QImage(dialog.background());
            if (request.background.isNull())
                throw DaluError(uiText("Das Kartenbild \"%1\" kann nicht gelesen werden.")
                                    .arg(dialog.background()));
        }
        const QList<QslLabels::Label> labels = QslLabels::group(
            listed, positions, dialog.qsosPerLabel(),
            QslLabels::confirmedCalls(m_station.qsos())); // "TNX QSL" once a card is in
        if (!PrintOutput::run(this, dialog.target(), dialog.pdfPath(),
                              LabelPainter::job(labels, request)))
            return;
        if (QMessageBox::question(
                this, QStringLiteral("Dalu"),
                uiText("Sind die %1 Etiketten richtig gedruckt? Nur dann werden %2 QSOs mit dem "
                       "heutigen Datum als gesendet markiert.")
                    .arg(labels.size())
                    .arg(positions.size()),
                QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
            return;
        if (outListOutdated())
            return;
        const QDate today = QDate::currentDate();
        m_station.rewriteLog(
            [&](const QString& path) { QslLabelMarks::markSent(path, positions, listed, today); });
        // The rows show their date, as after a mark by Enter.
        for (int i = 0; i < rows.size(); ++i) {
            TQsoRecord record = listed.at(i).toRecord();
            record[QsoField::QslOut] = GermanFormat::formatDate(today);
            m_outModel->setQso(rows.at(i), CompactQso(record).shownInList());
        }
        // The rewrite was this page's own: the rows know what it wrote.
        m_outListStale = false;
    });
}

bool TQslPage::outListOutdated() {
    m_station.refreshIfChanged();
    if (!m_outListStale)
        return false;
    QMessageBox::warning(
        this, QStringLiteral("Dalu"),
        uiText("Das Log wurde seit dem Erstellen der Liste von einem anderen "
               "Programm ge\u00e4ndert; nichts wurde markiert. Bitte die Liste neu "
               "erstellen."));
    return true;
}

// The button's caption has no line in the language files.
void TQslPage::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        m_labelsButton->setText(uiText("Etiketten drucken"));
    QWidget::changeEvent(event);
}
