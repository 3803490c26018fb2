#include "callbooklookup.h"

#include "callbookaccess.h"
#include "cp1252.h"
#include "entrypage.h"
#include "languagetargets.h"
#include "mainform.h"
#include "optionspage.h"
#include "racoptions.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>

namespace CallBookLookup {

std::unique_ptr<TCallBook> open(const QString& configuredFile) {
    const QFileInfo file(configuredFile);
    if (configuredFile.isEmpty() || !file.isFile())
        return nullptr;
    return std::make_unique<TCallBook>(file.absolutePath());
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
    TEntryPage& mask = *form.entryPage;
    const TCallInfo info = book->GetCallInfo(mask.CallEdit->text());
    if (info.Error != 0) {
        QMessageBox::critical(&form, form.windowTitle(),
                              QString::number(info.Error) + QStringLiteral(": ") +
                                  form.msg(CallBookInfo::messageLine(info.Error)));
        return;
    }
    const CallBookInfo::MaskData data =
        CallBookInfo::forMask(info, form.optionsPage->racOptions->takeOver());
    if (data.name)
        mask.NameEdit->setText(fromCp1252(*data.name));
    for (const QByteArray& line : data.commentLines)
        mask.CommentsMemo->appendPlainText(fromCp1252(line));
}

} // namespace CallBookLookup
