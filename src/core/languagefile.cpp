#include "languagefile.h"

#include "cp1252.h"
#include "daluerror.h"
#include "regularfile.h"

#include <QFile>
#include <QIODevice>

QString LanguageTexts::text(int line) const {
    if (line < 1 || line > kLineCount)
        return {};
    return m_lines[static_cast<std::size_t>(line - 1)];
}

void LanguageTexts::setText(int line, const QString& text) {
    if (line < 1 || line > kLineCount)
        return;
    m_lines[static_cast<std::size_t>(line - 1)] = text;
}

LanguageTexts parseLanguageTexts(QByteArrayView bytes) {
    LanguageTexts texts;
    qsizetype start = 0;
    for (int line = 1; line <= LanguageTexts::lineCount() && start < bytes.size(); ++line) {
        qsizetype end = bytes.indexOf('\n', start);
        const qsizetype next = end < 0 ? bytes.size() : end + 1;
        if (end < 0)
            end = bytes.size();
        else if (end > start && bytes.at(end - 1) == '\r')
            --end;
        QString text = fromCp1252(bytes.sliced(start, end - start));
        text.replace(QLatin1String("#13#10"), QLatin1String("\r\n"));
        texts.setText(line, text);
        start = next;
    }
    return texts;
}

LanguageTexts readLanguageTexts(QIODevice& device) {
    return parseLanguageTexts(device.readAll());
}

LanguageTexts readLanguageFile(const QString& path) {
    // Parsed only after the whole file was read, so a failed read changes no text.
    return parseLanguageTexts(RegularFile::readAll(path));
}
