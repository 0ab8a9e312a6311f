#pragma once
// A maker's payload folder: one subfolder per archive (ZOLT, VC, RUNTIME, LANG_<code>, HELP_<code>),
// each holding exactly what its archive is to unpack. Read, checked and packed as the launcher's build
// packs its own payload.
#include "pack/ZipPacker.h"

#include <string>
#include <vector>

namespace pack {

struct PackedArchive {
    std::wstring resourceName;  // "ZOLT", "LANG_EN", ...
    std::vector<uint8_t> zip;
};

struct PackOptions {
    bool keepTimes = false;  // the files' own times instead of the one fixed time
};

// Every archive of the payload, sorted by resource name; false with *pError naming what is wrong
// (a missing or unknown folder, a language without its help or the other way round, a name the
// launcher's reader would refuse, an archive over the zip format's limits).
bool PackPayloadFolder(const std::wstring& folder, const PackOptions& options, std::vector<PackedArchive>& archives,
                       std::wstring* pError);

}  // namespace pack
