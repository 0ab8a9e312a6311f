#include "ButtonTestSupport.h"

namespace buttontest {

CRecordingParent::CRecordingParent()
{
    CreateEx(0, nullptr, L"buttons", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 420, 300, nullptr, nullptr);
}

CRecordingParent::~CRecordingParent()
{
    if (m_hWnd)
        DestroyWindow();
}

BOOL CRecordingParent::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message >= WM_USER + 20 && message <= WM_USER + 23) {
        log.Add("parent", message, wParam, lParam);
        if (onNotify)
            onNotify(message, wParam, lParam);
        if (pResult)
            *pResult = 0;
        return TRUE;
    }
    return CWnd::OnWndMsg(message, wParam, lParam, pResult);
}

void PaintInto(CVellBitmapButton& button, DibSurface& surface, UINT nItemAction)
{
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_BUTTON;
    dis.CtlID = static_cast<UINT>(::GetDlgCtrlID(button.m_hWnd));
    dis.itemAction = nItemAction;
    dis.hwndItem = button.m_hWnd;
    dis.hDC = surface.dc();
    ::GetClientRect(button.m_hWnd, &dis.rcItem);
    button.DrawItem(&dis);
}

void MouseDown(HWND hWnd, int x, int y)
{
    ::SendMessageW(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
}

void MouseMove(HWND hWnd, int x, int y, bool bLeftDown)
{
    ::SendMessageW(hWnd, WM_MOUSEMOVE, bLeftDown ? MK_LBUTTON : 0, MAKELPARAM(x, y));
}

void MouseUp(HWND hWnd, int x, int y)
{
    ::SendMessageW(hWnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void SpaceDown(HWND hWnd, bool bRepeat)
{
    ::SendMessageW(hWnd, WM_KEYDOWN, VK_SPACE, bRepeat ? 0x40390001 : 0x00390001);
}

void SpaceUp(HWND hWnd)
{
    ::SendMessageW(hWnd, WM_KEYUP, VK_SPACE, static_cast<LPARAM>(0xC0390001u));
}

void Click(HWND hWnd, int x, int y)
{
    MouseMove(hWnd, x, y, false);
    MouseDown(hWnd, x, y);
    MouseUp(hWnd, x, y);
}

int CountGdiObjects()
{
    if (const DWORD dwCount = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS))
        return static_cast<int>(dwCount);
    // The handle table the system shares with the process: 65,536 entries of 24 bytes, the object
    // type in the byte at offset 14 (0 for a free entry). Its address is in the process environment
    // block at offset 0xF8 (64-bit layout, the same on Windows and Wine).
    constexpr size_t kEntries = 0x10000, kEntrySize = 24, kTypeOffset = 14, kPebTableOffset = 0xF8;
    struct BasicInformation {
        LONG_PTR nExitStatus;
        const BYTE* pPeb;
        ULONG_PTR reserved[4];
    } info{};
    using QueryFn = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
    const auto pfnQuery = reinterpret_cast<QueryFn>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    if (!pfnQuery || pfnQuery(::GetCurrentProcess(), 0, &info, sizeof(info), nullptr) != 0 || !info.pPeb)
        return -1;
    const BYTE* pPeb = info.pPeb;
    const BYTE* pTable = *reinterpret_cast<const BYTE* const*>(pPeb + kPebTableOffset);
    MEMORY_BASIC_INFORMATION mbi{};
    if (!pTable || !::VirtualQuery(pTable, &mbi, sizeof(mbi)) || mbi.State != MEM_COMMIT ||
        static_cast<const BYTE*>(mbi.BaseAddress) + mbi.RegionSize < pTable + kEntries * kEntrySize)
        return -1;
    int nUsed = 0;
    for (size_t i = 0; i < kEntries; ++i)
        nUsed += pTable[i * kEntrySize + kTypeOffset] != 0;
    return nUsed;
}

std::vector<msgseq::Expected> Notes(std::initializer_list<std::pair<UINT, LPARAM>> notes, WPARAM nId)
{
    std::vector<msgseq::Expected> out;
    for (const auto& [message, lParam] : notes)
        out.push_back({"parent", message, msgseq::kWParam | msgseq::kLParam, nId, lParam});
    return out;
}

}  // namespace buttontest
