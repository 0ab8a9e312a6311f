#pragma once
// Paths the version tests work with.
#include <string>

std::wstring ExecutablePath();
std::wstring ExecutableFolder();  // ends with a backslash
std::wstring TempFolder();        // ends with a backslash
// $LUMBRA_BIN as a Windows path (a Unix path is reached through drive Z:), else the executable's folder.
std::wstring LumbraBinFolder();   // ends with a backslash
