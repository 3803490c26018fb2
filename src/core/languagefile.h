#pragma once

#include <QByteArrayView>
#include <QString>

#include <array>

class QIODevice;

// The texts of one language file, by line: every caption, list and message text the
// windows show. A line the file did not have reads as the empty text.
class LanguageTexts {
public:
    static constexpr int kLineCount = 275;

    static constexpr int lineCount() { return kLineCount; }
    // line is 1-based; lines outside 1 ... lineCount() read as empty.
    QString text(int line) const;
    void setText(int line, const QString& text);

private:
    std::array<QString, kLineCount> m_lines;
};

// Decodes Windows-1252 bytes: each line whole (blanks kept, only CR LF or LF removed),
// "#13#10" turned into CR LF, lines past lineCount() ignored.
LanguageTexts parseLanguageTexts(QByteArrayView bytes);
// Reads the rest of an open device.
LanguageTexts readLanguageTexts(QIODevice& device);
// A missing or unreadable file throws DaluError with the path and the system's text.
LanguageTexts readLanguageFile(const QString& path);
