#include "viewer/FilePreview.h"

#include "viewer/Handles.h"

namespace tavisk {

FilePreview ReadFilePreview(const std::wstring& path, size_t maxBytes)
{
    FilePreview preview;
    if (path.empty())
        return preview;

    FileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) {
        preview.error = ::GetLastError();
        const DWORD attributes = ::GetFileAttributesW(path.c_str());
        const bool folder = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
        preview.status = folder ? PreviewStatus::Folder : PreviewStatus::Unreadable;
        return preview;
    }

    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.Get(), &size)) {
        preview.error = ::GetLastError();
        preview.status = PreviewStatus::Unreadable;
        return preview;
    }
    preview.size = static_cast<std::uint64_t>(size.QuadPart);

    const size_t wanted = preview.size < maxBytes ? static_cast<size_t>(preview.size) : maxBytes;
    preview.head.resize(wanted);
    size_t got = 0;
    while (got < wanted) {
        DWORD chunk = 0;
        if (!::ReadFile(file.Get(), preview.head.data() + got, static_cast<DWORD>(wanted - got), &chunk, nullptr)) {
            preview.error = ::GetLastError();
            break;
        }
        if (chunk == 0)
            break;  // the file became shorter since its size was read
        got += chunk;
    }
    preview.head.resize(got);
    if (got == 0 && preview.error != ERROR_SUCCESS)
        preview.status = PreviewStatus::Unreadable;
    else
        preview.status = preview.size == 0 ? PreviewStatus::Empty : PreviewStatus::Read;
    return preview;
}

std::wstring FormatHexDump(const std::vector<std::uint8_t>& bytes)
{
    static const wchar_t kHex[] = L"0123456789ABCDEF";
    constexpr size_t kPerLine = 16;
    std::wstring text;
    for (size_t line = 0; line < bytes.size(); line += kPerLine) {
        if (line > 0)
            text += L"\r\n";
        for (int shift = 28; shift >= 0; shift -= 4)
            text += kHex[(line >> shift) & 0xF];
        text += L"  ";
        std::wstring printable;
        for (size_t i = 0; i < kPerLine; ++i) {
            if (i == 8)
                text += L' ';
            if (line + i < bytes.size()) {
                const std::uint8_t b = bytes[line + i];
                text += kHex[b >> 4];
                text += kHex[b & 0xF];
                text += L' ';
                printable += (b >= 0x20 && b < 0x7F) ? static_cast<wchar_t>(b) : L'.';
            } else {
                text += L"   ";
            }
        }
        text += L' ';
        text += printable;
    }
    return text;
}

}  // namespace tavisk
