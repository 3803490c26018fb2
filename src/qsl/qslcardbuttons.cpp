#include "qslcardbuttons.h"

#include "cardimage.h"
#include "daluerror.h"
#include "editpage.h"
#include "errorboundary.h"
#include "languagetargets.h"
#include "mainform.h"
#include "qslcardfile.h"
#include "qslinshowform.h"
#include "uitexts.h"
#include "wizardfiledialog.h"

#include <QMessageBox>
#include <QPushButton>

TQslCardButtons::TQslCardButtons(TMainForm& mainForm, QObject* parent)
    : QObject(parent), m_mainForm(mainForm) {
    TEditPage* edit = mainForm.editPage;
    connect(edit, &TEditPage::qslCardAddRequested, this, &TQslCardButtons::eQslInAddBtnClick);
    connect(edit, &TEditPage::qslCardShowRequested, this, &TQslCardButtons::eQslInShowBtnClick);
}

void TQslCardButtons::eQslInAddBtnClick(const QString& title, const QString& cardFile) {
    TEditPage* edit = m_mainForm.editPage;
    FileChoice choice;
    choice.title = title;
    // The language file offers JPEG; scans saved as PNG or BMP are shown as well.
    choice.filter = m_mainForm.msg(Msg::QslImageFilter) + QLatin1Char('|') +
                    uiText("Alle Bilder (*.jpg;*.jpeg;*.png;*.bmp)") +
                    QStringLiteral("|*.jpg;*.jpeg;*.png;*.bmp");
    choice.mustExist = true;
    const QString chosen = WizardFileDialog::choose(edit->window(), choice);
    if (!chosen.isEmpty()) {
        const QString move = chosen + QStringLiteral(" --> ") + cardFile;
        try {
            QslCardFile::moveCard(chosen, cardFile);
            QMessageBox::information(edit->window(), QStringLiteral("Dalu"), move);
        } catch (const DaluError& e) {
            QMessageBox box(QMessageBox::Critical, QStringLiteral("Dalu"),
                            QStringLiteral("ERROR (") + move, QMessageBox::Ok, edit->window());
            box.setInformativeText(e.message());
            box.exec();
        }
    }
    edit->refreshQslButtons(); // the show button follows the card file
}

void TQslCardButtons::eQslInShowBtnClick(const QString& cardFile) {
    TEditPage* edit = m_mainForm.editPage;
    auto* viewer = m_mainForm.findChild<TQslInShowForm*>(QStringLiteral("QslInShowForm"));
    if (!viewer)
        return;
    ErrorBoundary::run(edit->window(), [&] {
        viewer->setPicture(CardImage::load(cardFile));
        viewer->exec();
    });
}
