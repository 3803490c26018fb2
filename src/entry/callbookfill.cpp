#include "callbookfill.h"

#include "callbookaccess.h"
#include "cp1252.h"
#include "entrypage.h"
#include "languagetargets.h"
#include "meminifile.h"
#include "settingskeys.h"
#include "station.h"

#include <QApplication>
#include <QMessageBox>
#include <QThread>

#include <memory>

namespace CallBookFill {

namespace {

// One lookup under way: a child of the mask while its thread runs. The library is code of
// another party reading a database the operator chose; however long it takes, the window
// goes on and the QSO typed so far stays.
class Run : public QObject {
public:
    static constexpr const char* kName = "CallbookLookupRun";

    Run(Station& station, TEntryPage& mask, const QString& call)
        : QObject(&mask), m_station(station), m_mask(mask), m_call(call) {
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
        // The operator moved on to another call meanwhile: the answer is for none of it.
        if (m_mask.callText() != m_call)
            return;
        QWidget* window = m_mask.window();
        if (info.Error != 0) {
            QMessageBox::critical(window, window->windowTitle(),
                                  QString::number(info.Error) + QStringLiteral(": ") +
                                      m_station.msg(CallBookInfo::messageLine(info.Error)));
            return;
        }
        const CallBookInfo::MaskData data = CallBookInfo::forMask(info, takeOver());
        if (data.name)
            m_mask.setText(QsoField::Name, fromCp1252(*data.name));
        for (const QByteArray& line : data.commentLines)
            m_mask.appendComment(fromCp1252(line));
    }

    // The data the options page has ticked.
    CallBookInfo::TakeOver takeOver() const {
        const TMemIniFile& ini = m_station.settings();
        bool ticked[std::size(SettingsKeys::kRacDataKeys)];
        for (std::size_t i = 0; i < std::size(ticked); ++i)
            ticked[i] =
                SettingsKeys::read(ini, SettingsKeys::racData(SettingsKeys::kRacDataKeys[i]));
        return {ticked[0], ticked[1], ticked[2], ticked[3], ticked[4], ticked[5]};
    }

    Station& m_station;
    TEntryPage& m_mask;
    QString m_call;
};

} // namespace

bool isBusy(const TEntryPage& mask) {
    return mask.findChild<QObject*>(QLatin1String(Run::kName), Qt::FindDirectChildrenOnly) !=
           nullptr;
}

void fillMask(Station& station, TEntryPage& mask) {
    QWidget* window = mask.window();
    const TCallBook* book = station.callBook();
    if (!book || !book->isAvailable()) {
        QString text = station.msg(Msg::CallBookMissing);
        if (book)
            text += QStringLiteral("\n\n") + book->problem();
        QMessageBox::critical(window, window->windowTitle(), text);
        return;
    }
    if (isBusy(mask)) {
        QApplication::beep(); // the answer to the last request is still to come
        return;
    }
    const QString call = mask.callText();
    (new Run(station, mask, call))->start(book->lookupJob(call));
}

} // namespace CallBookFill
