#pragma once
// The few Windows types of the reader's interface, for builds without Windows (the fuzz target).
#include <cstdint>

using DWORD = uint32_t;
using LONG = int32_t;
struct FILETIME {
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
};
constexpr int MAX_PATH = 260;
