#pragma once

#include <QString>

// Upper-cases the letters a to z only: calls and locators are plain ASCII, and an
// accented letter must stay as typed rather than follow the locale's case rules.
QString upperAsciiLetters(QString text);
