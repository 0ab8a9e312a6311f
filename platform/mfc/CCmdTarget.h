#pragma once
// Message maps: static tables of handlers, each chained to the table of its base class.
//
// An entry names a message (or a command/notification with its id range) and a thunk, a plain
// function generated per handler that unpacks wParam/lParam into the handler's typed arguments
// and packs its result. A handler with the wrong signature does not compile.
#include "platform/mfc/CObject.h"

class CCmdTarget;
class CCmdUI;

using AFX_PMSG = LRESULT (*)(CCmdTarget* pTarget, UINT nMessage, WPARAM wParam, LPARAM lParam);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;              // window message; WM_COMMAND / WM_NOTIFY for commands and notifications
    UINT nCode;                 // command or notification code
    UINT nID;                   // first control or command id
    UINT nLastID;               // last id of the range
    const UINT* pnRegistered;   // for registered messages: the variable that holds the message number
    AFX_PMSG pfn;               // null ends the table
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Command codes of OnCmdMsg besides control notification codes.
constexpr int CN_COMMAND = 0;
constexpr int CN_UPDATE_COMMAND_UI = -1;
// Messages a parent hands back to the child that sent them ("reflection") arrive at this offset.
constexpr UINT WM_REFLECT_BASE = 0xBC00;
// All WM_CTLCOLORxxx messages share one map entry under this number.
#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019
#endif

#define DECLARE_MESSAGE_MAP()                                  \
protected:                                                     \
    static const AFX_MSGMAP* GetThisMessageMap();              \
    const AFX_MSGMAP* GetMessageMap() const override;

#define AFX_BEGIN_MAP_BODY(theClass, baseClass)                                          \
    {                                                                                    \
        using ThisClass = theClass;                                                      \
        using TheBaseClass = baseClass;                                                  \
        static_assert(sizeof(ThisClass) > 0);                                            \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                           \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); }    \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                                       \
    AFX_BEGIN_MAP_BODY(theClass, baseClass)

#define BEGIN_TEMPLATE_MESSAGE_MAP(theClass, type_name, baseClass)                      \
    template <typename type_name>                                                        \
    const AFX_MSGMAP* theClass<type_name>::GetMessageMap() const                         \
    {                                                                                    \
        return GetThisMessageMap();                                                      \
    }                                                                                    \
    template <typename type_name>                                                        \
    const AFX_MSGMAP* theClass<type_name>::GetThisMessageMap()                           \
    AFX_BEGIN_MAP_BODY(theClass<type_name>, baseClass)

#define END_MESSAGE_MAP()                                                                \
            {0, 0, 0, 0, nullptr, nullptr}};                                             \
        static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
        return &messageMap;                                                              \
    }

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;
    ~CCmdTarget() override = default;

    // Routes a command (nCode CN_COMMAND or a control notification code) or a command-UI update
    // (CN_UPDATE_COMMAND_UI, pExtra = CCmdUI*) to this object's map. TRUE when a handler ran.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra);
    // TRUE when the map has a handler for the command; nothing is called.
    BOOL HasCommandHandler(UINT nID, int nCode) const;

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

    // The first entry, searching this class's map and then its bases, for the message.
    const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT nMessage) const;
    // The first entry for a command, notification or reflected command (nMessage) with code and id.
    const AFX_MSGMAP_ENTRY* FindCommandEntry(UINT nMessage, UINT nCode, UINT nID) const;
};

// State of one menu item (or other command source) while its owner updates it.
class CCmdUI {
public:
    UINT m_nID = 0;
    UINT m_nIndex = 0;
    UINT m_nIndexMax = 0;
    HMENU m_hMenu = nullptr;
    BOOL m_bEnableChanged = FALSE;

    virtual ~CCmdUI() = default;
    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(const wchar_t* pszText);

    // Asks pTarget to update this item; without a handler the item is disabled when
    // bDisableIfNoHandler is set and no command handler exists either.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler);
};

// Updates every command item of a popup menu through pTarget's map (separators and submenus skipped).
void AfxUpdateMenuCommands(HMENU hMenu, CCmdTarget* pTarget, BOOL bDisableIfNoHandler);
