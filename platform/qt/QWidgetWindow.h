#pragma once
// The window side of QWidget: the window class, the window property that leads from a handle to its
// widget, and the translation of window messages into events.
#include <windows.h>

class QWidget;

class QWidgetWindow {
public:
    static const wchar_t* ClassName();  // registered on first use
    static QWidget* WidgetOf(HWND hWnd);
    // Binds a native control's window (made by CreateWindowExW) to its widget.
    static void AttachNative(QWidget* widget);
    // Unbinds the widget from its window before the window is destroyed.
    static void Detach(QWidget* widget);

private:
    static LRESULT CALLBACK WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT Dispatch(QWidget* w, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT Default(QWidget* w, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    static bool MouseMessage(QWidget* w, UINT message, WPARAM wParam, LPARAM lParam);
    static bool KeyMessage(QWidget* w, UINT message, WPARAM wParam, LPARAM lParam);
    static void DropFiles(QWidget* w, HANDLE hDrop);
};
