#pragma once

#include "daluerror.h"

#include <QString>

#include <functional>

// The message of the DaluError an action throws; empty when it throws none.
inline QString errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const DaluError& e) {
        return e.message();
    }
    return {};
}
