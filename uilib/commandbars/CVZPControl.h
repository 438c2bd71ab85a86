// The base of every command-bar control: id, captions and texts, image,
// type, flags and states, measured and drawn by the paint manager. It reacts
// to the mouse and keys its bar hands it, executes its command by notifying
// the site, and copies, clones and compares itself for customisation.
// Reference counted; the collection that holds it owns one reference.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

#include "VZPCommandBarsDefs.h"

class CVZPCommandBar;
class CVZPCommandBarPaintManager;
class CVZPControls;
class CVZPImageManager;
class CVZPImageManagerIcon;
class CVZPPropExchange;

class CVZPControl : public CCmdTarget
{
    DECLARE_SERIAL(CVZPControl)
public:
    CVZPControl();
    ~CVZPControl() override;

    // Control flags used by the bars.
    enum
    {
        flagRightAlign = 0x1,      // aligned to the far end of its row
        flagSkipNavigate = 0x2,    // skipped by keyboard navigation
        flagNoUpdate = 0x8,        // not updated at idle time
        flagLocked = 0x10,         // locked against customisation
        flagStretched = 0x20       // stretched to fill free row space
    };
    // Hide flags.
    enum
    {
        hideGenerated = 0x1,
        hideWrap = 0x2,
        hideDockingVert = 0x4,
        hideScroll = 0x8,
        hideCustomize = 0x10,
        hideExpand = 0x20,
        hideDocTemplate = 0x40
    };

    int GetType() const { return m_controlType; }
    void SetType(int nType) { m_controlType = nType; }
    UINT GetID() const { return m_nId; }
    // Stores the id and takes the prompt of its string resource, if any.
    void SetId(UINT nId);
    // "description\ntooltip", or one text for both; an empty caption takes
    // the tooltip.
    void SetPrompt(const CString& strPrompt);
    int GetIndex() const { return m_nIndex; }
    CVZPCommandBar* GetParent() const { return m_pParent; }
    CVZPControls* GetControls() const { return m_pControls; }
    // The custom caption when set, else the caption.
    CString GetCaption() const { return m_strCustomCaption.IsEmpty() ? m_strCaption : m_strCustomCaption; }
    // The text after a tab becomes the shortcut text.
    void SetCaption(const CString& strCaption);
    void SetCustomCaption(const CString& strCaption) { m_strCustomCaption = strCaption; }
    CString GetShortcutText() const { return m_strShortcutText.IsEmpty() ? m_strShortcutTextAuto : m_strShortcutText; }
    void SetShortcutText(const CString& strText) { m_strShortcutText = strText; }
    CString GetTooltip() const { return m_strTooltipText; }
    void SetTooltip(const CString& strText) { m_strTooltipText = strText; }
    void SetDescription(const CString& strText) { m_strDescriptionText = strText; }
    CString GetParameter() const { return m_strParameter; }
    void SetParameter(const CString& strText) { m_strParameter = strText; }
    CRect GetRect() const { return m_rcControl; }
    CRect GetRowRect() const { return m_rcRow; }
    BOOL GetEnabled() const { return m_bEnabled; }
    int GetChecked() const { return m_bChecked; }
    void SetChecked(int bChecked);
    int GetPressed() const { return m_bPressed; }
    void SetPressed(int nPressed) { m_bPressed = nPressed; }
    // The custom style when set, else the style: 0 automatic, 1 caption,
    // 2 icon, 3 icon and caption.
    int GetStyle() const { return m_buttonCustomStyle != 0 ? m_buttonCustomStyle : m_buttonStyle; }
    void SetStyle(int nStyle) { m_buttonStyle = nStyle; }
    BOOL IsDefaultItem() const { return m_bDefaultItem; }
    void SetDefaultItem(BOOL bDefault);
    BOOL GetBeginGroup() const { return m_bBeginGroup; }
    BOOL GetWrap() const { return m_bWrap; }
    DWORD GetFlags() const { return m_dwFlags; }
    void SetFlags(DWORD dwFlags) { m_dwFlags = dwFlags; }
    DWORD GetHideFlags() const { return m_dwHideFlags; }
    BOOL IsVisible() const { return m_dwHideFlags == 0; }
    BOOL IsTemporary() const { return m_bTemporary; }
    void SetTemporary(BOOL bTemporary) { m_bTemporary = bTemporary; }
    void SetRarelyUsed(BOOL bRarelyUsed);
    BOOL GetCloseSubMenuOnClick() const { return m_bCloseSubMenuOnClick; }
    void SetCloseSubMenuOnClick(BOOL bClose) { m_bCloseSubMenuOnClick = bClose; }
    // The custom icon id, else a positive icon id, else the command id.
    UINT GetIconId() const;
    void SetIconId(int nId) { m_nIconId = nId; }
    CVZPCommandBarPaintManager* GetPaintManager() const;
    CVZPImageManager* GetImageManager() const;

    void RedrawParent();
    void DelayLayoutParent();
    void InvalidateParent();
    BOOL IsCustomizeMode() const;
    BOOL IsCursorInside() const;
    // WM_VZP_CONTROLNOTIFY with the code to the bar's owner site.
    LRESULT NotifySite(UINT nCode);
    // Tracks a press until the release; the control executes when released
    // inside rcTrack (the control rectangle when empty). A WM_QUIT ends the
    // press without executing and is posted again.
    void TrackClick(CRect rcTrack = CRect(0, 0, 0, 0));
    // Within nEdge pixels of the left or right edge of the rectangle.
    BOOL IsOnResizeEdge(CPoint point, int nEdge) const;

