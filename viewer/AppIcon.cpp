#include "viewer/AppIcon.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace tavisk {

namespace {

bool InRoundedSquare(double x, double y, double size)
{
    const double inset = size * 0.04;
    const double radius = size * 0.22;
    const double lo = inset + radius;
    const double hi = size - inset - radius;
    const double cx = std::clamp(x, lo, hi);
    const double cy = std::clamp(y, lo, hi);
    if (x < inset || y < inset || x > size - inset || y > size - inset)
        return false;
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
}

bool InPlaySign(double x, double y, double size)
{
    const double left = size * 0.38, top = size * 0.28, bottom = size * 0.72, tip = size * 0.74;
    if (x < left || x > tip || y < top || y > bottom)
        return false;
    const double halfHeight = (bottom - top) / 2 * (1.0 - (x - left) / (tip - left));
    return std::fabs(y - size / 2) <= halfHeight;
}

}  // namespace

IconHandle CreateAppIcon(int size)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    BitmapHandle color(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    BitmapHandle mask(::CreateBitmap(size, size, 1, 1, nullptr));
    if (!color || !mask || !bits)
        return IconHandle();

    // 4 x 4 samples a pixel for smooth edges; straight (not premultiplied) alpha, as icons want it.
    constexpr int kSamples = 4;
    auto* pixels = static_cast<std::uint32_t*>(bits);
    for (int py = 0; py < size; ++py) {
        for (int px = 0; px < size; ++px) {
            double r = 0, g = 0, b = 0, a = 0;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    const double x = px + (sx + 0.5) / kSamples;
                    const double y = py + (sy + 0.5) / kSamples;
                    if (!InRoundedSquare(x, y, size))
                        continue;
                    a += 1;
                    if (InPlaySign(x, y, size)) {
                        r += 255; g += 255; b += 255;
                    } else {
                        const double t = y / size;  // navy, a little lighter at the top
                        r += 44 + (21 - 44) * t;
                        g += 96 + (59 - 96) * t;
                        b += 150 + (99 - 150) * t;
                    }
                }
            }
            std::uint32_t value = 0;
            if (a > 0) {
                const auto channel = [a](double sum) { return static_cast<std::uint32_t>(sum / a + 0.5); };
                const auto alpha = static_cast<std::uint32_t>(a * 255 / (kSamples * kSamples) + 0.5);
                value = (alpha << 24) | (channel(r) << 16) | (channel(g) << 8) | channel(b);
            }
            pixels[py * size + px] = value;
        }
    }

    ICONINFO icon{};
    icon.fIcon = TRUE;
    icon.hbmColor = color.Get();
    icon.hbmMask = mask.Get();
    return IconHandle(::CreateIconIndirect(&icon));  // copies both bitmaps
}

}  // namespace tavisk
