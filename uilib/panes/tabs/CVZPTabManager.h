// The window-less logic of a tab strip: the tabs, the selected and the hot
// tab, the scroll offset and the three navigate buttons (scroll back, scroll
// forward, close). It turns presses, mouse moves and keys into selection
// changes, reordering and scrolling, and asks its tab paint manager to lay
// the tabs out and draw them. A concrete strip supplies the window, the
// paint manager, redrawing and the tab icons.
#pragma once

#include <afxwin.h>

#include <afxtempl.h>
#include <commctrl.h>

#include "CVZPTabPaintManager.h"
#include "CVZPVisualStyle.h"

class CVZPTabManager;

// One tab. Reference counted through the command target's count: the
// manager that holds the tab owns one reference.
class CVZPTabManagerItem : public CCmdTarget
{
    DECLARE_DYNAMIC(CVZPTabManagerItem)
public:
    CVZPTabManagerItem();
    ~CVZPTabManagerItem() override;

    // Assigns a differing text (compared exactly) and repositions the owner.
    void SetCaption(LPCWSTR lpszCaption);
    // Stores the colour (RGB or an automatic colour index) and redraws.
    void SetColor(COLORREF clr);
    // Through the owner, so that a strip may answer for its tabs.
    CString GetCaption() const;
    COLORREF GetColor() const;
    // Deletes the tab from its owner.
    void Remove();

    HWND GetHandle() const { return m_hWnd; }
    BOOL IsVisible() const { return m_bVisible; }
    BOOL IsEnabled() const { return m_bEnabled; }
    int GetIndex() const { return m_nIndex; }
    CVZPTabManager* GetTabManager() const { return m_pOwner; }

    int m_nLength;           // extent along the strip, written by the layout
    int m_nNaturalLength;    // extent the caption would need
    int m_nSpare1;           // read by nothing
    int m_nIndex;            // position in the owner's array
    int m_nSpare2;           // read by nothing
    BOOL m_bEnabled;
    BOOL m_bVisible;
    HWND m_hWnd;             // the window the tab stands for
    DWORD m_dwImage;
    void* m_pData;           // the object the tab stands for
    CRect m_rcItem;          // strip coordinates, written by the layout
    CString m_strCaption;
    CString m_strTooltip;
    COLORREF m_clrItem;
    CVZPTabManager* m_pOwner;
    int m_nRow;              // row in a multi-row layout
    BOOL m_bClosable;        // an automatic close button shows for this tab
};

// The first and last tab index of each row of a multi-row layout.
struct VZPTabRow
{
    int nFirst;
    int nLast;
};

class CVZPTabManagerRows
{
public:
    explicit CVZPTabManagerRows(CVZPTabManager* pOwner);
    ~CVZPTabManagerRows();
    CVZPTabManagerRows(const CVZPTabManagerRows&) = delete;
    CVZPTabManagerRows& operator=(const CVZPTabManagerRows&) = delete;

    // Reallocates only for a new count (old rows are dropped); with n > 0
    // the first row becomes {0, item count - 1}.
    void SetSize(int nRows);
    int GetCount() const { return m_nCount; }
    VZPTabRow& operator[](int i) { return m_pRows[i]; }
    const VZPTabRow& operator[](int i) const { return m_pRows[i]; }

    VZPTabRow* m_pRows;
    int m_nCount;
    CVZPTabManager* m_pOwner;
};

// Navigate button ids.
enum VZPTabNavigateButton
{
    vzpTabNavigateBack = 0,
    vzpTabNavigateForward = 1,
    vzpTabNavigateClose = 2,
};

// Display modes of a navigate button.
enum VZPTabNavigateDisplay
{
    vzpTabNavigateHidden = 0,
    vzpTabNavigateAutomatic = 1,
    vzpTabNavigateAlways = 2,
};

class CVZPTabManagerNavigateButton
{
public:
    CVZPTabManagerNavigateButton(CVZPTabManager* pOwner, int nId, int nDisplayMode);
    virtual ~CVZPTabManagerNavigateButton();
    CVZPTabManagerNavigateButton(const CVZPTabManagerNavigateButton&) = delete;
    CVZPTabManagerNavigateButton& operator=(const CVZPTabManagerNavigateButton&) = delete;

