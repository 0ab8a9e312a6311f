#include "toolkit/buttons/BitmapRuns.h"

#include "platform/mfc/CDC.h"

#include <vector>

namespace {

// Grows the region run by run.
class CRunRegion {
public:
    explicit CRunRegion(CRgn& rgn) : m_rgn(rgn) {}

    void Add(int left, int top, int right, int bottom)
    {
        if (!m_rgn.GetSafeHandle()) {
            m_rgn.CreateRectRgn(left, top, right, bottom);
            return;
        }
        if (m_run.GetSafeHandle())
            m_run.SetRectRgn(left, top, right, bottom);
        else if (!m_run.CreateRectRgn(left, top, right, bottom))
            return;
        m_rgn.CombineRgn(&m_rgn, &m_run, RGN_OR);
    }

private:
    CRgn& m_rgn;
    CRgn m_run;
};

// Calls run.Add for each run of pixels for which isKey(x, y) is false.
template <class IsKey>
void ScanRuns(int cx, int cy, IsKey isKey, CRunRegion& runs)
{
    for (int y = 0; y < cy; ++y) {
        int start = -1;
        for (int x = 0; x < cx; ++x) {
            if (isKey(x, y)) {
                if (start >= 0) {
                    runs.Add(start, y, x, y + 1);
                    start = -1;
                }
            } else if (start < 0) {
                start = x;
            }
        }
        if (start >= 0)
            runs.Add(start, y, cx, y + 1);
    }
}

constexpr bool IsFiveSixFive(const DWORD masks[3])
{
    return masks[0] == 0xF800 && masks[1] == 0x07E0 && masks[2] == 0x001F;
}

// Bits per pixel of the layout GetBitmapBits delivers for the bitmap when it is one the bulk reads
// understand (16 for 5-6-5, 24 for blue-green-red), else 0. Asking the bitmap itself rather than the
// device keeps a picture whose depth differs from the screen's from being read in the wrong layout.
int BulkLayout(HBITMAP hBitmap)
{
    DIBSECTION ds{};
    const int cb = ::GetObjectW(hBitmap, sizeof(ds), &ds);
    if (cb < static_cast<int>(sizeof(BITMAP)) || ds.dsBm.bmPlanes != 1)
        return 0;
    if (ds.dsBm.bmBitsPixel == 24)
        return 24;
    // Device-dependent 16-bit pictures are 5-6-5; a DIB section tells its masks.
    if (ds.dsBm.bmBitsPixel == 16 && (cb != static_cast<int>(sizeof(ds)) || IsFiveSixFive(ds.dsBitfields)))
        return 16;
    return 0;
}

// The rows of a 16- or 24-bit bitmap as GetBitmapBits gives them: top down, each padded to an even
// number of bytes. Empty when the read does not deliver all of them.
std::vector<BYTE> ReadRows(HBITMAP hBitmap, int cx, int cy, int bpp, int& stride)
{
    stride = bpp == 16 ? cx * 2 : (cx * 3 + 1) & ~1;
    const LONG cb = static_cast<LONG>(stride) * cy;
    std::vector<BYTE> bits(static_cast<size_t>(cb));
    if (::GetBitmapBits(hBitmap, cb, bits.data()) != cb)
        bits.clear();
    return bits;
}

}  // namespace

bool CollectVisibleRuns(HBITMAP hBitmap, COLORREF clrKeying, CRgn& rgn)
{
    BITMAP bm{};
    if (!hBitmap || ::GetObjectW(hBitmap, sizeof(bm), &bm) != sizeof(bm))
        return false;
    const int cx = bm.bmWidth;
    const int cy = bm.bmHeight;

    // The picture in a memory DC, and a copy in a bitmap of the same kind that is read in bulk.
    CDC pictureDC;
    if (!pictureDC.Attach(::CreateCompatibleDC(nullptr)))
        return false;
    CSelectGuard selPicture(pictureDC, hBitmap);
    if (!selPicture.ok())
        return false;
    CDC copyDC;
    if (!copyDC.Attach(::CreateCompatibleDC(pictureDC)))
        return false;
    CBitmap copy;
    if (!copy.CreateCompatibleBitmap(pictureDC, cx, cy))
        return false;
    CSelectGuard selCopy(copyDC, copy);
    if (!selCopy.ok() || !::BitBlt(copyDC, 0, 0, cx, cy, pictureDC, 0, 0, SRCCOPY))
        return false;

    CRunRegion runs(rgn);
    const BYTE keyRed = GetRValue(clrKeying);
    const BYTE keyGreen = GetGValue(clrKeying);
    const BYTE keyBlue = GetBValue(clrKeying);
    const int bpp = BulkLayout(copy);
    int stride = 0;
    const std::vector<BYTE> bits = bpp ? ReadRows(copy, cx, cy, bpp, stride) : std::vector<BYTE>();
    if (bpp == 16 && !bits.empty()) {
        const BYTE red = keyRed & 0xF8, green = keyGreen & 0xFC, blue = keyBlue & 0xF8;
        const auto* pPixels = reinterpret_cast<const WORD*>(bits.data());
        ScanRuns(cx, cy, [&](int x, int y) {
            const WORD v = pPixels[y * cx + x];
            return ((v >> 8) & 0xF8) == red && ((v >> 3) & 0xFC) == green && ((v & 0x1F) << 3) == blue;
        }, runs);
    } else if (bpp == 24 && !bits.empty()) {
        ScanRuns(cx, cy, [&](int x, int y) {
            const BYTE* p = bits.data() + static_cast<size_t>(y) * stride + 3 * x;
            return p[0] == keyBlue && p[1] == keyGreen && p[2] == keyRed;
        }, runs);
    } else {
        ScanRuns(cx, cy, [&](int x, int y) { return ::GetPixel(pictureDC, x, y) == clrKeying; }, runs);
    }
    return true;
}
