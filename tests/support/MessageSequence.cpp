#include "tests/support/MessageSequence.h"

#include "tests/support/Wine.h"

#include <cstdio>
#include <sstream>

namespace msgseq {

bool IsNoise(UINT message)
{
    if (message >= 0xC000 && message <= 0xFFFF)
        return true;  // registered messages
    switch (message) {
    case WM_GETICON:
    case WM_GETOBJECT:
    case WM_TIMECHANGE:
    case WM_DISPLAYCHANGE:
    case WM_DEVICECHANGE:
    case WM_IME_SETCONTEXT:
    case WM_IME_NOTIFY:
    case 0x0288:  // WM_IME_REQUEST
    case 0x0090:  // WM_UAHDESTROYWINDOW
    case 0x031F:  // WM_DWMNCRENDERINGCHANGED
    case 0x0093:  // WM_UAHINITMENU etc. (menus drawn by the theme engine)
    case 0x0094:
    case 0x0095:
        return true;
    default:
        return false;
    }
}

std::string MessageName(UINT message)
{
    struct Name {
        UINT message;
        const char* name;
    };
    static const Name names[] = {
        {WM_CREATE, "WM_CREATE"}, {WM_DESTROY, "WM_DESTROY"}, {WM_MOVE, "WM_MOVE"}, {WM_SIZE, "WM_SIZE"},
        {WM_ACTIVATE, "WM_ACTIVATE"}, {WM_SETFOCUS, "WM_SETFOCUS"}, {WM_KILLFOCUS, "WM_KILLFOCUS"},
        {WM_SETTEXT, "WM_SETTEXT"}, {WM_GETTEXT, "WM_GETTEXT"}, {WM_PAINT, "WM_PAINT"}, {WM_CLOSE, "WM_CLOSE"},
        {WM_ERASEBKGND, "WM_ERASEBKGND"}, {WM_SHOWWINDOW, "WM_SHOWWINDOW"}, {WM_ACTIVATEAPP, "WM_ACTIVATEAPP"},
        {WM_SETCURSOR, "WM_SETCURSOR"}, {WM_GETMINMAXINFO, "WM_GETMINMAXINFO"},
        {WM_WINDOWPOSCHANGING, "WM_WINDOWPOSCHANGING"}, {WM_WINDOWPOSCHANGED, "WM_WINDOWPOSCHANGED"},
        {WM_NCCREATE, "WM_NCCREATE"}, {WM_NCDESTROY, "WM_NCDESTROY"}, {WM_NCCALCSIZE, "WM_NCCALCSIZE"},
        {WM_NCHITTEST, "WM_NCHITTEST"}, {WM_NCPAINT, "WM_NCPAINT"}, {WM_NCACTIVATE, "WM_NCACTIVATE"},
        {WM_INITDIALOG, "WM_INITDIALOG"}, {WM_COMMAND, "WM_COMMAND"}, {WM_SYSCOMMAND, "WM_SYSCOMMAND"},
        {WM_TIMER, "WM_TIMER"}, {WM_NCMOUSEMOVE, "WM_NCMOUSEMOVE"}, {WM_NCLBUTTONDOWN, "WM_NCLBUTTONDOWN"},
        {WM_NCLBUTTONUP, "WM_NCLBUTTONUP"}, {WM_NCLBUTTONDBLCLK, "WM_NCLBUTTONDBLCLK"},
        {WM_MOUSEMOVE, "WM_MOUSEMOVE"}, {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"}, {WM_LBUTTONUP, "WM_LBUTTONUP"},
        {WM_CAPTURECHANGED, "WM_CAPTURECHANGED"}, {WM_NCMOUSELEAVE, "WM_NCMOUSELEAVE"}, {WM_HELP, "WM_HELP"},
        {WM_CTLCOLORSTATIC, "WM_CTLCOLORSTATIC"}, {WM_DRAWITEM, "WM_DRAWITEM"},
        {WM_STYLECHANGING, "WM_STYLECHANGING"}, {WM_STYLECHANGED, "WM_STYLECHANGED"},
        {WM_GETTEXTLENGTH, "WM_GETTEXTLENGTH"}, {WM_PRINT, "WM_PRINT"}, {WM_PRINTCLIENT, "WM_PRINTCLIENT"}, {WM_USER, "WM_USER"},
    };
    for (const Name& n : names) {
        if (n.message == message)
            return n.name;
    }
    char buf[32];
    if (message >= WM_USER && message < WM_USER + 0x1000)
        std::snprintf(buf, sizeof(buf), "WM_USER+%u", message - WM_USER);
    else
        std::snprintf(buf, sizeof(buf), "0x%04x", message);
    return buf;
}

void Log::Add(const char* who, UINT message, WPARAM wParam, LPARAM lParam)
{
    m_entries.push_back(Entry{who, message, wParam, lParam});
}

std::vector<UINT> Log::MessagesOf(const char* who) const
{
    std::vector<UINT> result;
    for (const Entry& e : m_entries) {
        if (e.who == who && !IsNoise(e.message))
            result.push_back(e.message);
    }
    return result;
}

bool Log::Contains(const char* who, UINT message) const
{
    for (const Entry& e : m_entries) {
        if (e.who == who && e.message == message)
            return true;
    }
    return false;
}

namespace {

bool EntryMatches(const Expected& x, const Entry& e)
{
    if (e.who != x.who || e.message != x.message)
        return false;
    if ((x.flags & kWParam) && (e.wParam & x.wMask) != (x.wParam & x.wMask))
        return false;
    if ((x.flags & kLParam) && (e.lParam & x.lMask) != (x.lParam & x.lMask))
        return false;
    return true;
}

std::string Describe(const std::vector<Expected>& expected, const std::vector<Entry>& actual)
{
    std::ostringstream out;
    out << "expected:\n";
    for (const Expected& x : expected) {
        out << "  " << x.who << " " << MessageName(x.message);
        if (x.flags & kWParam) {
            out << " w=" << x.wParam;
            if (x.wMask != ~WPARAM(0))
                out << " (mask 0x" << std::hex << x.wMask << std::dec << ")";
        }
        if (x.flags & kLParam) {
            out << " l=" << x.lParam;
            if (x.lMask != ~LPARAM(0))
                out << " (mask 0x" << std::hex << x.lMask << std::dec << ")";
        }
        if (x.flags & kOptional)
            out << " (optional)";
        if (x.flags & kWineMissing)
            out << " (Wine leaves it out)";
        out << "\n";
    }
    out << "actual:\n";
    for (const Entry& e : actual)
        out << "  " << e.who << " " << MessageName(e.message) << " w=" << e.wParam << " l=" << e.lParam << "\n";
    return out.str();
}

}  // namespace

std::vector<Entry> Log::WithoutNoise() const
{
    std::vector<Entry> actual;
    for (const Entry& e : m_entries) {
        if (!IsNoise(e.message))
            actual.push_back(e);
    }
    return actual;
}

::testing::AssertionResult Log::Matches(const std::vector<Expected>& expected) const
{
    return Compare(expected, WithoutNoise(), false);
}

::testing::AssertionResult Log::StartsWith(const std::vector<Expected>& expected) const
{
    return Compare(expected, WithoutNoise(), true);
}

::testing::AssertionResult Log::EndsWith(const std::vector<Expected>& expected) const
{
    const std::vector<Entry> all = WithoutNoise();
    // Try every start position from the latest possible backwards; the first full match wins.
    for (size_t start = all.size() + 1; start-- > 0;) {
        const std::vector<Entry> tail(all.begin() + static_cast<std::ptrdiff_t>(start), all.end());
        if (Compare(expected, tail, false))
            return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "no matching tail\n" << Describe(expected, all);
}

::testing::AssertionResult Log::Compare(const std::vector<Expected>& expected, const std::vector<Entry>& actual,
                                        bool bAllowTrailing) const
{
    const bool bWine = RunningOnWine();
    std::vector<const Expected*> wineMissing;
    // An entry that may be left out: optional, or one that Wine does not send.
    auto skippable = [&](const Expected& x) { return (x.flags & kOptional) || (bWine && (x.flags & kWineMissing)); };
    auto skip = [&](const Expected& x) {
        if (!(x.flags & kOptional))
            wineMissing.push_back(&x);
    };
    size_t i = 0;
    size_t j = 0;
    while (i < expected.size() && j < actual.size()) {
        if (EntryMatches(expected[i], actual[j])) {
            ++i;
            ++j;
        } else if (skippable(expected[i])) {
            skip(expected[i++]);
        } else {
            return ::testing::AssertionFailure()
                   << "mismatch at expected #" << i << ", actual #" << j << "\n" << Describe(expected, actual);
        }
    }
    while (i < expected.size() && skippable(expected[i]))
        skip(expected[i++]);
    if (i < expected.size() || (j < actual.size() && !bAllowTrailing))
        return ::testing::AssertionFailure() << "length differs\n" << Describe(expected, actual);
    // Only a sequence that matched reports what Wine left out (EndsWith tries several tails).
    for (const Expected* x : wineMissing) {
        const std::string what = x->who + std::string(" receives ") + MessageName(x->message);
        WINE_KNOWN_DIFFERENCE(what.c_str());
    }
    return ::testing::AssertionSuccess();
}

void PumpMessages()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

bool PollFor(const std::function<bool()>& condition, DWORD dwTimeoutMs)
{
    const ULONGLONG tEnd = GetTickCount64() + dwTimeoutMs;
    while (!condition()) {
        if (GetTickCount64() >= tEnd)
            return condition();
        PumpMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

}  // namespace msgseq
