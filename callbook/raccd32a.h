/* Dalu's stand-in for the callbook CD library: the same three functions with the same
 * argument order, plain C calling convention, results through the pointers. */
#ifndef RACCD32A_H
#define RACCD32A_H

#include <stdint.h>

#if defined(__GNUC__)
#define RACCD32A_EXPORT __attribute__((visibility("default")))
#else
#define RACCD32A_EXPORT
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Result codes. */
enum {
    RAC_FOUND = 0,
    RAC_PATH_INVALID = -5,     /* database path empty or longer than 83 characters */
    RAC_DATABASE_MISSING = -4, /* no callbook.txt in the database folder */
    RAC_FORMAT_WRONG = -3,     /* callbook.txt has no header of format 2 */
    RAC_CALL_INVALID = -2,     /* call empty or longer than 7 characters */
    RAC_NOT_FOUND = 2,         /* call not in the database */
    RAC_READ_ERROR = 3,        /* the database could not be read to its end, or is no
                                  regular file (a FIFO, a device) */
    RAC_NO_ACCESS = 5          /* no permission to read the database */
};

/* Looks the call up. buffer receives at most 501 bytes: tagged fields ending in a NUL
 * (tag 1 call, 2 "name, address", 7 licence class, 22 comment, 23 fax, 24 e-mail).
 * call: at most 7 characters and its NUL; databasePath: the database folder with a
 * trailing "/", at most 83 characters and its NUL. Returns the code it stores. */
RACCD32A_EXPORT int32_t pGetCallInfo(int16_t* code, char* buffer, const char* call,
                                     const char* databasePath);

/* The library's version number. */
RACCD32A_EXPORT int32_t pGetVersionNr(uint16_t* version);

/* The format number of the database's header (0 when it has none) and an error code:
 * 0 when the header could be read, else one of the codes above. */
RACCD32A_EXPORT int32_t pCheckDatabaseFormat(int16_t* error, int16_t* format,
                                             const char* databasePath);

#ifdef __cplusplus
}
#endif

#endif
