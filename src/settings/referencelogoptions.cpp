#include "referencelogoptions.h"

#include "errorboundary.h"
#include "languagetargets.h"
#include "meminifile.h"
#include "settingskeys.h"
#include "station.h"
#include "widgetfactory.h"
#include "wizardfiledialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const char* const kHelpLines[] = {"In der Standardfunktion k\u00f6nnen die ",
                                  "Referenz-Logs durch Dr\u00fccken von [Ctrl] + ",
                                  "[R] durchsucht werden. Das erste QSO, ",
                                  "das gefunden wird und bei dem das Call ",
                                  "mit dem eingegebenen \u00fcbereinstimmt, wird ",
                                  "genutzt um die Felder DOK, Name, QTH und ",
                                  "Locator in der Eingabemaske auszuf\u00fcllen.",
                                  "In der Luxusfunktion werden bei Eingabe ",
                                  "eines Call in der Liste unter der ",
                                  "Eingabemaske alle passenden QSOs aus ",
                                  "aktuellem und allen Referenz-Logs ",
                                  "eingeblendet. Durch [Return] oder ",
                                  "Doppelklick k\u00f6nnen die o.g. Felder aus ",
                                  "dem angezeigten QSO in die Eingabemaske ",
                                  "\u00fcbernommen werden. [Ctrl] + [R] wirkt ",
                                  "wie oben."};

QPlainTextEdit* newHelpMemo(QWidget* page) {
    auto* memo = new QPlainTextEdit(page);
    memo->setObjectName(QStringLiteral("Memo6"));
    memo->setReadOnly(true);
    QFont font(QStringLiteral("Lucida Console"));
    font.setStyleHint(QFont::Monospace);
    memo->setFont(font);
    WidgetFactory::setColour(memo, QPalette::Text, QColor(255, 0, 0));
    QStringList lines;
    for (const char* line : kHelpLines)
        lines.append(QString::fromUtf8(line));
    memo->setPlainText(lines.join(QLatin1Char('\n')));
    return memo;
}

QByteArray numbered(const char* prefix, int n, const char* suffix) {
    return QByteArray(prefix) + QByteArray::number(n) + suffix;
}

} // namespace

TReferenceLogOptions::TReferenceLogOptions(Station& station, QWidget* page)
    : QObject(page), m_station(station) {
    rStandartRadioBtn = new QRadioButton(QStringLiteral("Standardfunktion (schneller)"), page);
    rStandartRadioBtn->setObjectName(QStringLiteral("rStandartRadioBtn"));
    rStandartRadioBtn->setChecked(true);
    rLuxusRadioBtn = new QRadioButton(QStringLiteral("Luxusfunktion (langsamer)"), page);
    rLuxusRadioBtn->setObjectName(QStringLiteral("rLuxusRadioBtn"));
    QLabel* logsLabel = WidgetFactory::label("Label71", QStringLiteral("Referenz-Logs:"), page);

    auto* logs = new QGridLayout;
    for (int i = 0; i < kLogCount; ++i) {
        const int n = i + 1;
        QLabel* number = WidgetFactory::label(numbered("rLog", n, "Label").constData(),
                                              QString::number(n) + QLatin1Char('.'), page);
        rLogEdit[i] = new QLineEdit(page);
        rLogEdit[i]->setObjectName(QLatin1String(numbered("rLog", n, "Edit")));
        rLogBtn[i] = new QToolButton(page);
        rLogBtn[i]->setObjectName(QLatin1String(numbered("rLog", n, "Btn")));
        rLogBtn[i]->setText(QStringLiteral("..."));
        logs->addWidget(number, i, 0);
        logs->addWidget(rLogEdit[i], i, 1);
        logs->addWidget(rLogBtn[i], i, 2);
        connect(rLogEdit[i], &QLineEdit::textChanged, this, &TReferenceLogOptions::rLogEditChange);
        connect(rLogBtn[i], &QToolButton::clicked, this, &TReferenceLogOptions::rLog1BtnClick);
    }
    QPlainTextEdit* helpMemo = newHelpMemo(page);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(rStandartRadioBtn);
    layout->addWidget(rLuxusRadioBtn);
    layout->addWidget(logsLabel);
    layout->addLayout(logs);
    layout->addWidget(helpMemo, 1);
    connect(rStandartRadioBtn, &QRadioButton::clicked, this,
            &TReferenceLogOptions::rLuxusRadioBtnClick);
    connect(rLuxusRadioBtn, &QRadioButton::clicked, this,
            &TReferenceLogOptions::rLuxusRadioBtnClick);
}

void TReferenceLogOptions::load() {
    const TMemIniFile& ini = m_station.settings();
    (SettingsKeys::read(ini, SettingsKeys::Luxusfunktion) ? rLuxusRadioBtn : rStandartRadioBtn)
        ->setChecked(true);
    for (int i = 0; i < kLogCount; ++i) {
        const QSignalBlocker block(rLogEdit[i]);
        rLogEdit[i]->setText(SettingsKeys::read(ini, SettingsKeys::referenceLog(i + 1)));
    }
}

QString TReferenceLogOptions::logPath(int i) const {
    return rLogEdit[i]->text();
}

void TReferenceLogOptions::rLuxusRadioBtnClick() {
    if (!m_station.initialised())
        return;
    SettingsKeys::write(m_station.settings(), SettingsKeys::Luxusfunktion,
                        rLuxusRadioBtn->isChecked());
    ErrorBoundary::run(rLuxusRadioBtn->window(), [this] { m_station.settings().UpdateFile(); });
}

void TReferenceLogOptions::rLogEditChange() {
    if (m_station.initialised())
        saveLogs();
}

void TReferenceLogOptions::saveLogs() {
    for (int i = 0; i < kLogCount; ++i)
        SettingsKeys::write(m_station.settings(), SettingsKeys::referenceLog(i + 1),
                            rLogEdit[i]->text());
    ErrorBoundary::run(rLuxusRadioBtn->window(), [this] { m_station.settings().UpdateFile(); });
}

void TReferenceLogOptions::rLog1BtnClick() {
    const QString name = sender() ? sender()->objectName() : QString();
    for (int i = 0; i < kLogCount; ++i) {
        if (name != QLatin1String(numbered("rLog", i + 1, "Btn")))
            continue;
        FileChoice choice;
        choice.title = m_station.msg(Msg::RefLogDialogTitle);
        choice.filter = m_station.msg(Msg::RefLogDialogFilter);
        choice.directory = rLogEdit[i]->text();
        choice.mustExist = true;
        const QString chosen = WizardFileDialog::choose(rLogBtn[i]->window(), choice);
        if (chosen.isEmpty())
            return;
        const QSignalBlocker block(rLogEdit[i]);
        rLogEdit[i]->setText(chosen);
        saveLogs();
        return;
    }
}
