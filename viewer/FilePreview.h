#pragma once
// A short look at the file the viewer was started with: its size and its first bytes.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tavisk {

enum class PreviewStatus { NoFile, Read, Empty, Folder, Unreadable };

struct FilePreview {
    PreviewStatus status = PreviewStatus::NoFile;
    std::uint64_t size = 0;          // valid for Read and Empty
    std::vector<std::uint8_t> head;  // the first bytes, at most the requested count
    DWORD error = ERROR_SUCCESS;     // the system's reason for Unreadable

    bool HasSize() const { return status == PreviewStatus::Read || status == PreviewStatus::Empty; }
};

constexpr size_t kPreviewBytes = 256;

// Opens the file with full sharing, reads the head and closes it again before returning.
FilePreview ReadFilePreview(const std::wstring& path, size_t maxBytes = kPreviewBytes);

// Sixteen bytes a line: offset, hex bytes in two groups of eight, the printable ASCII characters
// (others as '.'). Lines end with "\r\n" except the last.
std::wstring FormatHexDump(const std::vector<std::uint8_t>& bytes);

}  // namespace tavisk
