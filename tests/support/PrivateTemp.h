#pragma once
// Gives a test program a %TEMP% of its own, so that nothing it starts (a launcher run with the
// inherited environment, a scratch folder) ever touches the user's real temporary folder.
#include <gtest/gtest.h>

#include <string>

class PrivateTempEnvironment : public testing::Environment {
public:
    // Creates <real temp>\lumbra-tests-<pid>\ and points TEMP and TMP of this process at it.
    void SetUp() override;
    // Restores TEMP and TMP and removes the folder with everything in it.
    void TearDown() override;

    // The temporary folder as it was before SetUp, with a trailing backslash.
    static const std::wstring& RealTemp();

private:
    std::wstring m_oldTemp, m_oldTmp, m_private;
};