    // Document-template rules: shown only for assigned ids, hidden for
    // excluded ones.
    CMap<UINT, UINT, BOOL, BOOL> m_mapDocTemplatesAssigned;
    CMap<UINT, UINT, BOOL, BOOL> m_mapDocTemplatesExcluded;

    // --- Virtual operations ----------------------------------------------
    virtual CString GetDescription() const { return m_strDescriptionText; }
    virtual CString GetTooltip(LPPOINT pPoint, LPRECT lpRectTip, int* pnHit) const;
    virtual void SetBeginGroup(BOOL bBeginGroup);
    virtual void SetEnabled(BOOL bEnabled);
    virtual int GetSelected() const { return m_bSelected; }
    virtual void SetFocused(BOOL bFocused) { (void)bFocused; }
    virtual BOOL HasFocus() const { return FALSE; }
    virtual void SetRect(CRect rcControl) { m_rcControl = rcControl; }
    virtual BOOL IsCaptionVisible() const;
    virtual BOOL Compare(CVZPControl* pOther);
    virtual CVZPCommandBar* GetCommandBar() const { return NULL; }
    virtual BOOL IsLabel() const { return FALSE; }
    virtual void SetHideFlags(DWORD dwFlags) { m_dwHideFlags = dwFlags; }
    virtual void OnExecute();
    // Measures (through the paint manager, without drawing).
    virtual CSize GetSize(CDC* pDC);
    virtual void Draw(CDC* pDC);
    virtual void OnCalcDynamicSize(DWORD dwMode) { (void)dwMode; }
    // The image of the effective icon id at the width; NULL for id 0.
    virtual CVZPImageManagerIcon* GetImage(int nWidth = 16) const;
    virtual void OnUnderlineActivate() { OnExecute(); }
    virtual BOOL IsFocusable() const { return FALSE; }
    virtual int OnHookKeyDown(UINT nChar, LPARAM lParam) { (void)nChar; (void)lParam; return 0; }
    virtual void SetParent(CVZPCommandBar* pParent) { m_pParent = pParent; }
    virtual void Copy(CVZPControl* pControl, BOOL bRecursive = FALSE);
    virtual BOOL SetPopuped(BOOL bPopuped) { (void)bPopuped; return FALSE; }
    virtual void OnClick(BOOL bKeyboard = FALSE, CPoint point = CPoint(0, 0)) { (void)bKeyboard; (void)point; }
    virtual void OnLButtonUp(CPoint point) { (void)point; }
    virtual void OnRButtonUp(CPoint point) { (void)point; }
    virtual BOOL OnLButtonDblClk(CPoint point);
    virtual void OnMouseMove(CPoint point) { (void)point; }
    virtual void OnMouseHover();
    virtual BOOL SetSelected(int bSelected);
    virtual void OnCustomizeMouseDown(CPoint point);
    virtual BOOL CustomizeStartResize(CPoint point);
    virtual void OnCustomizeDragOver(CVZPControl* pDataObject, CPoint point, DROPEFFECT& dropEffect);
    virtual BOOL IsCustomizeDragOverAvail(CVZPCommandBar* pCommandBar, CPoint point, DROPEFFECT& dropEffect)
    {
        (void)pCommandBar; (void)point; (void)dropEffect;
        return TRUE;
    }
    virtual BOOL IsCustomizeResizeAllowed() const { return FALSE; }
    virtual int GetCustomizeMinWidth() const { return 0; }
    virtual void SetWidth(int nWidth) { (void)nWidth; }
    virtual CVZPControl* Clone(BOOL bRecursive = FALSE);
    // The control's keys in the saved model, in their fixed order.
    virtual void DoPropExchange(CVZPPropExchange* pPX);

    // Fields, in the order the bars and the persistence read them.
    DWORD_PTR m_nTag;
    int m_nIndex;
    UINT m_nId;
    int m_nIconId;
    int m_nCustomIconId;
    BOOL m_bWrap;
    BOOL m_bBeginGroup;
    BOOL m_bEnabled;
    int m_bChecked;
    int m_bSelected;      // 0 none, 1 mouse, 2 keyboard
    int m_bPressed;       // 0 none, 1 held, 2 executed
    BOOL m_bTemporary;
    CRect m_rcRow;
    CRect m_rcControl;
    DWORD m_dwHideFlags;
    DWORD m_dwFlags;
    CString m_strCaption;
    CString m_strCustomCaption;
    CString m_strShortcutText;
    CString m_strShortcutTextAuto;
    CString m_strTooltipText;
    CString m_strDescriptionText;
    CString m_strParameter;
    CVZPControls* m_pControls;
    int m_controlType;
    CVZPCommandBar* m_pParent;
    BOOL m_bExpanded;     // rarely-used mark
    CString m_strCategory;
    BOOL m_bDefaultItem;
    int m_buttonStyle;
    int m_buttonCustomStyle;
    BOOL m_bCloseSubMenuOnClick;

    // The control's customise resize cursor (resource 9972).
    static HCURSOR AFX_CDECL GetResizeCursor();
};
