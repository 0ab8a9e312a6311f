#pragma once
// Pictures of what is on the screen, saved as 24-bit BMP files.
#include <windows.h>

#include <vector>

// The smallest rectangle around every visible top-level window of the calling thread (menus,
// tool tips and modeless dialogs included); empty when there is none.
RECT ThreadWindowsBounds();

// Copies rc of the screen into a BMP file; FALSE when the copy or the file failed.
bool CaptureScreenToBmp(const RECT& rc, const wchar_t* pszPath);

// The file image of a 24-bit bottom-up BMP of cx × cy pixels from 32-bit top-down BGRX pixels.
std::vector<BYTE> EncodeBmp24(const DWORD* pPixels, int cx, int cy);
