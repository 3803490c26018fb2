#include "qslcardbuttons.h"

#include "cardimage.h"
#include "daluerror.h"
#include "errorboundary.h"
#include "languagetargets.h"
#include "qslcardfile.h"
#include "qslinshowform.h"
#include "station.h"
#include "uitexts.h"
#include "wizardfiledialog.h"

#include <QMessageBox>

TQslCardButtons::TQslCardButtons(Station& station, TQslInShowForm& viewer)
    : QObject(&viewer), m_station(station), m_viewer(viewer) {}

QWidget* TQslCardButtons::window() const {
    return m_viewer.parentWidget();
}

void TQslCardButtons::eQslInAddBtnClick(const QString& title, const QString& cardFile) {
    FileChoice choice;
    choice.title = title;
    // The language file offers JPEG; scans saved as PNG or BMP are shown as well.
    choice.filter = m_station.msg(Msg::QslImageFilter) + QLatin1Char('|') +
                    uiText("Alle Bilder (*.jpg;*.jpeg;*.png;*.bmp)") +
                    QStringLiteral("|*.jpg;*.jpeg;*.png;*.bmp");
    choice.mustExist = true;
    const QString chosen = WizardFileDialog::choose(window(), choice);
    if (chosen.isEmpty())
        return;
    const QString move = chosen + QStringLiteral(" --> ") + cardFile;
    try {
        QslCardFile::moveCard(chosen, cardFile);
    } catch (const DaluError& e) {
        QMessageBox box(QMessageBox::Critical, QStringLiteral("Dalu"),
                        QStringLiteral("ERROR (") + move, QMessageBox::Ok, window());
        box.setInformativeText(e.message());
        box.exec();
        return;
    }
    QMessageBox::information(window(), QStringLiteral("Dalu"), move);
    emit cardMoved();
}

void TQslCardButtons::eQslInShowBtnClick(const QString& cardFile) {
    ErrorBoundary::run(window(), [&] {
        m_viewer.setPicture(CardImage::load(cardFile));
        m_viewer.exec();
    });
}
