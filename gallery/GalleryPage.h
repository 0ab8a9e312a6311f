#pragma once
// One page of the gallery: the windows that show one toolkit feature, and the pictures that the
// screenshot run takes of it.
#include "platform/mfc/CWnd.h"

#include <memory>
#include <vector>

// One picture of a page: the file name it is saved under (without extension) and the page's own
// step number for PrepareShot and EndShot.
struct GalleryShot {
    const wchar_t* pszName;
    int nStep;
};

class CGalleryPage {
public:
    virtual ~CGalleryPage() = default;

    // String id of the page's name in the list of pages.
    virtual UINT TitleId() const = 0;
    // Builds the page's controls as children of pParent inside rcArea (client coordinates).
    virtual void Create(CWnd* pParent, const CRect& rcArea) = 0;
    // Destroys everything Create and PrepareShot made; the page can be created again.
    virtual void Destroy() = 0;
    // The area changed with the main window's size.
    virtual void Move(const CRect& /*rcArea*/) {}
    // A command from one of the page's controls; TRUE when the page handled it.
    virtual BOOL OnCommand(UINT /*nID*/, UINT /*nCode*/) { return FALSE; }

    virtual std::vector<GalleryShot> Shots() const { return {}; }
    // Sets the page up for one picture and returns the window to capture, or nullptr for every
    // visible window of the thread together (a menu with its owner, say). It may post itself a
    // message that starts a modal loop: the picture is taken from a timer inside that loop.
    virtual HWND PrepareShot(int /*nStep*/) { return nullptr; }
    // Asked when the picture is due: FALSE puts it off a little (a window that opens from a posted
    // message may not be on screen yet). The page may take the next step of its set-up here.
    virtual BOOL IsShotReady(int /*nStep*/) { return TRUE; }
    // Undoes PrepareShot once the picture is taken (closes windows, ends menus).
    virtual void EndShot(int /*nStep*/) {}
};

// Every page, in the order of the list.
std::vector<std::unique_ptr<CGalleryPage>> MakeGalleryPages();

// Loads a string of the gallery's own table (empty when it is missing).
CString GalleryString(UINT nID);
