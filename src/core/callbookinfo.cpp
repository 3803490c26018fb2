#include "callbookinfo.h"

#include "cp1252.h"
#include "languagetargets.h"

#include <QFile>

namespace CallBookInfo {

QByteArray callArgument(const QString& call) {
    QByteArray bytes = toCp1252(call);
    for (char& c : bytes) {
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    }
    // Trim blanks and control characters, as the original trim does.
    int begin = 0;
    int end = int(bytes.size());
    while (begin < end && quint8(bytes.at(begin)) <= ' ')
        ++begin;
    while (end > begin && quint8(bytes.at(end - 1)) <= ' ')
        --end;
    return bytes.mid(begin, qMin(end - begin, kCallMax));
}

std::optional<QByteArray> pathArgument(const QString& folder) {
    QString path = folder;
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    const QByteArray bytes = QFile::encodeName(path);
    // A NUL inside would silently cut the path; too long would overrun the buffer.
    if (bytes.size() > kPathMax || bytes.contains('\0'))
        return std::nullopt;
    return bytes;
}

TCallInfo parseBuffer(const char* buffer, std::size_t size) {
    TCallInfo info;
    QByteArray nameAndAddress;
    QByteArray* field = nullptr;
    for (std::size_t i = 0; i < size && buffer[i] != '\0'; ++i) {
        const auto byte = static_cast<unsigned char>(buffer[i]);
        if (byte >= 32) {
            if (field)
                field->append(char(byte));
            continue;
        }
        switch (byte) {
        case 1:
            field = &info.CallText;
            break;
        case 2:
            field = &nameAndAddress;
            break;
        case 7:
            field = &info.Licence;
            break;
        case 22:
            field = &info.Comment;
            break;
        case 23:
            field = &info.FaxNr;
            break;
        case 24:
            field = &info.EMail;
            break;
        default:
            field = nullptr;
        }
    }
    if (!info.Licence.isEmpty())
        info.Licence.prepend("Licence Class: ");
    if (!info.FaxNr.isEmpty())
        info.FaxNr.prepend("Fax-Number: ");
    if (!info.EMail.isEmpty())
        info.EMail.prepend("e-Mail: ");
    const qsizetype comma = nameAndAddress.indexOf(", ");
    if (comma < 0) {
        info.Address = nameAndAddress;
    } else {
        info.Name = nameAndAddress.left(comma);
        info.Address = nameAndAddress.mid(comma + 2);
    }
    return info;
}

MaskData forMask(const TCallInfo& info, const TakeOver& takeOver) {
    MaskData data;
    if (takeOver.name && !info.Name.isEmpty())
        data.name = info.Name;
    const std::pair<bool, const QByteArray*> lines[] = {{takeOver.address, &info.Address},
                                                        {takeOver.licence, &info.Licence},
                                                        {takeOver.comment, &info.Comment},
                                                        {takeOver.faxNr, &info.FaxNr},
                                                        {takeOver.eMail, &info.EMail}};
    for (const auto& [wanted, text] : lines) {
        if (wanted && !text->isEmpty())
            data.commentLines.append(*text);
    }
    return data;
}

int messageLine(int code) {
    switch (code) {
    case -5:
        return Msg::CallBookErrM5;
    case -4:
        return Msg::CallBookErrM4;
    case -3:
        return Msg::CallBookErrM3;
    case -2:
        return Msg::CallBookErrM2;
    case 2:
        return Msg::CallBookErr2;
    case 3:
        return Msg::CallBookErr3;
    case 5:
        return Msg::CallBookErr5;
    case 1101:
        return Msg::CallBookErr1101;
    case 32000:
        return Msg::CallBookErr32000;
    default:
        return Msg::CallBookErrOther;
    }
}

} // namespace CallBookInfo
