#include "textform.h"
#include "uitexts.h"

#include "atomicfilewriter.h"
#include "cp1252.h"
#include "daluerror.h"
#include "errorboundary.h"

#include <QFile>
#include <QFileDialog>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QVBoxLayout>

const char* const TTextForm::kFileFilter = "Textdateien (*.txt);;Alle Dateien (*.*)";

TTextForm::TTextForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TextForm"));
    setModal(true);
    setWindowTitle(QStringLiteral("Texteditor"));
    resize(500, 350);

    auto* menuBar = new QMenuBar(this);
    ext1 = menuBar->addMenu(QStringLiteral("Text"));
    ext1->setObjectName(QStringLiteral("ext1"));
    Laden1 = ext1->addAction(QStringLiteral("Laden..."), this, &TTextForm::Laden1Click);
    Laden1->setObjectName(QStringLiteral("Laden1"));
    Speichern1 = ext1->addAction(QStringLiteral("Speichern..."), this, &TTextForm::Speichern1Click);
    Speichern1->setObjectName(QStringLiteral("Speichern1"));
    Format1 = menuBar->addMenu(QStringLiteral("Format"));
    Format1->setObjectName(QStringLiteral("Format1"));
    Zeilenumbruch1 =
        Format1->addAction(QStringLiteral("Zeilenumbruch"), this, &TTextForm::Zeilenumbruch1Click);
    Zeilenumbruch1->setObjectName(QStringLiteral("Zeilenumbruch1"));
    Zeilenumbruch1->setCheckable(true);

    Memo = new QPlainTextEdit(this);
    Memo->setObjectName(QStringLiteral("Memo"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setMenuBar(menuBar);
    layout->addWidget(Memo);
    setWordWrap(false);
}

QString TTextForm::text() const {
    return Memo->toPlainText();
}

void TTextForm::setText(const QString& text) {
    Memo->setPlainText(text);
}

void TTextForm::setWordWrap(bool on) {
    Zeilenumbruch1->setChecked(on);
    Memo->setLineWrapMode(on ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo->setHorizontalScrollBarPolicy(on ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAlwaysOn);
}

void TTextForm::loadFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw DaluError::io(uiText("Fehler beim \u00d6ffnen von"), path, file.errorString());
    QString text = fromCp1252(file.readAll());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1); // the last line's end is no empty line of its own
    Memo->setPlainText(text);
}

void TTextForm::saveFile(const QString& path) const {
    QByteArray content = toCp1252(transliterateForCp1252(Memo->toPlainText()));
    content.replace("\n", "\r\n");
    content.append("\r\n");
    AtomicFileWriter writer(path);
    writer.write(content);
    writer.commit();
}

void TTextForm::Laden1Click() {
    runFileDialog(uiText("Text laden ..."), false, [this](const QString& path) { loadFile(path); });
}

void TTextForm::Speichern1Click() {
    runFileDialog(uiText("Text speichern ..."), true,
                  [this](const QString& path) { saveFile(path); });
}

void TTextForm::runFileDialog(const QString& title, bool save,
                              std::function<void(const QString&)> action) {
    auto* dialog = new QFileDialog(this, title, QString(), uiText(kFileFilter));
    dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog->setDefaultSuffix(QStringLiteral("txt"));
    dialog->setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QFileDialog::fileSelected, this, [this, action](const QString& path) {
        ErrorBoundary::run(this, [&] { action(path); });
    });
    dialog->open();
}

void TTextForm::Zeilenumbruch1Click() {
    setWordWrap(Zeilenumbruch1->isChecked());
}