    // Takes the button's extent off the available length when it shows.
    virtual void AdjustLength(int* pnLength);
    // The modal click loop: capture, auto-repeat ticks while held, and the
    // final action on a release over the button.
    virtual void PerformClick(HWND hWnd, int x, int y);
    // Takes the button's place at the end of the header (and shrinks it),
    // or hides the button.
    virtual void Reposition(RECT* pHeader);
    virtual void DrawGlyph(CDC* pDC, CRect rc) = 0;
    virtual void OnExecute(BOOL bTick);

    void Draw(CDC* pDC);
    void PerformMouseMove(HWND hWnd, int x, int y);

    // Test seam: the clock of the auto-repeat (NULL: GetTickCount). Nothing
    // in the program calls it.
    typedef DWORD (*PFNTICKSOURCE)();
    static void SetTickSourceForTest(PFNTICKSOURCE pfn);

    int m_nId;
    int m_nDisplayMode;
    int m_nWidth;
    int m_nHeight;
    CVZPTabManager* m_pOwner;
    CRect m_rcButton;
    BOOL m_bEnabled;
    BOOL m_bPressed;
    BOOL m_bHot;

protected:
    // Display mode 2, or 1 when the owner says the button is visible.
    BOOL IsShown();
    // The base placement rule.
    void PlaceAtHeaderEnd(RECT* pHeader);
    BOOL IsVerticalStrip() const;
};

class CVZPTabManagerScrollBackButton : public CVZPTabManagerNavigateButton
{
public:
    explicit CVZPTabManagerScrollBackButton(CVZPTabManager* pOwner);
    void AdjustLength(int* pnLength) override;
    void Reposition(RECT* pHeader) override;
    void DrawGlyph(CDC* pDC, CRect rc) override;
    void OnExecute(BOOL bTick) override;

protected:
    // The placement rule of the scroll buttons.
    void PlaceScrollButton(RECT* pHeader);
};

class CVZPTabManagerScrollForwardButton : public CVZPTabManagerScrollBackButton
{
public:
    explicit CVZPTabManagerScrollForwardButton(CVZPTabManager* pOwner);
    void Reposition(RECT* pHeader) override;
    void DrawGlyph(CDC* pDC, CRect rc) override;
    void OnExecute(BOOL bTick) override;
};

class CVZPTabManagerCloseButton : public CVZPTabManagerNavigateButton
{
public:
    explicit CVZPTabManagerCloseButton(CVZPTabManager* pOwner);
    void DrawGlyph(CDC* pDC, CRect rc) override;
    void OnExecute(BOOL bTick) override;
};

// The interface every strip offers its paint manager.
class CVZPTabManagerBase : public CVZPTabPaintManagerClient
{
public:
    void OnSettingsChanged() override { Reposition(); }
    ~CVZPTabManagerBase() override {}
    virtual void Reposition() = 0;
};

class CVZPTabManager : public CVZPTabManagerBase
{
public:
    CVZPTabManager();
    ~CVZPTabManager() override;
    CVZPTabManager(const CVZPTabManager&) = delete;
    CVZPTabManager& operator=(const CVZPTabManager&) = delete;

