#include "support/PrivateTemp.h"

#include "support/ScratchFolder.h"

#include <windows.h>

namespace {

std::wstring& RealTempStorage()
{
    static std::wstring realTemp;
    return realTemp;
}

std::wstring Variable(const wchar_t* name)
{
    wchar_t buffer[MAX_PATH * 2];
    const DWORD n = GetEnvironmentVariableW(name, buffer, MAX_PATH * 2);
    return n && n < MAX_PATH * 2 ? std::wstring(buffer, n) : std::wstring();
}

void Restore(const wchar_t* name, const std::wstring& value)
{
    SetEnvironmentVariableW(name, value.empty() ? nullptr : value.c_str());
}

}  // namespace

void PrivateTempEnvironment::SetUp()
{
    wchar_t buffer[MAX_PATH];
    RealTempStorage().assign(buffer, GetTempPathW(MAX_PATH, buffer));
    m_oldTemp = Variable(L"TEMP");
    m_oldTmp = Variable(L"TMP");
    m_private = RealTemp() + L"lumbra-tests-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
    RemoveTreeForTest(m_private);
    ASSERT_TRUE(CreateDirectoryW(m_private.c_str(), nullptr));
    SetEnvironmentVariableW(L"TEMP", m_private.c_str());
    SetEnvironmentVariableW(L"TMP", m_private.c_str());
    ASSERT_EQ(m_private, std::wstring(buffer, GetTempPathW(MAX_PATH, buffer)));
}

void PrivateTempEnvironment::TearDown()
{
    Restore(L"TEMP", m_oldTemp);
    Restore(L"TMP", m_oldTmp);
    RemoveTreeForTest(m_private);
}

const std::wstring& PrivateTempEnvironment::RealTemp()
{
    return RealTempStorage();
}
