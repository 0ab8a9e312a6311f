#pragma once
// The viewer's texts: English built in, every language from its library Lumbra_<code>.dll.
#include <cstdint>
#include <map>
#include <string>

namespace tavisk {

class ViewerStrings {
public:
    // The English texts compiled into the viewer.
    static ViewerStrings BuiltIn();

    // Copies every text out of <folder>Lumbra_<code>.dll and releases the library again at once, so
    // the viewer holds no file of its folder open. Texts the library lacks stay English; without the
    // library the result is the built-in English.
    static ViewerStrings FromFolder(const std::wstring& folder, const std::wstring& code);

    // The text with a string id of StringIds.h; empty for an unknown id.
    const std::wstring& Get(unsigned id) const;

    // 1234567 grouped the way the language's locale does it.
    std::wstring Number(std::uint64_t value) const;
    // "1,234 bytes", "1 byte", "3 bajty", with the language's plural wording.
    std::wstring Bytes(std::uint64_t value) const;

    bool FromLibrary() const { return !m_libraryPath.empty(); }
    const std::wstring& LibraryPath() const { return m_libraryPath; }

    static std::wstring LibraryFileName(const std::wstring& code) { return L"Lumbra_" + code + L".dll"; }

private:
    void ResolveThousandSeparator();

    std::map<unsigned, std::wstring> m_texts;
    std::wstring m_libraryPath;
    std::wstring m_thousandSeparator = L",";
};

}  // namespace tavisk
