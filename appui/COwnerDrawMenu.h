// The application's owner-drawn menu: every item becomes owner-drawn and
// carries a record with its text and command; records survive rebuilds of
// the menu, and mnemonic keys are answered from them. The drawing and
// measuring of the items are not part of this program.
#pragma once

#include <afxwin.h>
#include <afxcoll.h>

// Owned by a menu record and deleted with it; the drawing code would keep
// its per-item state here.
class COwnerDrawMenuExtra
{
public:
    virtual ~COwnerDrawMenuExtra() = default;
};

// One item of an owner-drawn menu; an owner-drawn item's data points to it.
struct OwnerDrawMenuItem
{
    OwnerDrawMenuItem(UINT nFlags, UINT_PTR nID, LPCWSTR lpszText);
    ~OwnerDrawMenuItem();
    OwnerDrawMenuItem(const OwnerDrawMenuItem&) = delete;
    OwnerDrawMenuItem& operator=(const OwnerDrawMenuItem&) = delete;

    void SetText(LPCWSTR lpszText);
    CString GetText() const;

    LPWSTR m_pszText;            // owned; NULL when empty
    int m_nImage = -1;           // kept for the drawing code
    int m_nImageSelected = -1;
    int m_nWidth = 0;
    int m_nCheckImage = -1;
    UINT m_nFlags;               // as given to ModifyMenu
    UINT_PTR m_nID;              // command id, or the sub-menu of a pop-up item
    int m_bReused = 0;
    COwnerDrawMenuExtra* m_pExtra = NULL;
    int m_nSpare = 0;
};

class COwnerDrawMenu : public CMenu
{
public:
    COwnerDrawMenu();
    ~COwnerDrawMenu() override;

    // Whether a menu is listed in the process-wide registry of owner-drawn
    // menus.
    static BOOL IsOwnerDrawMenu(CMenu* pMenu);
    static BOOL IsOwnerDrawMenuHandle(HMENU hMenu);
    static void RegisterMenu(HMENU hMenu);
    static void UnregisterMenu(HMENU hMenu);

    // A new record; the item at nPosition is modified to it (as its data
    // when nFlags has MF_OWNERDRAW).
    OwnerDrawMenuItem* AddItem(UINT nPosition, UINT nFlags, UINT_PTR nID, LPCWSTR lpszText);
    // The menu (this one or a sub-menu, searched first) that holds command
    // nID and its position there; NULL and -1 when none does.
    CMenu* FindMenuOfItem(UINT nID, int& nPosition);
    BOOL GetItemText(UINT nIDOrPosition, CString& strText, UINT nFlags);
    // The first record of nID not yet reused in this rebuild, now marked.
    OwnerDrawMenuItem* TakeUnusedRecord(UINT_PTR nID);
    // Rebuilds the records from the live menu, keeping those of unchanged
    // items and deleting those of removed ones.
    void ConvertMenu();
    // The answer to WM_MENUCHAR for pMenu: the position of the first item
    // whose text holds "&" and the key, with MNC_EXECUTE; 0 otherwise.
    LRESULT AnswerMenuKey(UINT nChar, UINT nFlags, CMenu* pMenu);

    INT_PTR GetRecordCount() const { return m_records.GetSize(); }
    OwnerDrawMenuItem* GetRecord(INT_PTR nIndex) const { return (OwnerDrawMenuItem*)m_records[nIndex]; }

protected:
    CPtrArray m_records;
};

// The Windows family and version the drawing code adapts to: 0 Win32s,
// 1 another NT, 2 Windows 95 (or another 9x), 3 Windows 98, 4 Windows Me,
// 5 NT 4, 6 Windows 2000, 7 Windows XP. Computed once, on first use.
int GetWindowsVersionCode();
