// The ordered, reference-holding collection of a bar's controls: creation
// by type and from menu items, insertion, removal, lookup, keyboard
// stepping, the default set kept for customisation, and the row layout of
// toolbars, menus and popup bars.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

#include <vector>

class CVZPCommandBar;
class CVZPCommandBars;
class CVZPControl;
class CVZPPropExchange;

// Extra layout modes beside the framework's LM_ flags.
#define VZP_LM_HIDEWRAP 0x80     // hide what does not fit instead of wrapping
#define VZP_LM_FLOATSHAPE 0x100  // search a balanced floating shape

// lParam of WM_VZP_CREATECONTROL and WM_VZP_CONTROLCREATED.
struct VZPCREATECONTROLSTRUCT
{
    UINT nId;
    CVZPControl* pControl;
    BOOL bToolBar;
    int nIndex;
    CMenu* pMenu;
    CVZPCommandBar* pCommandBar;
    CString strCaption;
    int controlType;
    int buttonStyle;
};

// One control as the layout sees it.
struct VZPLAYOUTITEM
{
    CRect rcControl;
    CRect rcRow;
    CSize szControl;
    BOOL bVisible;
    BOOL bWrap;
    BOOL bHidden;
    BOOL bBeginGroup;
    DWORD dwFlags;       // the control's flags (far alignment, stretching)
};

class CVZPControls : public CCmdTarget
{
    DECLARE_DYNCREATE(CVZPControls)
public:
    CVZPControls();
    ~CVZPControls() override;

    // Stores the owner bar and renumbers the controls.
    void SetParent(CVZPCommandBar* pParent);
    CVZPCommandBar* GetParent() const { return m_pParent; }
    CVZPCommandBars* GetCommandBars() const;
    void SetCommandBars(CVZPCommandBars* pCommandBars) { m_pCommandBars = pCommandBars; }

    int GetCount() const { return (int)m_arrControls.GetSize(); }
    // NULL outside 0..count-1.
    CVZPControl* GetAt(int nIndex) const;
    CVZPControl* GetFirst() const { return GetAt(0); }
    CVZPControl* GetNextControl(CVZPControl* pControl) const;

    // A control of the type (VZPControlType, 7 custom, 8 label) with the id,
    // inserted before nBefore (appended when negative or past the end).
    CVZPControl* Add(int nType, int nId, LPCTSTR lpszParameter = NULL, int nBefore = -1, BOOL bTemporary = FALSE);
    // Takes over the caller's reference on a control it made.
    CVZPControl* AddControl(CVZPControl* pControl, int nId = -1, LPCTSTR lpszParameter = NULL, int nBefore = -1,
                            BOOL bTemporary = FALSE);
    CVZPControl* AddClone(CVZPControl* pControl, int nBefore = -1, BOOL bRecursive = FALSE);
    // The control for the menu item at the position, NULL when none.
    CVZPControl* AddMenuItem(CMenu* pMenu, int nIndex);
    void Remove(CVZPControl* pControl);
    void RemoveAt(int nIndex);
    void RemoveAll();

    CVZPControl* FindControl(int nId) const { return FindControl(0, nId, FALSE, FALSE); }
    CVZPControl* FindControl(int nType, int nId, BOOL bVisible, BOOL bRecursive) const;
    CVZPControl* HitTest(CPoint point) const;
    // Keyboard stepping; -1 when no control qualifies.
    int GetNext(int nStart, int nStep, BOOL bSkipNoNavigate = TRUE, BOOL bSkipTemporary = FALSE,
                BOOL bStrict = TRUE) const;
    int GetVisibleCount(BOOL bCountOverflowHidden = FALSE) const;

    CVZPControls* Duplicate(BOOL bRecursive = FALSE);
    // Keeps a duplicate of the current set as the default controls.
    CVZPControls* SaveDefaultControls();
    void ReleaseDefaultControls();
    CVZPControls* GetDefaultControls() const { return m_pOriginalControls; }
    // Takes over the caller's reference on a new default set (NULL: none).
    void SetDefaultControls(CVZPControls* pDefault)
    {
        ReleaseDefaultControls();
        m_pOriginalControls = pDefault;
    }
    BOOL Compare(const CVZPControls* pOther) const;
    BOOL IsChanged() const;
    // The controls (not the temporary ones) and, when the exchange's state
    // options ask for it, the default set, as the saved model holds them.
    void DoPropExchange(CVZPPropExchange* pPX);

    // The size of the bar laid out for the length and mode (LM_ flags plus
    // VZP_LM_HIDEWRAP and VZP_LM_FLOATSHAPE); with LM_COMMIT the controls
    // take their places.
    CSize CalcDynamicSize(CDC* pDC, int nLength, DWORD dwMode, const CRect& rcBorder, int nMinimum = 0);

    // --- The layout on items (no windows involved) ------------------------
    // A group start costs nGroupGap along the row: the theme's separator
    // width, the room CalcRows gives it, so that a bar committed at the size
    // a measuring pass answered never hides a control.
    static int WrapControls(std::vector<VZPLAYOUTITEM>& items, int nWidth, int nGroupGap, DWORD& dwMode);
    static CSize CalcRows(std::vector<VZPLAYOUTITEM>& items, CSize szSeparator, BOOL bVert);
    static CSize PlaceRows(std::vector<VZPLAYOUTITEM>& items, CSize szContent, DWORD dwMode, const CRect& rcBorder);
    static void AlignAndStretch(std::vector<VZPLAYOUTITEM>& items, CSize szBar, const CRect& rcBorder, DWORD dwMode);
    static CSize BalanceRows(std::vector<VZPLAYOUTITEM>& items, CSize szSeparator, DWORD dwMode);
    static CSize FitRows(std::vector<VZPLAYOUTITEM>& items, CSize szSeparator, int nLength, DWORD dwMode);

protected:
    // Indexes, parent collection and parent bar of every control set again;
    // the owner bar lays out later.
    void Renumber();
    // The window asked for replacement controls and popup bars.
    CWnd* GetSite() const;
    // A control of the type for the id, as menu items and Add make them.
    static CVZPControl* CreateByType(int nType, UINT nId, const CString& strCaption, BOOL bMenuItem);
    // The site's popup bar (WM_VZP_CREATECOMMANDBAR), else a new one; the
    // caller owns one reference.
    CVZPCommandBar* CreatePopupBarFor(CWnd* pSite, CString& strTitle, UINT nId);

    CArray<CVZPControl*, CVZPControl*> m_arrControls;
    CVZPCommandBar* m_pParent;
    CVZPCommandBars* m_pCommandBars;
    CVZPControls* m_pOriginalControls;   // the default set, NULL: none
};
