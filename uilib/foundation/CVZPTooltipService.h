// Tooltips for library windows that are not dialogs and have no tooltip
// support of their own (command bars, docking panes, task panel). The owner
// hands its mouse messages to the service; the service asks the owner which
// tool is under the cursor (OnToolHitTest), keeps one tip window and drives
// it with the standard tooltip messages. The tip window is a common-controls
// tooltip (kinds 0 and 1) or one of the library's own (kinds 2 to 4).
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

// The library's private query: a child window answering it with 1 hands its
// tips to its parent (the tip window treats the parent as the window under
// the cursor).
#define WM_VZPTIPSBYPARENT 0x2A48

// The window under a screen point, with the rule above applied.
HWND VZPTipWindowFromPoint(POINT pt);
// TRUE while the left, right or middle mouse button is down.
BOOL VZPIsMouseButtonHeld();

class CVZPTooltipService : public CCmdTarget
{
public:
    // Tip kinds: which window CreateTipWindow makes.
    enum TipKind
    {
        tipCommonControls = 0,
        tipBalloon = 1,
        tipLibrary = 2,
        tipRichText = 3,
        tipColorScheme = 4,
    };

    CVZPTooltipService();
    ~CVZPTooltipService() override;

    // Makes the tip window for pOwner (its parent-owner); NULL or a window
    // object without a handle when that fails.
    virtual CWnd* CreateTipWindow(CWnd* pOwner);

    // The service's handling of one message of pOwner (or, unless
    // bFromOwner, of any window under it): mouse moves and button releases
    // hit-test the owner and show, move or hide the tip; key presses and
    // button presses hide it.
    void FilterToolTipMessage(CWnd* pOwner, MSG* pMsg, BOOL bFromOwner);
    // FilterToolTipMessage for a message the owner received itself, with the
    // cursor's current position.
    void FilterMouseMessage(CWnd* pOwner, UINT message, WPARAM wParam, LPARAM lParam);
    // Deactivates the tip window (so the tip hides) when there is one.
    void HideToolTip();

    // style = (style | dwAdd) & ~dwRemove. A real change deletes the tip
    // window, so the next one is made with the new style. Note the order:
    // remove first, then add.
    DWORD ModifyToolTipStyle(DWORD dwRemove, DWORD dwAdd);

    // For OnToolHitTest overrides. With cbSize 40 or more: hwnd, rect, uId
    // and a calloc'd copy of pszText. With cbSize 44 and both pszTitle and
    // pszDescription non-empty, also calloc'd copies of the description and
    // the title in the two-pointer block that lParam points to. The service
    // frees every copy.
    static void FillToolInfo(TOOLINFO* pTI, HWND hWnd, int nLeft, int nTop, int nRight, int nBottom, UINT_PTR nId,
                             LPCTSTR pszText, LPCTSTR pszTitle = NULL, LPCTSTR pszDescription = NULL);

    // Relays pMsg to pTipWnd as the tooltip sees it: its window replaced by
    // the tip window's answer to TTM_WINDOWFROMPOINT, and for client mouse
    // messages the point in that window's client coordinates.
    static void RelayToolTipEvent(CWnd* pTipWnd, const MSG* pMsg);

    int GetMaxTipWidth() const { return m_nMaxTipWidth; }
    // -1 resolves to the colour manager's COLOR_INFOBK and COLOR_INFOTEXT.
    COLORREF GetTipBackColor() const;
    COLORREF GetTipTextColor() const;
    const RECT& GetMargins() const { return m_rcMargins; }
    DWORD GetToolTipStyle() const { return m_dwTipStyle; }
    DWORD GetComCtlVersion() const { return m_dwComCtlVersion; }
    int GetTipKind() const { return m_nTipKind; }
    void SetTipKind(int nKind) { m_nTipKind = nKind; }
    // TRUE: the owner is asked for the long tool info with a title and a
    // description.
    void SetShowTitleAndDescription(BOOL bShow) { m_bShowTitleAndDescription = bShow; }
    CWnd* GetTipWindow() const { return m_pTipWnd; }

protected:
    // Destroys and deletes the tip window, if any.
    void DeleteTipWindow();
    // Creates and configures a tip window for pParentOwner; FALSE when none.
    BOOL MakeTipWindow(CWnd* pParentOwner);
    // Hit-tests the owner and updates the tip window (mouse moves and
    // button releases).
    void TrackTool(CWnd* pOwner, MSG* pMsg);

    BOOL m_bShowTitleAndDescription;
    int m_nTipKind;
    DWORD m_dwComCtlVersion;    // major * 65536 + minor; 0 when unknown
    int m_nTitleIcon;
    int m_nMaxTipWidth;
    DWORD m_dwTipStyle;
    RECT m_rcMargins;
    int m_nInitialDelay;        // -1: the window's default
    int m_nReshowDelay;
    int m_nAutoPopDelay;
    CWnd* m_pTipWnd;
    // The tool last added to the tip window (valid when cbSize >= 40); its
    // text pointer is always NULL (the copy is freed after each message).
    TOOLINFO m_lastTool;
    COLORREF m_clrTipBack;      // -1: COLOR_INFOBK
    COLORREF m_clrTipText;      // -1: COLOR_INFOTEXT
};
