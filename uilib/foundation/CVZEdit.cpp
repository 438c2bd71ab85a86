#include "CVZEdit.h"

#include "CVZMemDC.h"
#include "CVZPColorManager.h"
#include "CVZPResourceLoader.h"
#include "VZPTrackContextMenu.h"
#include "uilibres.h"

IMPLEMENT_DYNAMIC(CVZEdit, CEdit)

BEGIN_MESSAGE_MAP(CVZEdit, CEdit)
    ON_WM_CONTEXTMENU()
    ON_WM_PAINT()
    ON_WM_INITMENUPOPUP()
    ON_COMMAND(ID_EDIT_UNDO, OnEditUndo)
    ON_UPDATE_COMMAND_UI(ID_EDIT_UNDO, OnUpdateEditUndo)
    ON_COMMAND(ID_EDIT_CUT, OnEditCut)
    ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, OnUpdateEditCut)
    ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
    ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateEditCopy)
    ON_COMMAND(ID_EDIT_PASTE, OnEditPaste)
    ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, OnUpdateEditPaste)
    ON_COMMAND(ID_EDIT_CLEAR, OnEditClear)
    ON_UPDATE_COMMAND_UI(ID_EDIT_CLEAR, OnUpdateEditClear)
    ON_COMMAND(ID_EDIT_SELECT_ALL, OnEditSelectAll)
    ON_UPDATE_COMMAND_UI(ID_EDIT_SELECT_ALL, OnUpdateEditSelectAll)
END_MESSAGE_MAP()

BOOL CVZEdit::HasSelection() const
{
    DWORD dwStart = 0, dwEnd = 0;
    ::SendMessage(m_hWnd, EM_GETSEL, (WPARAM)&dwStart, (LPARAM)&dwEnd);
    return dwStart != dwEnd;
}

BOOL CVZEdit::CanPaste() const
{
    return ::IsClipboardFormatAvailable(CF_UNICODETEXT) && (GetStyle() & ES_READONLY) == 0;
}

void CVZEdit::OnContextMenu(CWnd* pWnd, CPoint point)
{
    (void)pWnd;
    if (point.x == -1 && point.y == -1)
    {
        point = CPoint(5, 5);
        ClientToScreen(&point);
    }
    CMenu menu;
    if (!GetResourceLoader()->LoadMenu(&menu, VZP_IDR_CONTEXT_MENU))
        return;
    if (CMenu* pPopup = menu.GetSubMenu(1))
        TrackContextMenu(pPopup, TPM_RIGHTBUTTON, point.x, point.y, this, VZP_IDR_EDIT_TOOLBAR);
    menu.DestroyMenu();
}

void CVZEdit::OnPaint()
{
    CPaintDC dc(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    const COLORREF clrBack = GetColorManager()->GetColor(IsWindowEnabled() ? COLOR_WINDOW : COLOR_3DFACE);
    CVZMemDC memDC(&dc, rcClient, CVZPGradientColor(clrBack));
    DefWindowProc(WM_PAINT, (WPARAM)memDC.GetSafeHdc(), 0);
}

void CVZEdit::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu)
{
    CEdit::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
    if (bSysMenu || pPopupMenu == NULL)
        return;
    CCmdUI state;
    state.m_pMenu = pPopupMenu;
    state.m_nIndexMax = pPopupMenu->GetMenuItemCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++)
    {
        state.m_nID = pPopupMenu->GetMenuItemID(state.m_nIndex);
        if (state.m_nID == 0)
            continue;   // a separator
        if (state.m_nID == (UINT)-1)
        {
            // A sub-menu: updated under its first item's id, never disabled
            // for want of a handler.
            state.m_pSubMenu = pPopupMenu->GetSubMenu(state.m_nIndex);
            if (state.m_pSubMenu == NULL)
                continue;
            state.m_nID = state.m_pSubMenu->GetMenuItemID(0);
            if (state.m_nID == 0 || state.m_nID == (UINT)-1)
                continue;
            state.DoUpdate(this, FALSE);
        }
        else
        {
            state.m_pSubMenu = NULL;
            state.DoUpdate(this, state.m_nID < 0xF000);
        }
        state.m_nIndexMax = pPopupMenu->GetMenuItemCount();
    }
}

void CVZEdit::OnEditUndo()
{
    SendMessage(EM_UNDO);
}

void CVZEdit::OnUpdateEditUndo(CCmdUI* pCmdUI)
{
    pCmdUI->Enable((BOOL)SendMessage(EM_CANUNDO));
}

void CVZEdit::OnEditCut()
{
    SendMessage(WM_CUT);
}

void CVZEdit::OnUpdateEditCut(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(HasSelection());
}

void CVZEdit::OnEditCopy()
{
    SendMessage(WM_COPY);
}

void CVZEdit::OnUpdateEditCopy(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(HasSelection());
}

void CVZEdit::OnEditPaste()
{
    SendMessage(WM_PASTE);
}

void CVZEdit::OnUpdateEditPaste(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(CanPaste());
}

void CVZEdit::OnEditClear()
{
    SendMessage(WM_CLEAR);
}

void CVZEdit::OnUpdateEditClear(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(HasSelection());
}

void CVZEdit::OnEditSelectAll()
{
    SendMessage(EM_SETSEL, 0, -1);
    SendMessage(EM_SCROLLCARET);
}

void CVZEdit::OnUpdateEditSelectAll(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(GetWindowTextLength() > 0);
}
