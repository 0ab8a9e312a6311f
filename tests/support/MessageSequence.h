#pragma once
// Message recording in the manner of Wine's user32 tests: window procedures and hooks add what
// they see to a log, and a test compares the log with a short table of expected entries.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace msgseq {

enum Flags : unsigned {
    kOptional = 1,     // may be missing from the log
    kWParam = 2,       // wParam must match (in the bits of wMask)
    kLParam = 4,       // lParam must match (in the bits of lMask)
    kWineMissing = 8,  // Windows sends it, Wine does not: required on Windows, reported when Wine leaves it out
};

struct Expected {
    const char* who;  // source tag, e.g. "wnd", "hookA"
    UINT message;
    unsigned flags = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    WPARAM wMask = ~WPARAM(0);  // the bits of wParam compared with kWParam
    LPARAM lMask = ~LPARAM(0);  // the bits of lParam compared with kLParam
};

struct Entry {
    std::string who;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// Messages that come and go with the system and say nothing about the code under test.
bool IsNoise(UINT message);

class Log {
public:
    void Add(const char* who, UINT message, WPARAM wParam, LPARAM lParam);
    void Clear() { m_entries.clear(); }
    const std::vector<Entry>& Entries() const { return m_entries; }
    // Entries of one source, noise dropped.
    std::vector<UINT> MessagesOf(const char* who) const;
    bool Contains(const char* who, UINT message) const;

    // Compares the log (noise dropped) with the expected entries; prints both on a mismatch.
    ::testing::AssertionResult Matches(const std::vector<Expected>& expected) const;
    // The same, but the log may go on after the expected entries.
    ::testing::AssertionResult StartsWith(const std::vector<Expected>& expected) const;
    // The same, but the log may hold other entries before the expected ones.
    ::testing::AssertionResult EndsWith(const std::vector<Expected>& expected) const;

private:
    ::testing::AssertionResult Compare(const std::vector<Expected>& expected, const std::vector<Entry>& actual,
                                       bool bAllowTrailing) const;
    std::vector<Entry> WithoutNoise() const;
    std::vector<Entry> m_entries;
};

std::string MessageName(UINT message);

// Dispatches everything queued for this thread until the queue stays empty.
void PumpMessages();
// Pumps until condition() holds or the time runs out; the final value of condition().
bool PollFor(const std::function<bool()>& condition, DWORD dwTimeoutMs = 2000);

}  // namespace msgseq
