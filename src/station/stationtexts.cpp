#include "stationtexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

StationTexts::StationTexts() = default;
StationTexts::~StationTexts() {
    if (m_qtTranslator)
        QCoreApplication::removeTranslator(m_qtTranslator.get());
}

void StationTexts::setLanguage(UiLanguage language) {
    m_language = language;
    // The core's error texts read the same choice.
    setUiLanguage(language);
    if (!m_qtTranslator)
        m_qtTranslator = std::make_unique<QTranslator>();
    QCoreApplication::removeTranslator(m_qtTranslator.get());
    const QString name =
        language == UiLanguage::English ? QStringLiteral("qtbase_en") : QStringLiteral("qtbase_de");
    if (m_qtTranslator->load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(m_qtTranslator.get());
}

QString StationTexts::msg(int line) const {
    return line >= 1 && line <= m_messages.size() ? m_messages.at(line - 1) : QString();
}

void StationTexts::setMessages(const QStringList& lines) {
    m_messages = lines;
    emit changed();
}
