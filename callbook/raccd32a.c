/* Dalu's callbook library: looks calls up in callbook.txt, a plain text file in the
 * database folder (format described in README.md). Every text argument is read only up
 * to its fixed buffer size, so an unterminated argument cannot make the library read
 * past it. */
#define _POSIX_C_SOURCE 200809L /* open flags and fdopen */

#include "raccd32a.h"

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#define VERSION_NUMBER 100
#define FORMAT_NUMBER 2
#define RESULT_SIZE 501
#define CALL_MAX 7
#define PATH_MAX_CHARS 83
#define LINE_MAX_CHARS 1000
#define DATABASE_FILE "callbook.txt"
#define HEADER "DALU-CALLBOOK;"

enum { FIELD_CALL, FIELD_NAME_ADDRESS, FIELD_LICENCE, FIELD_COMMENT, FIELD_FAX, FIELD_EMAIL };
static const unsigned char kTags[] = {1, 2, 7, 22, 23, 24};
#define FIELD_COUNT 6

/* Length of a text that must end within max characters, or -1. */
static int bounded_length(const char* text, int max) {
    if (!text)
        return -1;
    for (int i = 0; i <= max; ++i) {
        if (text[i] == '\0')
            return i;
    }
    return -1;
}

static char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? (char)(c - 'A' + 'a') : c;
}

/* Opens callbook.txt in the folder; on failure *code says why. */
static FILE* open_database(const char* databasePath, int16_t* code) {
    const int length = bounded_length(databasePath, PATH_MAX_CHARS);
    if (length <= 0) {
        *code = RAC_PATH_INVALID;
        return NULL;
    }
    char name[PATH_MAX_CHARS + sizeof DATABASE_FILE + 1];
    memcpy(name, databasePath, (size_t)length);
    name[length] = '\0';
    if (name[length - 1] != '/')
        strcat(name, "/");
    strcat(name, DATABASE_FILE);
    /* Opened without waiting: a FIFO in its place would block here until a writer came,
     * and a device (a link to /dev/zero) would never end. Only a regular file is read. */
    const int fd = open(name, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        *code = (errno == EACCES || errno == EPERM) ? RAC_NO_ACCESS : RAC_DATABASE_MISSING;
        return NULL;
    }
    struct stat status;
    FILE* file = NULL;
    if (fstat(fd, &status) == 0 && S_ISREG(status.st_mode) &&
        fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) == 0)
        file = fdopen(fd, "rb");
    if (!file) {
        close(fd);
        *code = RAC_READ_ERROR;
    }
    return file;
}

/* Reads one line without its line end. Returns 0 at the end of the file, -1 for a line
 * too long (skipped to its end), 1 otherwise. */
static int read_line(FILE* file, char* line) {
    int length = 0;
    int too_long = 0;
    int c;
    while ((c = fgetc(file)) != EOF && c != '\n') {
        if (length < LINE_MAX_CHARS)
            line[length++] = (char)c;
        else
            too_long = 1;
    }
    if (c == EOF && length == 0 && !too_long)
        return 0;
    if (length > 0 && line[length - 1] == '\r')
        --length;
    line[length] = '\0';
    return too_long ? -1 : 1;
}

/* The format number of the header line, 0 when the first content line is no header. */
static int read_format(FILE* file) {
    char line[LINE_MAX_CHARS + 1];
    int state;
    while ((state = read_line(file, line)) != 0) {
        if (state < 0 || line[0] == '#' || line[0] == '\0')
            continue;
        if (strncmp(line, HEADER, strlen(HEADER)) != 0)
            return 0;
        int format = 0;
        for (const char* p = line + strlen(HEADER); *p >= '0' && *p <= '9' && format < 10000; ++p)
            format = format * 10 + (*p - '0');
        return format;
    }
    return 0;
}

/* Splits a line at ";" into up to FIELD_COUNT fields, trimming blanks. */
static void split_fields(char* line, char* fields[FIELD_COUNT]) {
    for (int i = 0; i < FIELD_COUNT; ++i)
        fields[i] = "";
    char* p = line;
    for (int i = 0; i < FIELD_COUNT && p; ++i) {
        char* end = strchr(p, ';');
        if (end)
            *end = '\0';
        while (*p == ' ')
            ++p;
        size_t n = strlen(p);
        while (n > 0 && p[n - 1] == ' ')
            p[--n] = '\0';
        fields[i] = p;
        p = end ? end + 1 : NULL;
    }
}

