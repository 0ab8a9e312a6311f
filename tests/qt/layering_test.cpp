// The Qt layer sits on Win32 alone: none of its files includes the MFC layer or the toolkit, and its
// library links user32 and gdi32 only. Read from the sources the build was made from.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::wstring SourceRoot()
{
    wchar_t buf[MAX_PATH];
    const DWORD n = GetEnvironmentVariableW(L"LUMBRA_SOURCE", buf, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return std::wstring();
    std::wstring root(buf, n);
    // The build passes a Unix path; Wine maps the Unix root to drive Z:.
    if (!root.empty() && root[0] == L'/')
        root = L"Z:" + root;
    return root;
}

std::vector<std::wstring> LayerFiles(const std::wstring& folder)
{
    std::vector<std::wstring> files;
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((folder + L"\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
        return files;
    do {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            files.push_back(fd.cFileName);
    } while (FindNextFileW(h, &fd));
    FindClose(h);
    return files;
}

std::string ReadAll(const std::wstring& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string Narrow(const std::wstring& w)
{
    return std::string(w.begin(), w.end());
}

TEST(LayeringTest, NothingInTheQtLayerIncludesMfcOrTheToolkit)
{
    const std::wstring root = SourceRoot();
    ASSERT_FALSE(root.empty()) << "LUMBRA_SOURCE not set";
    const std::wstring folder = root + L"/platform/qt";
    const std::vector<std::wstring> files = LayerFiles(folder);
    int sources = 0;
    for (const std::wstring& name : files) {
        const bool code = name.ends_with(L".h") || name.ends_with(L".cpp");
        if (!code)
            continue;
        ++sources;
        std::istringstream text(ReadAll(folder + L"/" + name));
        std::string line;
        int lineNo = 0;
        while (std::getline(text, line)) {
            ++lineNo;
            const size_t hash = line.find_first_not_of(" \t");
            if (hash == std::string::npos || line.compare(hash, 8, "#include") != 0)
                continue;
            const bool ours = line.find("\"platform/qt/") != std::string::npos;
            const bool system = line.find('<') != std::string::npos;
            EXPECT_TRUE(ours || system) << Narrow(name) << ":" << lineNo << ": " << line;
            EXPECT_EQ(std::string::npos, line.find("platform/mfc")) << Narrow(name) << ":" << lineNo;
            EXPECT_EQ(std::string::npos, line.find("toolkit")) << Narrow(name) << ":" << lineNo;
            EXPECT_EQ(std::string::npos, line.find("afx")) << Narrow(name) << ":" << lineNo;
        }
    }
    EXPECT_GT(sources, 10);

    // The library's link line: user32 and gdi32, nothing else.
    const std::string cmake = ReadAll(folder + L"/CMakeLists.txt");
    const size_t link = cmake.find("target_link_libraries(qt");
    ASSERT_NE(std::string::npos, link);
    const std::string libs = cmake.substr(link, cmake.find(')', link) - link);
    EXPECT_EQ("target_link_libraries(qt PUBLIC user32 gdi32", libs);
}

}  // namespace