    virtual CString GetItemCaption(const CVZPTabManagerItem* pItem) const;
    virtual DWORD GetItemImage(const CVZPTabManagerItem* pItem) const;
    // Automatic colour indexes resolved to RGB.
    virtual COLORREF GetItemColor(const CVZPTabManagerItem* pItem) const;
    virtual CString GetItemTooltip(const CVZPTabManagerItem* pItem) const;
    // Renumbers the items, then repositions.
    virtual void OnItemsChanged();
    virtual void SetSelectedItem(CVZPTabManagerItem* pItem);
    virtual void ClickItem(CVZPTabManagerItem* pItem);
    virtual void GetItemMetrics(CSize* pszNormal, CSize* pszMin, CSize* pszMax) const;
    virtual CVZPTabPaintManager* GetPaintManager() const = 0;
    // Called by nothing; kept for strips that want a hook of their own.
    virtual void OnHook(int nArgument);
    virtual void RedrawControl() = 0;
    virtual BOOL IsAllowReorder() const;
    virtual void SetAllowReorder(BOOL bAllow);
    virtual BOOL HasStaticFrame() const;
    // Measures (bDraw FALSE: *pszIcon may be changed) or draws the tab's
    // icon; TRUE when the tab has one. pItem may be NULL when measuring.
    virtual BOOL DrawItemIcon(CDC* pDC, CPoint pt, CVZPTabManagerItem* pItem, BOOL bDraw, CSize* pszIcon) = 0;
    virtual int GetPosition() const;
    virtual void ScrollByStep(BOOL bForward);
    virtual BOOL IsNavigateButtonVisible(CVZPTabManagerNavigateButton* pButton);
    virtual void OnItemClick(CVZPTabManagerItem* pItem);
    // The modal reorder drag.
    virtual void ReorderItem(HWND hWnd, int x, int y, CVZPTabManagerItem* pItem);
    virtual void OnNavigateButtonClick(int nId);
    virtual BOOL IsMouseLocked() const;
    // Keyboard navigation; TRUE for the six navigation keys.
    virtual BOOL OnKeyDown(HWND hWnd, UINT nVirtKey);
    virtual BOOL IsFocused() const;

    // Appends for a negative index or one past the count; NULL makes a new
    // item. Takes over one reference of a given item.
    CVZPTabManagerItem* InsertItem(int nIndex, CVZPTabManagerItem* pItem = NULL);
    BOOL DeleteItem(int nIndex);
    void DeleteAllItems();
    CVZPTabManagerNavigateButton* FindNavigateButton(int nId) const;
    // Never positive.
    void SetScrollOffset(int nOffset);
    int GetScrollOffset() const { return m_nScrollOffset; }
    int GetItemsLength() const;
    CVZPTabManagerItem* HitTest(int x, int y) const;
    CVZPTabManagerItem* FindNextFocusable(int nIndex, int nStep) const;
    // TRUE when the press was handled.
    BOOL PerformClick(HWND hWnd, int x, int y, BOOL bButtonsOnly);
    // (-1, -1) on WM_MOUSELEAVE.
    void PerformMouseMove(HWND hWnd, int x, int y);
    // The tool id (the item's index), or -1 for no tip.
    INT_PTR GetItemToolTip(HWND hWnd, CVZPTabManagerItem* pItem, TOOLINFO* pTI) const;

    int GetItemCount() const { return int(m_arrItems.GetSize()); }
    CVZPTabManagerItem* GetItem(int nIndex) const;
    CVZPTabManagerItem* GetSelectedItem() const { return m_pSelected; }
    CVZPTabManagerItem* GetHotItem() const { return m_pHot; }
    BOOL IsActive() const { return m_bActive; }
    BOOL IsHorizontalPosition() const;
    int GetNavigateButtonCount() const { return int(m_arrButtons.GetSize()); }
    CVZPTabManagerNavigateButton* GetNavigateButton(int i) const { return m_arrButtons[i]; }

    CVZPTabManagerItem* m_pSelected;
    CVZPTabManagerItem* m_pHot;
    int m_nScrollOffset;
    BOOL m_bAllowReorder;
    BOOL m_bActive;
    CSize m_szNormal;
    CSize m_szMin;
    CSize m_szMax;
    CRect m_rcHeader;
    CRect m_rcControl;
    CRect m_rcClient;
    CArray<CVZPTabManagerItem*, CVZPTabManagerItem*> m_arrItems;
    CArray<CVZPTabManagerNavigateButton*, CVZPTabManagerNavigateButton*> m_arrButtons;
    CVZPVisualStyle m_themeTab;
    CVZPTabManagerRows* m_pRows;
    int m_nScrollStep;

protected:
    BOOL IsHotTracking() const;
    // Asks for a WM_MOUSELEAVE to hWnd.
    static void TrackMouseLeave(HWND hWnd);
    friend class CVZPTabManagerNavigateButton;
};