/* The part of the call the database is searched for: the longest of its parts between
 * slashes, so that "qx1abc/" and "qx1abc/p" find QX1ABC. */
static void search_key(const char* call, char* key) {
    const char* best = call;
    size_t best_length = 0;
    const char* part = call;
    while (1) {
        const char* end = strchr(part, '/');
        const size_t length = end ? (size_t)(end - part) : strlen(part);
        if (length > best_length) {
            best = part;
            best_length = length;
        }
        if (!end)
            break;
        part = end + 1;
    }
    memcpy(key, best, best_length);
    key[best_length] = '\0';
}

static int same_call(const char* stored, const char* key) {
    size_t i = 0;
    for (; stored[i] && key[i]; ++i) {
        if (lower(stored[i]) != lower(key[i]))
            return 0;
    }
    return stored[i] == key[i];
}

/* Writes the tagged fields; bytes below 32 inside a value would read as tags and are
 * left out. Stops at 500 bytes so the NUL always fits. */
static void fill_buffer(char* buffer, char* fields[FIELD_COUNT]) {
    size_t n = 0;
    for (int i = 0; i < FIELD_COUNT; ++i) {
        if (fields[i][0] == '\0' || n >= RESULT_SIZE - 1)
            continue;
        buffer[n++] = (char)kTags[i];
        for (const char* p = fields[i]; *p && n < RESULT_SIZE - 1; ++p) {
            if ((unsigned char)*p >= 32)
                buffer[n++] = *p;
        }
    }
    buffer[n] = '\0';
}

#ifndef RACCD32A_WITHOUT_pGetCallInfo
int32_t pGetCallInfo(int16_t* code, char* buffer, const char* call, const char* databasePath) {
    int16_t ignored;
    if (!code)
        code = &ignored;
    const int call_length = bounded_length(call, CALL_MAX);
    char key[CALL_MAX + 1];
    if (call_length > 0)
        search_key(call, key);
    if (!buffer || call_length <= 0 || key[0] == '\0') {
        *code = RAC_CALL_INVALID;
        return *code;
    }
    buffer[0] = '\0';
    FILE* file = open_database(databasePath, code);
    if (!file)
        return *code;
    if (read_format(file) != FORMAT_NUMBER) {
        *code = RAC_FORMAT_WRONG;
    } else {
        *code = RAC_NOT_FOUND;
        char line[LINE_MAX_CHARS + 1];
        int state;
        while ((state = read_line(file, line)) != 0) {
            if (state < 0 || line[0] == '#')
                continue;
            char* fields[FIELD_COUNT];
            split_fields(line, fields);
            if (same_call(fields[FIELD_CALL], key)) {
                fill_buffer(buffer, fields);
                *code = RAC_FOUND;
                break;
            }
        }
        if (*code == RAC_NOT_FOUND && ferror(file))
            *code = RAC_READ_ERROR;
    }
    fclose(file);
    return *code;
}
#endif

#ifndef RACCD32A_WITHOUT_pGetVersionNr
int32_t pGetVersionNr(uint16_t* version) {
    if (version)
        *version = VERSION_NUMBER;
    return 0;
}
#endif

#ifndef RACCD32A_WITHOUT_pCheckDatabaseFormat
int32_t pCheckDatabaseFormat(int16_t* error, int16_t* format, const char* databasePath) {
    int16_t ignored_error;
    int16_t ignored_format;
    if (!error)
        error = &ignored_error;
    if (!format)
        format = &ignored_format;
    *format = 0;
    FILE* file = open_database(databasePath, error);
    if (!file)
        return *error;
    *format = (int16_t)read_format(file);
    *error = *format == 0 ? RAC_FORMAT_WRONG : (ferror(file) ? RAC_READ_ERROR : 0);
    fclose(file);
    return *error;
}
#endif
