#include "daluerror.h"

#include "uitexts.h"

#include <cerrno>
#include <cstring>

namespace {

// The errors a file operation meets in practice; the rest keep the system's own text.
struct OsError {
    int number;
    const char* german; // key of the row in the program's texts
};

const OsError kOsErrors[] = {
    {ENOENT, "Datei oder Verzeichnis nicht gefunden"},
    {EACCES, "Keine Berechtigung"},
    {EPERM, "Die Operation ist nicht erlaubt"},
    {EEXIST, "Die Datei existiert bereits"},
    {EISDIR, "Ist ein Verzeichnis"},
    {ENOTDIR, "Ist kein Verzeichnis"},
    {ENOSPC, "Auf dem Ger\u00e4t ist kein Speicherplatz mehr frei"},
    {EDQUOT, "Das Speicherkontingent (Quota) ist \u00fcberschritten"},
    {EROFS, "Das Dateisystem ist nur lesbar"},
    {EBUSY, "Das Ger\u00e4t oder die Ressource ist belegt"},
    {EMFILE, "Zu viele offene Dateien"},
    {ENFILE, "Zu viele offene Dateien im System"},
    {ENAMETOOLONG, "Der Dateiname ist zu lang"},
    {ELOOP, "Zu viele Ebenen symbolischer Verkn\u00fcpfungen"},
    {EIO, "Ein-/Ausgabefehler"},
    {EFBIG, "Die Datei ist zu gro\u00df"},
    {EXDEV, "Verkn\u00fcpfung \u00fcber Ger\u00e4tegrenzen hinweg ist nicht m\u00f6glich"},
    {ENXIO, "Kein solches Ger\u00e4t oder keine solche Adresse"},
    {ENODEV, "Kein solches Ger\u00e4t"},
    {EINVAL, "Ung\u00fcltiges Argument"},
    {EAGAIN, "Die Ressource ist zurzeit nicht verf\u00fcgbar"},
    {ENOMEM, "Nicht gen\u00fcgend Speicher verf\u00fcgbar"},
    {ENOTEMPTY, "Das Verzeichnis ist nicht leer"},
};

QString systemText(int number) {
    return QString::fromLocal8Bit(std::strerror(number));
}

} // namespace

DaluError::DaluError(const QString& message)
    : std::runtime_error(message.toStdString()), m_message(message) {}

DaluError DaluError::io(const QString& action, const QString& path, const QString& osText) {
    // Qt's file classes give the system's text; a known one is shown in the interface language.
    QString shown = osText;
    for (const OsError& e : kOsErrors) {
        if (osText == uiTextIn(UiLanguage::English, e.german) || osText == systemText(e.number)) {
            shown = uiText(e.german);
            break;
        }
    }
    return DaluError(QStringLiteral("%1 \"%2\": %3").arg(action, path, shown));
}

DaluError DaluError::fromErrno(const QString& action, const QString& path) {
    return io(action, path, DaluError::osText(errno));
}

QString DaluError::osText(int number) {
    for (const OsError& e : kOsErrors) {
        if (e.number == number)
            return uiText(e.german);
    }
    return systemText(number);
}
