#pragma once
// Marks an expectation that Wine does not meet where Windows does: the test states what Windows
// does, checks what Wine does instead, and says so in its output and its XML result (never a silent
// skip).
#include <gtest/gtest.h>

#include <cstdio>

#define WINE_KNOWN_DIFFERENCE(windowsBehaviour)                                                        \
    do {                                                                                               \
        std::printf("[ wine diff] %s:%d: on Windows: %s\n", __FILE__, __LINE__, windowsBehaviour);    \
        ::testing::Test::RecordProperty("wine_known_difference", windowsBehaviour);                   \
    } while (0)
