#include "callbookaccess.h"

#include "uitexts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <array>

namespace {

const char* const kLibraryName = "raccd32a";
constexpr int kLibraryMajorVersion = 1;

// The library file in a folder, as the loader would take it; empty if there is none. Only
// a regular file (or a link to one): the loader would wait for good on a FIFO.
QString libraryFileIn(const QString& folder) {
    const QString base = QDir(folder).filePath(QStringLiteral("lib") + QLatin1String(kLibraryName));
    for (const QString& file : {base + QStringLiteral(".so.%1").arg(kLibraryMajorVersion),
                                base + QStringLiteral(".so")}) {
        if (QFileInfo(file).isFile())
            return QFileInfo(file).absoluteFilePath();
    }
    return {};
}

} // namespace

TCallBook::TCallBook(const QString& folder) {
    const std::optional<QByteArray> path = CallBookInfo::pathArgument(folder);
    if (!path) {
        setProblem(Problem::PathTooLong, QDir::toNativeSeparators(folder));
        return;
    }
    m_databasePath = *path;
    // A callbook may bring its own library; else the one built beside the program or
    // installed in the package's private library folder. Code is loaded by its full path
    // from these places only: a name the loader resolves could come from anywhere.
    const QString programFolder = QCoreApplication::applicationDirPath();
    for (const QString& place :
         {folder, programFolder, programFolder + QStringLiteral("/" DALU_PRIVATE_LIB_FROM_BIN)}) {
        const QString file = libraryFileIn(place);
        if (!file.isEmpty()) {
            load(file);
            return;
        }
    }
    setProblem(Problem::LibraryNotFound, QStringLiteral("lib%1.so").arg(kLibraryName));
}

TCallBook::~TCallBook() = default;

bool TCallBook::load(const QString& libraryFile) {
    m_library.setFileName(libraryFile);
    if (!m_library.load()) {
        setProblem(Problem::LibraryNotLoaded, m_library.errorString());
        return false;
    }
    auto getCallInfo = reinterpret_cast<GetCallInfoFn>(m_library.resolve("pGetCallInfo"));
    auto getVersionNr = reinterpret_cast<GetVersionNrFn>(m_library.resolve("pGetVersionNr"));
    auto checkFormat =
        reinterpret_cast<CheckDatabaseFormatFn>(m_library.resolve("pCheckDatabaseFormat"));
    if (!getCallInfo || !getVersionNr || !checkFormat) {
        const char* missing = !getCallInfo    ? "pGetCallInfo"
                              : !getVersionNr ? "pGetVersionNr"
                                              : "pCheckDatabaseFormat";
        setProblem(Problem::FunctionMissing,
                   m_library.fileName() + QLatin1Char('\n') + QLatin1String(missing));
        m_library.unload();
        return false;
    }
    m_getCallInfo = getCallInfo;
    m_getVersionNr = getVersionNr;
    m_checkDatabaseFormat = checkFormat;
    setProblem(Problem::None, {});
    return true;
}

void TCallBook::setProblem(Problem problem, const QString& detail) {
    m_problem = problem;
    m_problemDetail = detail;
}

QString TCallBook::problem() const {
    switch (m_problem) {
    case Problem::None:
        return {};
    case Problem::PathTooLong:
        return uiText("Der Callbook-Ordner ist l\u00e4nger als 83 Zeichen: %1")
            .arg(m_problemDetail);
    case Problem::LibraryNotFound:
        return uiText("Die Callbook-Bibliothek %1 wurde weder im Callbook-Ordner noch neben "
                      "dem Programm gefunden.")
            .arg(m_problemDetail);
    case Problem::LibraryNotLoaded:
        return uiText("Die Callbook-Bibliothek konnte nicht geladen werden: %1")
            .arg(m_problemDetail);
    case Problem::FunctionMissing:
        return uiText("Der Callbook-Bibliothek %1 fehlt die Funktion %2.")
            .arg(m_problemDetail.section(QLatin1Char('\n'), 0, 0),
                 m_problemDetail.section(QLatin1Char('\n'), 1));
    }
    return {};
}

TCallInfo TCallBook::GetCallInfo(const QString& call) const {
    return lookupJob(call)();
}

std::function<TCallInfo()> TCallBook::lookupJob(const QString& call) const {
    if (!isAvailable())
        return [] { return TCallInfo{}; };
    return [getCallInfo = m_getCallInfo, callBytes = CallBookInfo::callArgument(call),
            databasePath = m_databasePath] {
        // Fixed buffers as the library expects them, each with room for its NUL.
        std::array<char, CallBookInfo::kCallMax + 1> callBuffer{};
        std::copy(callBytes.begin(), callBytes.end(), callBuffer.begin());
        std::array<char, CallBookInfo::kPathMax + 1> pathBuffer{};
        std::copy(databasePath.begin(), databasePath.end(), pathBuffer.begin());
        std::array<char, CallBookInfo::kBufferSize> result{};
        std::int16_t code = 0;
        getCallInfo(&code, result.data(), callBuffer.data(), pathBuffer.data());
        if (code != 0) {
            TCallInfo info;
            info.Error = code;
            return info;
        }
        return CallBookInfo::parseBuffer(result.data(), result.size());
    };
}

int TCallBook::CheackDataBaseFormat() const {
    if (!isAvailable())
        return 0;
    std::array<char, CallBookInfo::kPathMax + 1> pathBuffer{};
    std::copy(m_databasePath.begin(), m_databasePath.end(), pathBuffer.begin());
    std::int16_t error = 0;
    std::int16_t format = 0;
    m_checkDatabaseFormat(&error, &format, pathBuffer.data());
    return format == 1 && error == 0 ? -3 : error;
}

quint16 TCallBook::GetCallBookVersion() const {
    if (!isAvailable())
        return 0;
    std::uint16_t version = 0;
    m_getVersionNr(&version);
    return version;
}
