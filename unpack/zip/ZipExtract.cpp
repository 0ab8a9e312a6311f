#include "unpack/zip/ZipExtract.h"

#include "unpack/zip/ZipEntryReader.h"
#include "unpack/zip/ZipNames.h"
#include "unpack/zip/ZipPaths.h"

namespace zip {
namespace {

std::wstring Join(std::wstring_view a, std::wstring_view b)
{
    std::wstring joined;
    joined.reserve(a.size() + b.size());
    joined.append(a).append(b);
    return joined;
}

Status CopyData(const ExtractRequest& request, EntryReader& reader, OutputFile& file)
{
    for (;;) {
        size_t produced = 0;
        bool finished = false;
        const Status status = reader.Read(request.buffer, produced, finished);
        if (status != Status::Ok)
            return status;
        if (produced > 0 && !file.Write(request.buffer.first(produced)))
            return Status::WriteError;  // the caller reads the system's error before anything else runs
        if (finished) {
            file.SetTimes(request.times);
            return Status::Ok;
        }
        if (produced == 0)
            return Status::Inflate;
    }
}

}  // namespace

void EnsureFolder(Output& output, std::wstring_view base, std::wstring_view path)
{
    if (!base.empty() && !output.Exists(std::wstring(base)))
        output.CreateFolder(std::wstring(base));
    for (size_t end = 0; end <= path.size(); ++end) {
        if (end < path.size() && !IsSeparator(path[end]))
            continue;
        if (end == 0 || IsSeparator(path[end - 1]))
            continue;  // nothing new since the last separator
        const std::wstring folder = Join(base, path.substr(0, end));
        if (!output.Exists(folder))
            output.CreateFolder(folder);
    }
}

Status ExtractEntry(const ExtractRequest& request, Output& output)
{
    const Entry& entry = *request.entry;
    const std::wstring_view target = request.target;

    if (entry.attr & kAttrDirectory) {
        const bool absolute = IsAbsoluteTarget(target);
        if (!absolute && !IsSafeRelativeTarget(target))
            return Status::BadArchive;
        const std::wstring_view base = absolute ? std::wstring_view() : request.baseFolder;
        if (base.size() + target.size() > kMaxPathLength)
            return Status::CantOpen;
        EnsureFolder(output, base, target);
        return Status::Ok;
    }

    size_t split = target.size();
    while (split > 0 && !IsSeparator(target[split - 1]))
        --split;
    const std::wstring_view folder = target.substr(0, split);
    const bool absolute = IsAbsoluteTarget(folder);
    if (!absolute && !IsSafeRelativeTarget(target))
        return Status::BadArchive;
    const std::wstring_view base = absolute ? std::wstring_view() : request.baseFolder;
    const std::wstring path = Join(base, target);
    if (path.size() > kMaxPathLength)
        return Status::CantOpen;

    // The data is checked before anything is created: a truncated entry or a wrong password leaves no file.
    EntryReader reader;
    if (const Status status = reader.Open(request.archive, entry, request.password); status != Status::Ok)
        return status;
    // Folders are created when the file cannot be created without them: most files land in a folder
    // that an earlier entry has made, and each look-up costs as much as writing a small file.
    const uint32_t attr = entry.attr & (kAttrReadOnly | kAttrHidden | kAttrSystem | kAttrArchive);
    bool folderMissing = false;
    std::unique_ptr<OutputFile> file = output.CreateOutputFile(path, attr, folderMissing);
    if (!file && folderMissing) {
        EnsureFolder(output, base, folder);
        file = output.CreateOutputFile(path, attr, folderMissing);
    }
    if (!file) {
        if (request.systemError)
            *request.systemError = output.LastSystemError();
        return Status::CantOpen;
    }
    if (entry.central.uncompressedSize == 0)
        return Status::Inflate;  // no data to read: the file stays empty, its times unset
    const Status status = CopyData(request, reader, *file);
    if (status != Status::Ok) {
        // A damaged stream, a wrong length or CRC, a failed write: no partial file stays behind.
        if (status == Status::WriteError && request.systemError)
            *request.systemError = output.LastSystemError();
        file.reset();
        output.RemoveFile(path);
    }
    return status;
}

}  // namespace zip
