#include "generaloptions.h"

#include "errorboundary.h"
#include "germanformat.h"
#include "maskrules.h"
#include "meminifile.h"
#include "programdir.h"
#include "settingskeys.h"
#include "station.h"
#include "utcdifference.h"
#include "widgetfactory.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace {

QLineEdit* namedEdit(const char* name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    return edit;
}

QString withTrailingSeparator(QString path) {
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}

} // namespace

TGeneralOptions::TGeneralOptions(Station& station, QWidget* page)
    : QObject(page), m_station(station) {
    QLabel* ownCallLabel = WidgetFactory::label("Label5", QStringLiteral("Eigenes Call:"), page);
    QLabel* ownLocatorLabel =
        WidgetFactory::label("Label6", QStringLiteral("Eigener Locator:"), page);
    QLabel* utcDiffLabel =
        WidgetFactory::label("Label8", QStringLiteral("UTC-Differenz (Stunden):"), page);
    QslPathLabel =
        WidgetFactory::label("QslPathLabel", QStringLiteral("Pfad f\u00fcr QSL-Karten"), page);
    EigCallEdit = namedEdit("EigCallEdit", page);
    EigLocatorEdit = namedEdit("EigLocatorEdit", page);
    EigLocatorEdit->setMaxLength(6);
    UtcDiffEdit = namedEdit("UtcDiffEdit", page);
    UtcDiffEdit->setMaximumWidth(60);
    UtcDiffAutoCheckBox = new QCheckBox(QStringLiteral("automatisch ermitteln"), page);
    UtcDiffAutoCheckBox->setObjectName(QStringLiteral("UtcDiffAutoCheckBox"));
    QslPathEdit = namedEdit("QslPathEdit", page);
    QslPathBtn = new QToolButton(page);
    QslPathBtn->setObjectName(QStringLiteral("QslPathBtn"));
    QslPathBtn->setText(QStringLiteral("..."));

    auto* grid = new QGridLayout(page);
    grid->addWidget(ownCallLabel, 0, 0);
    grid->addWidget(EigCallEdit, 0, 1);
    grid->addWidget(ownLocatorLabel, 1, 0);
    grid->addWidget(EigLocatorEdit, 1, 1);
    grid->addWidget(utcDiffLabel, 2, 0);
    grid->addWidget(UtcDiffEdit, 2, 1, Qt::AlignLeft);
    grid->addWidget(UtcDiffAutoCheckBox, 2, 2);
    grid->addWidget(QslPathLabel, 3, 0);
    grid->addWidget(QslPathEdit, 3, 1, 1, 2);
    grid->addWidget(QslPathBtn, 3, 3);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(4, 1);

    for (QLineEdit* edit : {EigCallEdit, EigLocatorEdit, UtcDiffEdit, QslPathEdit})
        connect(edit, &QLineEdit::textChanged, this, &TGeneralOptions::AllgemeinEditChange);
    connect(UtcDiffEdit, &QLineEdit::editingFinished, this, &TGeneralOptions::UtcDiffEditExit);
    connect(UtcDiffAutoCheckBox, &QCheckBox::clicked, this,
            &TGeneralOptions::UtcDiffAutoCheckBoxClick);
    connect(QslPathBtn, &QToolButton::clicked, this, [this] {
        const QString dir = QFileDialog::getExistingDirectory(
            QslPathBtn->window(), QslPathLabel->text(), QslPathEdit->text());
        if (!dir.isEmpty())
            QslPathEdit->setText(withTrailingSeparator(dir));
    });
}

void TGeneralOptions::load() {
    using namespace SettingsKeys;
    const TMemIniFile& ini = m_station.settings();
    {
        // Loading writes nothing: the call set first would store the locator not yet set.
        const QSignalBlocker blockCall(EigCallEdit);
        const QSignalBlocker blockLocator(EigLocatorEdit);
        EigCallEdit->setText(read(ini, EigenesCall));
        EigLocatorEdit->setText(read(ini, EigenerLocator));
    }
    const bool automatic = read(ini, UtcDiffAuto);
    UtcDiffAutoCheckBox->setChecked(automatic);
    UtcDiffEdit->setEnabled(!automatic);
    if (automatic)
        showAutomaticDifference();
    else
        UtcDiffEdit->setText(ini.ReadString(QLatin1String(UtcDiff.section),
                                            QLatin1String(UtcDiff.key), QStringLiteral("0")));
    applyUtcOffset(true);
    const QString qslPath = read(ini, QslPath);
    QslPathEdit->setText(qslPath.isEmpty() ? programDirectory() : qslPath);
}

void TGeneralOptions::showAutomaticDifference() {
    const QSignalBlocker block(UtcDiffEdit);
    UtcDiffEdit->setText(
        QString::fromLatin1(GermanFormat::formatDecimal(UtcDifference::automatic())));
}

void TGeneralOptions::applyUtcOffset(bool report) {
    const std::optional<int> hours = MaskRules::wholeHours(UtcDiffEdit->text());
    if (hours) {
        emit utcOffsetChanged(*hours);
        return;
    }
    if (report)
        ErrorBoundary::show(
            UtcDiffEdit->window(),
            QStringLiteral("\"%1\" ist keine ganze Zahl von Stunden.").arg(UtcDiffEdit->text()));
}

void TGeneralOptions::AllgemeinEditChange() {
    if (!m_station.initialised())
        return;
    using namespace SettingsKeys;
    TMemIniFile& ini = m_station.settings();
    write(ini, EigenesCall, EigCallEdit->text());
    write(ini, EigenerLocator, EigLocatorEdit->text());
    // An unfinished number ("-") is kept in memory as typed and reported when the edit is
    // left, not at every keystroke.
    if (const std::optional<double> diff =
            GermanFormat::parseDecimal(UtcDiffEdit->text().toLatin1()))
        write(ini, UtcDiff, *diff);
    write(ini, QslPath, withTrailingSeparator(QslPathEdit->text()));
    ErrorBoundary::run(UtcDiffEdit->window(), [&] { ini.UpdateFile(); });
    if (UtcDiffAutoCheckBox->isChecked())
        showAutomaticDifference();
    applyUtcOffset(false);
}

void TGeneralOptions::UtcDiffEditExit() {
    if (m_station.initialised() && !UtcDiffAutoCheckBox->isChecked())
        applyUtcOffset(true);
}

void TGeneralOptions::UtcDiffAutoCheckBoxClick() {
    if (!m_station.initialised())
        return;
    const bool automatic = UtcDiffAutoCheckBox->isChecked();
    SettingsKeys::write(m_station.settings(), SettingsKeys::UtcDiffAuto, automatic);
    ErrorBoundary::run(UtcDiffEdit->window(), [&] { m_station.settings().UpdateFile(); });
    UtcDiffEdit->setEnabled(!automatic);
    if (automatic)
        showAutomaticDifference();
    applyUtcOffset(false);
}
