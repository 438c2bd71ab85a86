// The base of every command-bar control: id, caption, image, type, flags
// and states, measured and drawn by the paint manager. Reference counted;
// the collection that holds it owns one reference.
#pragma once

#include <afxwin.h>

#include "VZPCommandBarsDefs.h"

class CVZPCommandBar;
class CVZPCommandBarPaintManager;
class CVZPControls;
class CVZPImageManager;
class CVZPImageManagerIcon;

class CVZPControl : public CCmdTarget
{
    DECLARE_SERIAL(CVZPControl)
public:
    CVZPControl();
    ~CVZPControl() override;

    int GetType() const { return m_controlType; }
    void SetType(int nType) { m_controlType = nType; }
    UINT GetID() const { return m_nId; }
    void SetID(UINT nId) { m_nId = nId; }
    int GetIndex() const { return m_nIndex; }
    CVZPCommandBar* GetParent() const { return m_pParent; }
    CVZPControls* GetControls() const { return m_pControls; }
    // The custom caption when set, else the caption.
    CString GetCaption() const { return m_strCustomCaption.IsEmpty() ? m_strCaption : m_strCustomCaption; }
    void SetCaption(LPCTSTR lpszCaption) { m_strCaption = lpszCaption; }
    CRect GetRect() const { return m_rcControl; }
    BOOL GetEnabled() const { return m_bEnabled; }
    void SetEnabled(BOOL bEnabled) { m_bEnabled = bEnabled; }
    int GetChecked() const { return m_bChecked; }
    void SetChecked(int bChecked) { m_bChecked = bChecked; }
    int GetPressed() const { return m_bPressed; }
    void SetPressed(int nPressed) { m_bPressed = nPressed; }
    // The custom style when set, else the style: 0 automatic, 1 caption,
    // 2 icon, 3 icon and caption.
    int GetStyle() const { return m_buttonCustomStyle != 0 ? m_buttonCustomStyle : m_buttonStyle; }
    void SetStyle(int nStyle) { m_buttonStyle = nStyle; }
    BOOL IsDefaultItem() const { return m_bDefaultItem; }
    void SetDefaultItem(BOOL bDefault) { m_bDefaultItem = bDefault; }
    BOOL GetBeginGroup() const { return m_bBeginGroup; }
    DWORD GetFlags() const { return m_dwFlags; }
    void SetFlags(DWORD dwFlags) { m_dwFlags = dwFlags; }
    DWORD GetHideFlags() const { return m_dwHideFlags; }
    // The custom icon id, else a positive icon id, else the command id.
    UINT GetIconId() const;
    void SetIconId(int nId) { m_nIconId = nId; }
    CVZPCommandBarPaintManager* GetPaintManager() const;
    CVZPImageManager* GetImageManager() const;

    virtual int GetSelected() const { return m_bSelected; }
    virtual BOOL SetSelected(int bSelected);
    virtual void SetRect(CRect rcControl) { m_rcControl = rcControl; }
    virtual BOOL IsCaptionVisible() const;
    virtual void SetHideFlags(DWORD dwFlags) { m_dwHideFlags = dwFlags; }
    virtual CVZPCommandBar* GetCommandBar() const { return NULL; }
    virtual BOOL IsLabel() const { return FALSE; }
    virtual void OnExecute();
    // Measures (through the paint manager, without drawing).
    virtual CSize GetSize(CDC* pDC);
    virtual void Draw(CDC* pDC);
    // The image of the effective icon id at the width; NULL for id 0.
    virtual CVZPImageManagerIcon* GetImage(int nWidth = 16) const;
    virtual void SetParent(CVZPCommandBar* pParent) { m_pParent = pParent; }

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
};
