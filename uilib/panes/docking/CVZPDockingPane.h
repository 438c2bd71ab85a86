// A docking pane: one application window with its id, title, icon,
// options and size limits, shown by the tabbed container that holds it. A
// pane without a container is closed: its window is hidden and parked under
// the manager's window. Reference counted; its layout holds one reference.
#pragma once

#include "CVZPDockingPaneBase.h"

class CVZPImageManagerIcon;

// The tab-colour query sent to a pane's window; a nonzero answer is the
// pane's tab colour.
const UINT WM_VZP_GETTABCOLOR = 10425;

enum VZPDockingPaneOptions
{
    vzpPaneNoCloseable = 0x01,
    vzpPaneNoHideable = 0x02,
    vzpPaneNoFloatable = 0x04,
    vzpPaneNoCaption = 0x08,
    vzpPaneHasMenuButton = 0x10,
};

class CVZPDockingPane : public CCmdTarget, public CVZPDockingPaneBase
{
public:
    explicit CVZPDockingPane(CVZPDockingPaneLayout* pLayout);
    ~CVZPDockingPane() override;

    // Gives the focus to the pane's window unless it already holds it.
    virtual void SetPaneFocus();
    // The title up to its first line feed.
    virtual CString GetTitle() const;
    // The title after its first line feed (the whole title without one).
    virtual CString GetTabCaption() const;
    virtual CVZPImageManagerIcon* GetPaneIcon(int nWidth) const;
    // The set colour, else the window's answer to the tab-colour query, else
    // one of the eight automatic colours by id.
    virtual COLORREF GetTabColor() const;
    virtual void CopyFrom(CVZPDockingPane* pPane);

    void GetMinMaxInfo(MINMAXINFO* pInfo) override;
    void PlaceInFrame(CWnd* pParent, CRect rc, AFX_SIZEPARENTPARAMS* pParams) override;
    void OnIdleUpdate() override;
    void SetParentContainer(CVZPDockingPaneBase* pContainer) override;
    BOOL ExchangeProperties(CVZPPropExchange* pPX) override;
    CVZPDockingPaneBase* Clone(CVZPDockingPaneLayout* pLayout, CMapPtrToPtr* pMap, DWORD dwIgnoredOptions) override;
    BOOL IsAutoHidden() override;

    // Makes an application window the pane's window: it is reparented to the
    // pane's container window, or hidden and parked under the manager's
    // window while the pane is closed.
    void Attach(CWnd* pWnd);
    void Attach(HWND hWnd);
    HWND GetChildWindow() const { return m_hwndChild; }

    DWORD GetEffectiveOptions() const;
    BOOL IsClosed() const { return m_pParentContainer == NULL; }
    BOOL IsSelected() const;
    BOOL HasFocus() const;
    CWnd* GetHostFrame() const;
    void ShowPaneWindow(BOOL bShow);
    void Close();
    void SendToAutoHide();

    int GetID() const { return m_nID; }
    void SetID(int nID) { m_nID = nID; }
    void SetTitle(LPCWSTR pszTitle) { m_strTitle = pszTitle; }
    CString GetRawTitle() const { return m_strTitle; }
    void SetOptions(DWORD dwOptions) { m_dwOptions = dwOptions; }
    DWORD GetOptions() const { return m_dwOptions; }

    HWND m_hwndChild;
    int m_nID;
    int m_nIconID;          // -1: the pane id
    CString m_strTitle;     // "title\ntab caption"
    DWORD m_dwOptions;
    DWORD m_dwTag;
    CSize m_szMinTrack;
    CSize m_szMaxTrack;
    int m_nTabColor;        // -1: automatic
    int m_nHelpID;
};
