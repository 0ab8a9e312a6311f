#pragma once
// The viewer's one window: the file's name, size and first bytes, the language, and the files that
// lie next to the viewer. Esc, Enter, the Close button and the close box end it.
#include "viewer/AppIcon.h"
#include "viewer/Handles.h"
#include "viewer/UiFonts.h"
#include "viewer/ViewerModel.h"

#include <windows.h>

namespace tavisk {

class ViewerWindow {
public:
    explicit ViewerWindow(const ViewerModel& model);
    ~ViewerWindow();
    ViewerWindow(const ViewerWindow&) = delete;
    ViewerWindow& operator=(const ViewerWindow&) = delete;

    // Creates, shows and paints the window.
    bool Create(HINSTANCE instance, int showCommand);
    HWND Hwnd() const { return m_hwnd; }

    // Closes the window by itself after the given time (for unattended runs).
    void CloseAfter(UINT milliseconds);

    // Keyboard handling for the message loop: Esc closes, Tab moves between the controls.
    bool PreTranslateMessage(MSG& msg);

private:
    struct Metrics {
        int margin = 16, gap = 6, lineHeight = 16, headingHeight = 22, labelWidth = 80;
        int monoCharWidth = 7, monoLineHeight = 14, buttonWidth = 88, buttonHeight = 26, footerHeight = 50;
    };

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void OnCreate();
    void CreateChildren();
    void FillFileList();
    void MeasureMetrics();
    void Layout(int width, int height);
    void FitFileColumns();
    void Paint(HDC hdc) const;
    SIZE InitialClientSize() const;
    int Scale(int value) const { return ::MulDiv(value, m_dpi, 96); }
    HWND AddChild(const wchar_t* className, const std::wstring& text, DWORD style, DWORD exStyle, int id,
                  HFONT font);

    const ViewerModel& m_model;
    HWND m_hwnd = nullptr;
    int m_dpi = 96;
    UINT_PTR m_closeTimer = 0;
    UiFonts m_fonts;
    IconHandle m_bigIcon;
    IconHandle m_smallIcon;
    Metrics m_metrics;
    HWND m_lastFocus = nullptr;
    int m_sizeColumnWidth = 120;

    HWND m_heading = nullptr;
    HWND m_labels[3] = {};
    HWND m_values[3] = {};
    HWND m_previewLabel = nullptr;
    HWND m_previewBox = nullptr;   // the hex dump
    HWND m_previewNote = nullptr;  // shown instead of the dump when there is none
    HWND m_filesLabel = nullptr;
    HWND m_fileList = nullptr;
    HWND m_closeButton = nullptr;
};

}  // namespace tavisk
