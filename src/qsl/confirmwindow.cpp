#include "confirmwindow.h"

#include "busyprogress.h"
#include "confirmreport.h"
#include "errorboundary.h"
#include "logfile.h"
#include "lotwupload.h"
#include "settingskeys.h"
#include "station.h"
#include "stationtexts.h"
#include "uitexts.h"
#include "wizardfiledialog.h"

#include <QAbstractButton>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QPlainTextEdit>
#include <QStandardPaths>
#include <QVBoxLayout>

TConfirmWindow::TConfirmWindow(Station& station, QWidget* parent)
    : QObject(parent), m_station(station), m_parent(parent) {
    connect(&station.texts(), &StationTexts::changed, this, [this] {
        for (const auto& [button, german] : m_captions)
            button->setText(uiText(german));
    });
}

void TConfirmWindow::caption(QAbstractButton* button, const char* german) {
    button->setText(uiText(german));
    m_captions.append({button, german});
}

void TConfirmWindow::chooseAndImport() {
    if (!m_station.hasLog())
        return;
    FileChoice choice;
    choice.title = uiText("QSL / Best\u00e4tigungen einlesen");
    choice.filter = uiText("LoTW- oder eQSL-Bericht (*.adi;*.adif)") +
                    QStringLiteral("|*.adi;*.adif|") + uiText("Alle Dateien (*.*)") +
                    QStringLiteral("|*.*");
    choice.mustExist = true;
    const QString chosen = WizardFileDialog::choose(m_parent->window(), choice);
    if (!chosen.isEmpty())
        importReport(chosen);
}

void TConfirmWindow::importReport(const QString& reportPath) {
    if (!m_station.hasLog())
        return;
    ErrorBoundary::run(m_parent, [&] {
        const ConfirmReport::ImportResult result =
            ConfirmReport::importFile(m_station.log()->FileName(), reportPath);
        emit imported();
        showLines(uiText("QSL / Best\u00e4tigungen einlesen"), result.lines());
    });
}

void TConfirmWindow::exportForLotw() {
    if (!m_station.hasLog())
        return;
    ErrorBoundary::run(m_parent, [&] {
        const QString logPath = m_station.log()->FileName();
        const QString adifPath = logPath + QStringLiteral(".lotw.adi");
        const QString tqsl = QStandardPaths::findExecutable(QStringLiteral("tqsl"));
        const QString location =
            SettingsKeys::read(m_station.settings(), SettingsKeys::TqslLocation);
        QStringList lines;
        if (tqsl.isEmpty() || location.isEmpty()) {
            const LotwUpload::Exported exported =
                LotwUpload::exportPending(logPath, adifPath, ConfirmSource::LotwSent);
            lines << uiText("%1 QSOs nach %2 geschrieben.")
                         .arg(exported.qsos.size())
                         .arg(QDir::toNativeSeparators(adifPath));
            if (tqsl.isEmpty()) {
                LotwUpload::markSent(logPath, exported.qsos, ConfirmSource::LotwSent);
                lines << uiText("tqsl ist nicht installiert: bitte die Datei selbst bei LoTW "
                                "hochladen. Die QSOs gelten als exportiert.");
            } else {
                lines << uiText(
                    "Kein TQSL-Stationsort in den Optionen (Best\u00e4tigungen): nichts "
                    "hochgeladen, nichts markiert.");
            }
        } else {
            const BusyProgress busy(m_parent);
            const LotwUpload::UploadResult result =
                LotwUpload::uploadPending(logPath, adifPath, location, tqsl);
            lines << uiText("%1 QSOs nach %2 geschrieben.")
                         .arg(result.exported.qsos.size())
                         .arg(QDir::toNativeSeparators(adifPath));
            if (result.exported.qsos.isEmpty()) {
                lines << uiText("Keine QSOs, die noch nicht hochgeladen sind.");
            } else {
                lines << uiText("tqsl meldet (Status %1):").arg(result.answer.exitCode)
                      << result.answer.message
                      << (result.marked
                              ? uiText("Hochgeladen; die QSOs sind als hochgeladen vermerkt.")
                              : uiText("Nicht hochgeladen; keine QSOs als hochgeladen vermerkt."));
            }
        }
        showLines(uiText("F\u00fcr LoTW exportieren"), lines);
    });
}

void TConfirmWindow::exportForEqsl() {
    if (!m_station.hasLog())
        return;
    ErrorBoundary::run(m_parent, [&] {
        const QString logPath = m_station.log()->FileName();
        const QString adifPath = logPath + QStringLiteral(".eqsl.adi");
        const LotwUpload::Exported exported =
            LotwUpload::exportPending(logPath, adifPath, ConfirmSource::EqslSent);
        LotwUpload::markSent(logPath, exported.qsos, ConfirmSource::EqslSent);
        showLines(uiText("F\u00fcr eQSL exportieren"),
                  {uiText("%1 QSOs nach %2 geschrieben.")
                       .arg(exported.qsos.size())
                       .arg(QDir::toNativeSeparators(adifPath)),
                   uiText("Bitte die Datei auf der Upload-Seite von eQSL hochladen.")});
    });
}

void TConfirmWindow::showLines(const QString& title, const QStringList& lines) {
    auto* dialog = new QDialog(m_parent->window());
    dialog->setObjectName(QStringLiteral("ConfirmResultDialog"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(title);
    auto* memo = new QPlainTextEdit(lines.join(QLatin1Char('\n')), dialog);
    memo->setObjectName(QStringLiteral("confirmResultMemo"));
    memo->setReadOnly(true);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, dialog);
    connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(memo);
    layout->addWidget(buttons);
    dialog->resize(560, 360);
    dialog->open();
}
