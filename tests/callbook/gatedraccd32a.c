/* A callbook library that answers only when the test lets it: every lookup reads its
 * answer from the FIFO "gate" in the database folder, which blocks until the test writes
 * one line (the name-and-address text). It stands for a library of another party stuck in
 * its database. */
#define _POSIX_C_SOURCE 200809L

#include "raccd32a.h"

#include <stdio.h>
#include <string.h>

int32_t pGetCallInfo(int16_t* code, char* buffer, const char* call, const char* databasePath) {
    (void)call;
    char gate[200];
    snprintf(gate, sizeof gate, "%sgate", databasePath);
    FILE* file = fopen(gate, "rb");
    *code = 3;
    if (!file)
        return *code;
    buffer[0] = 2;
    if (fgets(buffer + 1, 400, file)) {
        buffer[strcspn(buffer, "\r\n")] = '\0';
        *code = 0;
    }
    fclose(file);
    return *code;
}

int32_t pGetVersionNr(uint16_t* version) {
    *version = 1;
    return 0;
}

int32_t pCheckDatabaseFormat(int16_t* error, int16_t* format, const char* databasePath) {
    (void)databasePath;
    *error = 0;
    *format = 2;
    return 0;
}
