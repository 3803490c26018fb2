#include "callbooklookup.h"

#include "callbookaccess.h"
#include "cp1252.h"
#include "entrypage.h"
#include "languagetargets.h"
#include "mainform.h"
#include "optionspage.h"
#include "programdir.h"
#include "racoptions.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QThread>

#include <memory>

namespace CallBookLookup {

namespace {

// One lookup under way: a child of the main window while its thread runs. The library is
// code of another party reading a database the operator chose; however long it takes,
// the window goes on and the QSO typed so far stays.
class Run : public QObject {
public:
    static constexpr const char* kName = "CallbookLookupRun";

    Run(TMainForm& form, const QString& call) : QObject(&form), m_form(form), m_call(call) {
        setObjectName(QLatin1String(kName));
    }

    void start(std::function<TCallInfo()> job) {
        auto result = std::make_shared<TCallInfo>();
        // Not owned by the window: a thread still in the library when the window goes
        // must not be destroyed under it. It deletes itself once it has ended.
        QThread* thread = QThread::create([job = std::move(job), result] { *result = job(); });
        thread->setObjectName(QStringLiteral("CallbookLookup"));
        connect(thread, &QThread::finished, thread, &QObject::deleteLater);
        connect(thread, &QThread::finished, this, [this, result] {
            deleteLater();
            show(*result);
        });
        thread->start();
    }

private:
    void show(const TCallInfo& info) {
        TEntryPage& mask = *m_form.entryPage;
        // The operator moved on to another call meanwhile: the answer is for none of it.
        if (mask.CallEdit->text() != m_call)
            return;
        if (info.Error != 0) {
            QMessageBox::critical(&m_form, m_form.windowTitle(),
                                  QString::number(info.Error) + QStringLiteral(": ") +
                                      m_form.msg(CallBookInfo::messageLine(info.Error)));
            return;
        }
        const CallBookInfo::MaskData data =
            CallBookInfo::forMask(info, m_form.optionsPage->racOptions->takeOver());
        if (data.name)
            mask.NameEdit->setText(fromCp1252(*data.name));
        for (const QByteArray& line : data.commentLines)
            mask.CommentsMemo->appendPlainText(fromCp1252(line));
    }

    TMainForm& m_form;
    QString m_call;
};

} // namespace

QString configuredPath(const QString& configuredFile) {
    if (configuredFile.isEmpty() || QDir::isAbsolutePath(configuredFile))
        return configuredFile;
    // Relative as Dalu.ini holds it: from the program directory, wherever Dalu was started.
    return QDir::cleanPath(programDirectory() + configuredFile);
}

std::unique_ptr<TCallBook> open(const QString& configuredFile) {
    const QFileInfo file(configuredPath(configuredFile));
    if (configuredFile.isEmpty() || !file.isFile())
        return nullptr;
    return std::make_unique<TCallBook>(file.absolutePath());
}

bool isBusy(const TMainForm& form) {
    return form.findChild<QObject*>(QLatin1String(Run::kName), Qt::FindDirectChildrenOnly) !=
           nullptr;
}

void fillMask(TMainForm& form) {
    const TCallBook* book = form.callBook();
    if (!book || !book->isAvailable()) {
        QString text = form.msg(Msg::CallBookMissing);
        if (book)
            text += QStringLiteral("\n\n") + book->problem();
        QMessageBox::critical(&form, form.windowTitle(), text);
        return;
    }
    if (isBusy(form)) {
        QApplication::beep(); // the answer to the last request is still to come
        return;
    }
    const QString call = form.entryPage->CallEdit->text();
    (new Run(form, call))->start(book->lookupJob(call));
}

} // namespace CallBookLookup
