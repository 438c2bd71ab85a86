// The library's own tip window: answers the tooltip messages the service
// sends (tools keyed by window and id, relayed mouse events, activation,
// title) and draws the tip itself. A tip shows 500 ms after the cursor
// reaches a tool, or at once when the last tip changed less than 200 ms ago,
// at the cursor's x and 21 pixels below it.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>
#include <afxcoll.h>
#include <afxtempl.h>

class CVZPTooltipService;

// One tool of a tip window.
struct CVZPTipTool
{
    CString strText;        // empty for a callback tool
    BOOL bCallback = FALSE; // the text comes from TTN_GETDISPINFO
    UINT uFlags = 0;
    RECT rect = {0, 0, 0, 0};
    HINSTANCE hinst = NULL;
    HWND hwnd = NULL;       // NULL: no tool
    UINT_PTR uId = 0;

    BOOL IsEmpty() const { return hwnd == NULL; }
    BOOL IsSameTool(const CVZPTipTool& other) const { return hwnd == other.hwnd && uId == other.uId; }
    void Clear() { *this = CVZPTipTool(); }
};

class CVZPToolTipWnd : public CWnd
{
public:
    explicit CVZPToolTipWnd(CVZPTooltipService* pService);
    ~CVZPToolTipWnd() override;

    // Creates the popup with dwStyle (tooltip style bits) for pOwner.
    BOOL Create(CWnd* pOwner, DWORD dwStyle);

    // The tip's size for the tool, text included; (0, 0) hides the tip.
    virtual CSize CalcTipSize(const CVZPTipTool& tool);
    virtual void DrawTipText(CDC* pDC, LPCTSTR pszText, const CRect& rect);
    virtual void DrawTipBackground(CDC* pDC, LPCTSTR pszText, const CRect& rect);

    int GetToolCount() const { return (int)m_tools.GetSize(); }
    // The tool whose tip shows (empty when none).
    const CVZPTipTool& GetShownTool() const { return m_shown; }
    const CString& GetTitle() const { return m_strTitle; }
    // The tip window whose tool the process-wide mouse hook follows (NULL
    // when no hook is installed).
    static CVZPToolTipWnd* GetMouseHookUser();

protected:
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg void OnTimer(UINT nIDEvent);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg UINT OnNcHitTest(CPoint point);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg LRESULT OnAddTool(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDelTool(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnUpdateTipText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetTitle(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnActivateTip(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnRelayEvent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWindowFromPoint(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    // TTM_RELAYEVENT for one mouse message.
    void RelayEvent(const MSG* pMsg);
    // The first tool under the cursor (whatever the button state).
    const CVZPTipTool* ToolUnderCursor() const;
    // Shows the tool's tip (NULL or an empty text: hides).
    void ShowTool(const CVZPTipTool* pTool);
    void StopTimer();
    // The tool's text as shown: callback text fetched from the owner, '&'
    // markers removed unless the style has TTS_NOPREFIX.
    CString ResolveText(const CVZPTipTool& tool);
    CString StripPrefixes(const CString& str) const;
    INT_PTR FindTool(HWND hwnd, UINT_PTR uId) const;
    void RemoveAllTools();

    COLORREF GetBackColor() const;
    COLORREF GetTextColor() const;
    int GetMaxWidth() const;
    CRect GetMargins() const;

    void InstallMouseHook();
    void RemoveMouseHook();
    static LRESULT CALLBACK MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam);

    CTypedPtrArray<CPtrArray, CVZPTipTool*> m_tools;
    BOOL m_bActive;
    CVZPTooltipService* m_pService;
    CVZPTipTool m_shown;
    CVZPTipTool m_clicked;
    CVZPTipTool m_pending;
    UINT_PTR m_nTimer;
    DWORD m_dwLastChange;   // GetTickCount of the last show or hide
    UINT m_nInitialDelay;
    UINT m_nQuickSwitch;
    CFont m_font;
    CString m_strTitle;
};
