#include "uitexts.h"

#include <QFileInfo>
#include <QHash>

#include <cerrno>
#include <iterator>

namespace {

UiLanguage g_language = UiLanguage::German;

// Grouped by subsystem; keep each group's rows together.
const UiTextRow kRows[] = {
    // Entry mask
    {"Distrikt:", "District:"},
    {"OV:", "Club:"},
    {"RST (+Nr) TX", "RST (+No) TX"},
    {"RST (+Nr) RX", "RST (+No) RX"},
    {"RST + Nr RX", "RST + No RX"},
    {"\"%1\" ist kein g\u00fcltiges Datum.", "\"%1\" is not a valid date."},
    {"\"%1\" ist keine g\u00fcltige Uhrzeit.", "\"%1\" is not a valid time."},
    {"Kein Log ist ge\u00f6ffnet: das QSO wurde nicht eingetragen. Bitte im Log-Men\u00fc ein "
     "Log \u00f6ffnen oder anlegen.",
     "No log is open: the QSO was not entered. Please open or create a log in the log menu."},
    {"Kein Log ist ge\u00f6ffnet.", "No log is open."},

    {"Nur Web-Seiten (http, https) werden ge\u00f6ffnet, diese Adresse nicht:\n%1",
     "Only web pages (http, https) are opened, not this address:\n%1"},

    // Edit page and search
    {"Kriterium %1 verwenden", "Use criterion %1"},
    {"Suchtext von Kriterium %1", "Search text of criterion %1"},
    {"Ortsverband/Distrikt", "Club/District"},
    {"Das Log \"%1\" enth\u00e4lt kein QSO %2 zum Bearbeiten.",
     "The log \"%1\" holds no QSO %2 to edit."},
    {"Das Log hat sich ge\u00e4ndert, seit die Listen gef\u00fcllt wurden; sie sind neu "
     "gef\u00fcllt. Bitte das QSO erneut w\u00e4hlen.",
     "The log has changed since the lists were filled; they have been refilled. Please choose "
     "the QSO again."},
    {"QSO %1 kann hier nicht gespeichert werden: %2 ist nicht lesbar oder liegt au\u00dferhalb "
     "des Kalenders (dd.mm.yyyy, hh:nn:ss). Die Reparatur des LogConverters berichtigt solche "
     "Felder.",
     "QSO %1 cannot be saved here: %2 cannot be read or lies outside the calendar (dd.mm.yyyy, "
     "hh:nn:ss). The log converter's repair puts such fields right."},
    {"Das Log \"%1\" enth\u00e4lt kein QSO %2 mehr; nichts wurde gespeichert.",
     "The log \"%1\" no longer holds QSO %2; nothing was saved."},
    {"Text laden ...", "Load text ..."},
    {"Text speichern ...", "Save text ..."},
    {"Textdateien (*.txt);;Alle Dateien (*.*)", "Text files (*.txt);;All files (*.*)"},
    {"\"%1\" ist keine g\u00fcltige ganze Zahl.", "\"%1\" is not a valid whole number."},
    {"\"%1\" ist keine g\u00fcltige Uhrzeit (hh:nn:ss).", "\"%1\" is not a valid time (hh:nn:ss)."},
    {"\"%1\" ist keine g\u00fcltige Leistung (z.B. 0,5W).",
     "\"%1\" is not a valid power value (e.g. 0,5W)."},
    {"\"%1\" ist kein g\u00fcltiges Datum (dd.mm.yyyy).",
     "\"%1\" is not a valid date (dd.mm.yyyy)."},

    // Converter
    {"%1 QSOs wurden in %2 importiert.", "%1 QSOs were imported into %2."},
    {"%1 QSOs wurden nach %2 exportiert.", "%1 QSOs were exported to %2."},
    {"%1 QSOs in %2 Dalu-Dateien wurden korrigiert.", "%1 QSOs in %2 Dalu files were repaired."},
    {"%1 enthält jetzt %2 QSOs.", "%1 now holds %2 QSOs."},
    {"%1 Datensätze wurden übersprungen:", "%1 records were skipped:"},
    {"Datensatz %1%2: es fehlt %3", "Record %1%2: no %3"},
    {"Datensatz %1%2: unvollständig, die Datei endet darin",
     "Record %1%2: incomplete, the file ends inside it"},
    {"... und %1 weitere", "... and %1 more"},
    {"Datensatz %1%2: nicht lesbar %3", "Record %1%2: unreadable %3"},
    {"%1 Zeilen sind keine QSOs und wurden übersprungen:", "%1 rows are no QSOs and were skipped:"},
    {"%1 Zeilen sind keine QSOs; sie stehen jetzt in %2:",
     "%1 lines are no QSOs; they are now kept in %2:"},
    {"%1 leere Zeilen wurden übersprungen.", "%1 empty rows were skipped."},
    {"mehr als 16 Felder", "more than 16 fields"},
    {"kein lesbares Datum", "no readable date"},
    {"keine lesbare Uhrzeit", "no readable time"},
    {"kein Rufzeichen", "no call"},
    {"Zeile %1: %2", "Row %1: %2"},
    {"%1, Zeile %2: %3", "%1, line %2: %3"},
    {"\"%1\" enthält kein lesbares QSO und bleibt unverändert.",
     "\"%1\" holds no readable QSO and is left unchanged."},
    {"%1 QSOs enthalten Zeichen ohne Entsprechung in Windows-1252; sie wurden als \"?\" "
     "geschrieben.",
     "%1 QSOs hold characters without an equivalent in Windows-1252; they were written as "
     "\"?\"."},
    {"Zeichen ohne Entsprechung in Windows-1252 wurden als \"?\" geschrieben.",
     "Characters without an equivalent in Windows-1252 were written as \"?\"."},
    {"\"%1\" ist keine gültige Zeilennummer.", "\"%1\" is not a valid row number."},
    {"Die Zieldatei \"%1\" ist eine der Dalu-Dateien, aus denen exportiert wird.",
     "The target file \"%1\" is one of the Dalu files being exported."},

    // Evaluations
    {"gearbeitete QSOs", "worked QSOs"},
    {"best\u00e4tigte QSOs", "confirmed QSOs"},
    {"B\u00e4nder / Modes:", "Bands / modes:"},
    {"Datum von / bis:", "Date from / to:"},
    {"QSO-Nr. von / bis:", "QSO no. from / to:"},
    {"Ortsverband ", "Local club "},
    {"Distrikt ", "District "},
    {"Sonder-DOK", "Special DOK"},
    {"... und %1 weitere (siehe Details).", "... and %1 more (see Details)."},
    {"QSO %1 (Zeile %2): %3", "QSO %1 (line %2): %3"},
    {"%1 QSOs konnten nicht gelesen werden und fehlen in der Auswertung:",
     "%1 QSOs could not be read and are left out of the evaluation:"},
    {"Das Datum \"%1\" liegt au\u00dferhalb von %2 bis %3.",
     "The date \"%1\" lies outside %2 to %3."},

    // QSL
    {"Alle Bilder (*.jpg;*.jpeg;*.png;*.bmp)", "All pictures (*.jpg;*.jpeg;*.png;*.bmp)"},
    {"QSO der QSL-Karte", "QSO of the QSL card"},
    {"Das QSO der Karte steht nicht im Log: bitte Band und Mode der Karte w\u00e4hlen.",
     "The card's QSO is not in the log: please choose the band and mode on the card."},

    // Function keys, status bar, clock
    {"Text der StatusBar ", "Status bar text "},
    {"Variablen:", "Tokens:"},
    {"(werden nur ca. alle 5 Sekunden aktualisiert)", "(updated only about every 5 seconds)"},
    {"Datum in ausf\u00fchrlicher Schreibweise", "date, long form"},
    {"Datum in kurzer Schreibweise", "date, short form"},
    {"Zeit", "time"},
    {"Millisekunden seit Systemstart", "milliseconds since system start"},
    {"Anzahl QSOs in Datenbank", "number of QSOs in the log"},
    {"Call des zuletzt geloggten QSOs", "call of the last logged QSO"},
    {"aktuelles Log-File", "current log file"},
    {"Staus der Liste in der Eingabemaske", "state of the list under the entry mask"},
    {"Anzahl der QSOs, die in den Referenz-Logs", "number of QSOs found in the reference"},
    {"gefunden wurden (steht nur zur Verf\u00fcgung,", "logs (available only"},
    {"wenn LIST_STATE = \"Referenz-Liste\")", "while LIST_STATE = \"Ref-Logs\")"},
    {"Name des ersten Referenz-Logs", "name of the first reference log"},
    {"Name des zweiten Referenz-Logs", "name of the second reference log"},
    {"Name des dritten Referenz-Logs", "name of the third reference log"},
    {"Name des vierten Referenz-Logs", "name of the fourth reference log"},
    {"Version des verwendeten Callbooks", "version of the callbook in use"},
    {"Version von Dalu", "version of Dalu"},
    {"Version der verwendeten CallBookAccess Unit", "version of the CallBookAccess unit in use"},
    {"(regelt den Zugriff auf das RAC \u00fcber raccd32a.dll)",
     "(accesses the RAC callbook through raccd32a.dll)"},
    {"Version der verwendeten LogFileAccess Unit", "version of the LogFileAccess unit in use"},
    {"(regelt den Zugriff auf *.log Dateien)", "(accesses the *.log files)"},
    {"Version des eingebauten LogConverters", "version of the built-in log converter"},

    // Callbook
    {"Der Callbook-Ordner ist l\u00e4nger als 83 Zeichen: %1",
     "The callbook folder is longer than 83 characters: %1"},
    {"Die Callbook-Bibliothek %1 wurde weder im Callbook-Ordner noch neben dem Programm "
     "gefunden.",
     "The callbook library %1 was found neither in the callbook folder nor beside the program."},
    {"Die Callbook-Bibliothek konnte nicht geladen werden: %1",
     "The callbook library could not be loaded: %1"},
    {"Der Callbook-Bibliothek %1 fehlt die Funktion %2.",
     "The callbook library %1 lacks the function %2."},
    {"Callbook geladen: %1, Version %2", "Callbook loaded: %1, version %2"},
    {"Kein Callbook geladen.", "No callbook loaded."},
    {"Die ge\u00e4nderte Position gilt ab dem n\u00e4chsten Start von Dalu.",
     "The changed location takes effect when Dalu is next started."},

    // Shell and settings
    {"%1: ausw\u00e4hlen ...", "%1: choose ..."},
    {"Das Log wird gelesen \u2026", "Reading the log \u2026"},
    {"Das Log \"%1\" ist schon in einem anderen laufenden Dalu geöffnet und wird hier nicht "
     "geöffnet.",
     "The log \"%1\" is already open in another running Dalu and is not opened here."},
    {"Logbuch f\u00fcr Funkamateure", "Logbook for radio amateurs"},
    {"Entwicklungsbeginn: September 2004", "Development started: September 2004"},
    {"Module", "Modules"},
    {"%1  Version %2  (Entwicklungsbeginn %3 2004)",
     "%1  version %2  (development started %3 2004)"},
    {"Dezember", "December"},
    {"Sprachdateien", "Language files"},
    {"%1  Version 0.1 vom 19.12.2004", "%1  version 0.1 of 19.12.2004"},
    {"Daten", "Data"},
    {"DOK-Liste  Stand 11.10.2004", "DOK list  as of 11.10.2004"},
    {"DXCC-Liste  Stand 13.10.04", "DXCC list  as of 13.10.04"},
    {"Dank an alle, die getestet, gemeldet und geholfen haben,",
     "Thanks to everyone who tested, reported and helped,"},
    {"und an alle Funkamateure f\u00fcr viele sch\u00f6ne QSOs.",
     "and to all radio amateurs for many fine QSOs."},
    {"Dalu ist Freeware: kostenlos zu benutzen und weiterzugeben.",
     "Dalu is freeware: free to use and to pass on."},
    {"ENDE", "END"},
    {"Kein Log ge\u00f6ffnet: der Men\u00fcpunkt \u201e%1\u201c im Men\u00fc \u201e%2\u201c legt "
     "ein neues an.",
     "No log is open: the item \u201c%1\u201d of the menu \u201c%2\u201d creates a new one."},
    {"Die Einstellungen wurden nicht gespeichert: \"%1\" konnte nicht gelesen werden und "
     "bleibt unverändert.",
     "The settings were not saved: \"%1\" could not be read and is left unchanged."},

    // Transceiver
    {"Transceiver: keine Verbindung", "Transceiver: no connection"},
    {"Transceiver: %1 MHz liegt in keinem Band; das Band bleibt %2.",
     "Transceiver: %1 MHz lies in no band; the band stays %2."},
    {"Transceiver: die Betriebsart %1 fehlt in der Mode-Liste; der Mode bleibt %2.",
     "Transceiver: the rig mode %1 is not in the mode list; the mode stays %2."},
    {"Band, Mode und Leistung vom Transceiver lesen (Hamlib)",
     "Read band, mode and power from the transceiver (hamlib)"},
    {"Modell:", "Model:"},
    {"Schnittstelle:", "Port:"},
    {"Serielles Ger\u00e4t (z.B. /dev/ttyUSB0) oder Rechner:Port eines rigctld (z.B. "
     "localhost:4532); leer: die Vorgabe des Modells.",
     "A serial device (e.g. /dev/ttyUSB0) or the host:port of a rigctld (e.g. localhost:4532); "
     "empty: the model's default."},
    {"Geschwindigkeit (Baud):", "Speed (baud):"},
    {"die des Modells", "the model's own"},
    {"Mode f\u00fcr Daten (PKTUSB, PKTLSB):", "Mode for data (PKTUSB, PKTLSB):"},

    // Errors of the core
    {"\"%1\" ist keine gewöhnliche Datei und wird nicht gelesen.",
     "\"%1\" is not a regular file and is not read."},
    {"\"%1\" ist keine gewöhnliche Datei und wird nicht überschrieben.",
     "\"%1\" is not a regular file and is not written over."},
    {"\"%1\" ist größer als %2 MB und wird nicht gelesen.",
     "\"%1\" is larger than %2 MB and is not read."},
    {"Die Einstellungen wurden nicht gespeichert: \"%1\" würde größer als %2 MB und könnte "
     "nicht mehr gelesen werden.",
     "The settings were not saved: \"%1\" would be larger than %2 MB and could no longer be "
     "read."},
    {"\"%1\" wird gerade von einem anderen Programm geschrieben. Bitte später noch einmal "
     "versuchen.",
     "\"%1\" is being written by another program. Please try again later."},
    {"\"%1\" enthält Text, aber kein lesbares QSO: die Datei wird nicht durch ein leeres Log "
     "ersetzt.",
     "\"%1\" holds text but no readable QSO: the file is not replaced by an empty log."},

    // File operations and the operating system's error texts (the English column is the
    // system's own English text)
    {"Fehler beim \u00d6ffnen von", "Cannot open"},
    {"Fehler beim Lesen von", "Cannot read"},
    {"Fehler beim Schreiben von", "Cannot write"},
    {"Fehler beim Anlegen von", "Cannot create"},
    {"Fehler beim Ersetzen von", "Cannot replace"},
    {"Fehler beim Anh\u00e4ngen an", "Cannot append to"},
    {"Fehler beim Anlegen der tempor\u00e4ren Datei", "Cannot create the temporary file"},
    {"Fehler beim Verschieben der Karte nach", "Cannot move the card to"},
    {"Die Karte liegt am Ziel; Fehler beim L\u00f6schen von",
     "The card is in place, but cannot delete"},
    {"Datei oder Verzeichnis nicht gefunden", "No such file or directory"},
    {"Keine Berechtigung", "Permission denied"},
    {"Die Operation ist nicht erlaubt", "Operation not permitted"},
    {"Die Datei existiert bereits", "File exists"},
    {"Ist ein Verzeichnis", "Is a directory"},
    {"Ist kein Verzeichnis", "Not a directory"},
    {"Auf dem Ger\u00e4t ist kein Speicherplatz mehr frei", "No space left on device"},
    {"Das Speicherkontingent (Quota) ist \u00fcberschritten", "Disk quota exceeded"},
    {"Das Dateisystem ist nur lesbar", "Read-only file system"},
    {"Das Ger\u00e4t oder die Ressource ist belegt", "Device or resource busy"},
    {"Zu viele offene Dateien", "Too many open files"},
    {"Zu viele offene Dateien im System", "Too many open files in system"},
    {"Der Dateiname ist zu lang", "File name too long"},
    {"Zu viele Ebenen symbolischer Verkn\u00fcpfungen", "Too many levels of symbolic links"},
    {"Ein-/Ausgabefehler", "Input/output error"},
    {"Die Datei ist zu gro\u00df", "File too large"},
    {"Verkn\u00fcpfung \u00fcber Ger\u00e4tegrenzen hinweg ist nicht m\u00f6glich",
     "Invalid cross-device link"},
    {"Kein solches Ger\u00e4t oder keine solche Adresse", "No such device or address"},
    {"Kein solches Ger\u00e4t", "No such device"},
    {"Ung\u00fcltiges Argument", "Invalid argument"},
    {"Die Ressource ist zurzeit nicht verf\u00fcgbar", "Resource temporarily unavailable"},
    {"Nicht gen\u00fcgend Speicher verf\u00fcgbar", "Cannot allocate memory"},
    {"Das Verzeichnis ist nicht leer", "Directory not empty"},

    // Messages about the content of files
    {"Zeile %1 von \"%2\" hat mehr als 16 Felder.", "Line %1 of \"%2\" has more than 16 fields."},
    {"\"%1\" ist keine g\u00fcltige Leistungsangabe.", "\"%1\" is not a valid power value."},
    {"QSO %1 des Logs \"%2\" ist nicht mehr das dort gelistete QSO; nichts wurde geschrieben. "
     "Bitte die Liste neu erstellen.",
     "QSO %1 of the log \"%2\" is no longer the QSO listed there; nothing was written. Please "
     "build the list again."},
    {"Das Log \"%1\" enth\u00e4lt kein QSO %2 mehr; nichts wurde geschrieben.",
     "The log \"%1\" no longer holds QSO %2; nothing was written."},
    {"Die QSL-Karte \"%1\" kann nicht angezeigt werden: %2.",
     "The QSL card \"%1\" cannot be shown: %2."},
    {"das Bild ist gr\u00f6\u00dfer als %1 Megapixel", "the picture is larger than %1 megapixels"},
    {"Die QSL-Karte \"%1\" kann nicht angezeigt werden: sie ist kein JPEG-, PNG- oder "
     "BMP-Bild.",
     "The QSL card \"%1\" cannot be shown: it is no JPEG, PNG or BMP picture."},
    {"Hamlib: kein Transceiver-Modell %1", "Hamlib: no rig model %1"},
    {"Hamlib: der Transceiver ist nicht ge\u00f6ffnet", "Hamlib: rig not open"},

    // Journal of a big log
    {"Das Log \"%1\" wurde von einem anderen Programm ge\u00e4ndert, bevor die \u00c4nderungen "
     "der QSOs %2 eingetragen waren; sie sind nicht eingetragen und stehen in \"%3\".",
     "The log \"%1\" was changed by another program before the changes of QSOs %2 were "
     "entered; they are not entered and are kept in \"%3\"."},
    {"Das Log \"%1\" wurde eben von einem anderen Programm ge\u00e4ndert und ist neu gelesen; "
     "nichts wurde gespeichert. Bitte noch einmal speichern.",
     "The log \"%1\" was just changed by another program and has been read again; nothing "
     "was saved. Please save once more."},

    // Keyboard first, first start and the empty window
    {"Nicht eingetragen: \u201e%1\u201c fehlt oder ist zu kurz.",
     "Not logged: \u201c%1\u201d is missing or too short."},
    {"Nicht eingetragen: bitte erst das Band w\u00e4hlen.",
     "Not logged: please choose the band first."},
    {"eigener Locator fehlt", "own locator missing"},
    {"Die Karte hat keine Mitte: kein eigener Locator (Optionen / Allgemein).",
     "The map has no centre: no own locator (Options / General)."},
    {"(eigenes Call fehlt)", "(own call missing)"},
    {"Datum", "Date"},
    {"Leistung", "TX Pwr"},
    {"Bem.", "Cmnts."},
    {"Bemerkungen", "Comments"},
    {"Willkommen bei Dalu", "Welcome to Dalu"},
    {"Richtung und Entfernung werden vom eigenen Locator aus berechnet. Beides l\u00e4sst sich "
     "sp\u00e4ter unter Optionen / Allgemein \u00e4ndern.",
     "Bearing and distance are computed from the own locator. Both can be changed later under "
     "Options / General."},
    {"Eigenes &Call:", "Own &call:"},
    {"Eigener &Locator:", "Own &locator:"},
    {"&Sp\u00e4ter", "&Later"},

    // QSL labels, printed cards and the printed log
    {"QSO %1 bis %2", "QSO %1 to %2"},
    {"%1 bis %2", "%1 to %2"},
    {"alle QSOs", "all QSOs"},
    {"Seite %1 von %2", "Page %1 of %2"},
    {"Summe: %1 QSOs", "Total: %1 QSOs"},
    {"QSOs je Band:", "QSOs per band:"},
    {"Log %1, %2", "Log %1, %2"},
    {"Etiketten drucken", "Print labels"},
    {"Drucken", "Print"},
    {"Bogen:", "Sheet:"},
    {"eigener Bogen", "custom sheet"},
    {"Spalten:", "Columns:"},
    {"Zeilen:", "Rows:"},
    {"Etikett (mm):", "Label (mm):"},
    {"Rand links/oben (mm):", "Margin left/top (mm):"},
    {"Abstand (mm):", "Gap (mm):"},
    {"Beginnen bei Etikett:", "Start at label:"},
    {"QSOs je Etikett:", "QSOs per label:"},
    {"Ausgabe:", "Output:"},
    {"Vorschau", "Preview"},
    {"Drucker", "Printer"},
    {"PDF-Datei", "PDF file"},
    {"Karten (9 x 14 cm)", "Cards (9 x 14 cm)"},
    {"Kartenbild:", "Card picture:"},
    {"Die Etiketten passen nicht auf das Blatt.", "The labels do not fit on the sheet."},
    {"Keine QSOs zum Drucken.", "No QSOs to print."},
    {"Sind die %1 Etiketten richtig gedruckt? Nur dann werden %2 QSOs mit dem heutigen Datum "
     "als gesendet markiert.",
     "Did the %1 labels print correctly? Only then are %2 QSOs marked as sent with today's "
     "date."},
    {"Das Log wurde seit dem Erstellen der Liste von einem anderen Programm ge\u00e4ndert; "
     "nichts wurde markiert. Bitte die Liste neu erstellen.",
     "Another program changed the log since the list was built; nothing was marked. Please "
     "build the list again."},
    {"Bereich:", "Range:"},
    {"alle", "all"},
    {"Nummern", "numbers"},
    {"Zeitraum", "dates"},
    {"Querformat", "Landscape"},
    {"Das Kartenbild \"%1\" kann nicht gelesen werden.", "The card picture \"%1\" cannot be read."},
    {"Der Drucker meldet einen Fehler.", "The printer reports an error."},

    // LoTW and eQSL confirmations
    {"%1, Zeile %2: keine Best\u00e4tigung", "%1, line %2: no confirmation"},
    {"Quelle: %1", "Source: %1"},
    {"Best\u00e4tigungen im Bericht: %1", "Confirmations in the report: %1"},
    {"Zugeordnet: %1 (neu: %2)", "Matched: %1 (new: %2)"},
    {"Nicht zugeordnet: %1", "Unmatched: %1"},
    {"Mehrdeutig: %1", "Ambiguous: %1"},
    {"Nicht best\u00e4tigt (\u00fcbergangen): %1", "Not confirmed (passed over): %1"},
    {"Unlesbare Datens\u00e4tze: %1", "Unreadable records: %1"},
    {"QSL / Best\u00e4tigungen einlesen", "QSL / Read confirmations"},
    {"LoTW- oder eQSL-Bericht (*.adi;*.adif)", "LoTW or eQSL report (*.adi;*.adif)"},
    {"Alle Dateien (*.*)", "All files (*.*)"},
    {"Best\u00e4tigungen", "Confirmations"},
    {"Als best\u00e4tigt z\u00e4hlt", "Counts as confirmed"},
    {"nur eine QSL-Karte", "a QSL card only"},
    {"eine QSL-Karte oder LoTW", "a QSL card or LoTW"},
    {"eine QSL-Karte, LoTW oder eQSL", "a QSL card, LoTW or eQSL"},
    {"QSL out: keine Karte f\u00fcr QSOs, die in LoTW oder eQSL best\u00e4tigt sind",
     "QSL out: no card for QSOs confirmed in LoTW or eQSL"},
    {"TQSL-Stationsort f\u00fcr das Hochladen:", "TQSL station location for uploads:"},
    {"%1 kann nicht gestartet werden: %2", "%1 cannot be started: %2"},
    {"tqsl antwortet nicht und wurde beendet.", "tqsl did not answer and was stopped."},
    {"F\u00fcr LoTW exportieren", "Export for LoTW"},
    {"F\u00fcr eQSL exportieren", "Export for eQSL"},
    {"%1 QSOs nach %2 geschrieben.", "%1 QSOs written to %2."},
    {"Keine QSOs, die noch nicht hochgeladen sind.", "No QSOs that are not uploaded yet."},
    {"tqsl ist nicht installiert: bitte die Datei selbst bei LoTW hochladen. Die QSOs gelten "
     "als exportiert.",
     "tqsl is not installed: please upload the file to LoTW yourself. The QSOs count as "
     "exported."},
    {"Kein TQSL-Stationsort in den Optionen (Best\u00e4tigungen): nichts hochgeladen, nichts "
     "markiert.",
     "No TQSL station location in the options (Confirmations): nothing uploaded, nothing "
     "marked."},
    {"tqsl meldet (Status %1):", "tqsl says (status %1):"},
    {"Hochgeladen; die QSOs sind als hochgeladen vermerkt.",
     "Uploaded; the QSOs are noted as uploaded."},
    {"Nicht hochgeladen; keine QSOs als hochgeladen vermerkt.",
     "Not uploaded; no QSOs noted as uploaded."},
    {"Bitte die Datei auf der Upload-Seite von eQSL hochladen.",
     "Please upload the file on eQSL's upload page."},

    // WSJT-X / JTDX: options page, status bar, the CQ callers' dock.
    {"QSOs von WSJT-X / JTDX ins Log \u00fcbernehmen", "Log QSOs from WSJT-X / JTDX"},
    {"Adresse (oder Multicast-Gruppe):", "Address (or multicast group):"},
    {"UDP-Port:", "UDP port:"},
    {"Auch von diesem Rechner annehmen:", "Also accept from this host:"},
    {"Datum und UTC vom Beginn des QSOs", "Date and UTC of the QSO's start"},
    {"Datum und UTC vom Ende des QSOs", "Date and UTC of the QSO's end"},
    {"Rufzeichen in WSJT-X einf\u00e4rben", "Highlight calls in WSJT-X"},
    {"Neues DXCC-Gebiet:", "New DXCC entity:"},
    {"Neu auf dem Band:", "New on the band:"},
    {"Neues Locator-Feld:", "New locator square:"},
    {"Schon gearbeitet:", "Worked before:"},
    {"WSJT-X / JTDX: CQ-Rufer", "WSJT-X / JTDX: CQ callers"},
    {"WSJT-X: %1 QSO(s) warten auf ein offenes Log", "WSJT-X: %1 QSO(s) waiting for an open log"},
    {"WSJT-X: %1 ist keine IP-Adresse", "WSJT-X: %1 is no IP address"},
    {"WSJT-X: %1 nicht geloggt (%2 warten): %3", "WSJT-X: %1 not logged (%2 waiting): %3"},
    {"WSJT-X: QSO %1 mit %2 geloggt", "WSJT-X: QSO %1 with %2 logged"},
    {"WSJT-X: wartet auf ein Programm", "WSJT-X: waiting for a program"},
    {"%1: keine Nachricht seit %2 s", "%1: no message for %2 s"},
    {"doppelt zu QSO %1", "duplicate of QSO %1"},
    {"neues DXCC-Gebiet", "new DXCC entity"},
    {"neu auf dem Band", "new on the band"},
    {"neues Locator-Feld", "new locator square"},
    {"neue Station", "new station"},
    {"schon gearbeitet", "worked before"},
    {"best\u00e4tigt", "confirmed"},
    {"Wert", "Value"},
    {"DX: keine Station", "DX: no station"},
};

const QHash<QByteArray, const char*>& englishByGerman() {
    static const QHash<QByteArray, const char*> table = [] {
        QHash<QByteArray, const char*> map;
        for (const UiTextRow& row : kRows)
            map.insert(QByteArray(row.german), row.english);
        return map;
    }();
    return table;
}

} // namespace

void setUiLanguage(UiLanguage language) {
    g_language = language;
}

UiLanguage uiLanguage() {
    return g_language;
}

UiLanguage uiLanguageOfFile(const QString& fileName) {
    return QFileInfo(fileName).fileName().compare(QStringLiteral("english.lng"),
                                                  Qt::CaseInsensitive) == 0
               ? UiLanguage::English
               : UiLanguage::German;
}

QString uiText(const char* german) {
    // Error messages are made between a failed call and the reading of its errno.
    const int error = errno;
    QString text = uiTextIn(g_language, german);
    errno = error;
    return text;
}

QString uiTextIn(UiLanguage language, const char* german) {
    if (language == UiLanguage::English) {
        if (const char* english = englishByGerman().value(QByteArray(german)))
            return QString::fromUtf8(english);
    }
    return QString::fromUtf8(german);
}

int uiTextRowCount() {
    return int(std::size(kRows));
}

const UiTextRow* uiTextRows() {
    return kRows;
}
