#pragma once

#include "uitexts.h"

#include <QObject>
#include <QStringList>

#include <memory>

class QTranslator;

// The texts of the chosen language, one object for all three kinds: the message lines of
// the language file (msg), the program's own texts without a line there (text), and Qt's
// own dialogs (its translation, installed with the language).
class StationTexts : public QObject {
    Q_OBJECT
public:
    StationTexts();
    ~StationTexts() override;

    UiLanguage language() const { return m_language; }
    // Switches the program's own texts and Qt's; the message lines come with messages().
    void setLanguage(UiLanguage language);
    // A message text of the language file by line number (empty until loaded).
    QString msg(int line) const;
    void setMessages(const QStringList& lines);
    // The program's own text for its German key, in the chosen language.
    QString text(const char* german) const { return uiTextIn(m_language, german); }

signals:
    // After a new language file is applied: pages renew the texts they built themselves.
    void changed();

private:
    UiLanguage m_language = UiLanguage::German;
    QStringList m_messages;
    std::unique_ptr<QTranslator> m_qtTranslator;
};
