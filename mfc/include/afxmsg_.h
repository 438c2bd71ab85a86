// afxmsg_.h - message-map entry macros (included by afxwin.h).
//
// Every entry converts its handler with static_cast to the member pointer type
// of its signature, so a handler whose signature differs does not compile.
// Handler names are written unqualified or qualified by a base class.
#pragma once
#ifndef __AFXMSG__H__
#define __AFXMSG__H__

#define AFX_WND_ENTRY(msg, sig, type, fn) \
    { (UINT)(msg), 0, 0, 0, (UINT_PTR)(sig), ::AfxMsgFn(static_cast<type>(&ThisClass::fn)) },

// ---------------------------------------------------------------------------
// Commands, control notifications and WM_NOTIFY

#define ON_COMMAND(id, memberFxn) \
    { WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(id), AfxSigCmd_v, \
      ::AfxMsgFn(static_cast<void (AFX_MSG_CALL CCmdTarget::*)()>(&ThisClass::memberFxn)) },
#define ON_COMMAND_EX(id, memberFxn) \
    { WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(id), AfxSigCmd_EX, \
      ::AfxMsgFn(static_cast<BOOL (AFX_MSG_CALL CCmdTarget::*)(UINT)>(&ThisClass::memberFxn)) },
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
    { WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(idLast), AfxSigCmd_RANGE, \
      ::AfxMsgFn(static_cast<void (AFX_MSG_CALL CCmdTarget::*)(UINT)>(&ThisClass::memberFxn)) },
#define ON_COMMAND_EX_RANGE(id, idLast, memberFxn) \
    { WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(idLast), AfxSigCmd_EX, \
      ::AfxMsgFn(static_cast<BOOL (AFX_MSG_CALL CCmdTarget::*)(UINT)>(&ThisClass::memberFxn)) },
#define ON_UPDATE_COMMAND_UI(id, memberFxn) \
    { WM_COMMAND, CN_UPDATE_COMMAND_UI, (WORD)(id), (WORD)(id), AfxSigCmdUI, \
      ::AfxMsgFn(static_cast<void (AFX_MSG_CALL CCmdTarget::*)(CCmdUI*)>(&ThisClass::memberFxn)) },
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn) \
    { WM_COMMAND, CN_UPDATE_COMMAND_UI, (WORD)(id), (WORD)(idLast), AfxSigCmdUI, \
      ::AfxMsgFn(static_cast<void (AFX_MSG_CALL CCmdTarget::*)(CCmdUI*)>(&ThisClass::memberFxn)) },
#define ON_CONTROL(wNotifyCode, id, memberFxn) \
    { WM_COMMAND, (WORD)(wNotifyCode), (WORD)(id), (WORD)(id), AfxSigCmd_v, \
      ::AfxMsgFn(static_cast<void (AFX_MSG_CALL CCmdTarget::*)()>(&ThisClass::memberFxn)) },
#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn) \
    { WM_COMMAND, (WORD)(wNotifyCode), (WORD)(id), (WORD)(idLast), AfxSigCmd_RANGE, \
      ::AfxMsgFn(static_cast<void (AFX_MSG_CALL CCmdTarget::*)(UINT)>(&ThisClass::memberFxn)) },
#define ON_NOTIFY(wNotifyCode, id, memberFxn) \
    { WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(id), AfxSigNotify_v, \
      ::AfxMsgFn(static_cast<void (AFX_MSG_CALL CCmdTarget::*)(NMHDR*, LRESULT*)>(&ThisClass::memberFxn)) },
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn) \
    { WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(idLast), AfxSigNotify_RANGE, \
      ::AfxMsgFn(static_cast<void (AFX_MSG_CALL CCmdTarget::*)(UINT, NMHDR*, LRESULT*)>(&ThisClass::memberFxn)) },
#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn) \
    { WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(id), AfxSigNotify_EX, \
      ::AfxMsgFn(static_cast<BOOL (AFX_MSG_CALL CCmdTarget::*)(UINT, NMHDR*, LRESULT*)>(&ThisClass::memberFxn)) },
#define ON_NOTIFY_EX_RANGE(wNotifyCode, id, idLast, memberFxn) \
    { WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(idLast), AfxSigNotify_EX, \
      ::AfxMsgFn(static_cast<BOOL (AFX_MSG_CALL CCmdTarget::*)(UINT, NMHDR*, LRESULT*)>(&ThisClass::memberFxn)) },

// Reflected to the control that sent them
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn) \
    { WM_COMMAND + WM_REFLECT_BASE, (WORD)(wNotifyCode), 0, 0, AfxSigCmd_v, \
      ::AfxMsgFn(static_cast<void (AFX_MSG_CALL CCmdTarget::*)()>(&ThisClass::memberFxn)) },
// The handler returns TRUE to keep the notification from the parent.
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn) \
    { WM_COMMAND + WM_REFLECT_BASE, (WORD)(wNotifyCode), 0, 0, AfxSigCmd_b, \
      ::AfxMsgFn(static_cast<BOOL (AFX_MSG_CALL CCmdTarget::*)()>(&ThisClass::memberFxn)) },
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn) \
    { WM_NOTIFY + WM_REFLECT_BASE, (WORD)(int)(wNotifyCode), 0, 0, AfxSigNotify_v, \
      ::AfxMsgFn(static_cast<void (AFX_MSG_CALL CCmdTarget::*)(NMHDR*, LRESULT*)>(&ThisClass::memberFxn)) },
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn) \
    { WM_NOTIFY + WM_REFLECT_BASE, (WORD)(int)(wNotifyCode), 0, 0, AfxSigNotify_b, \
      ::AfxMsgFn(static_cast<BOOL (AFX_MSG_CALL CCmdTarget::*)(NMHDR*, LRESULT*)>(&ThisClass::memberFxn)) },
#define ON_UPDATE_COMMAND_UI_REFLECT(memberFxn) \
    { WM_COMMAND + WM_REFLECT_BASE, (WORD)CN_UPDATE_COMMAND_UI, 0, 0, AfxSigCmdUI, \
      ::AfxMsgFn(static_cast<void (AFX_MSG_CALL CCmdTarget::*)(CCmdUI*)>(&ThisClass::memberFxn)) },

// Any message, handler LRESULT (WPARAM, LPARAM)
#define ON_MESSAGE(message, memberFxn) \
    AFX_WND_ENTRY(message, AfxSig_lwl, LRESULT (AFX_MSG_CALL CWnd::*)(WPARAM, LPARAM), memberFxn)
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn) \
    { 0xC000, 0, 0, 0, (UINT_PTR)(UINT*)(&nMessageVariable), \
      ::AfxMsgFn(static_cast<LRESULT (AFX_MSG_CALL CWnd::*)(WPARAM, LPARAM)>(&ThisClass::memberFxn)) },
// Thread messages of a CWinThread, handler void (WPARAM, LPARAM)
#define ON_THREAD_MESSAGE(message, memberFxn) \
    { (UINT)(message), 0, 0, 0, AfxSig_vwpl, \
      ::AfxMsgFn(static_cast<void (AFX_MSG_CALL CWinThread::*)(WPARAM, LPARAM)>(&ThisClass::memberFxn)) },

// ---------------------------------------------------------------------------
// Window messages (MFC 4.2 handler signatures)

#define ON_WM_CREATE() AFX_WND_ENTRY(WM_CREATE, AfxSig_is, int (AFX_MSG_CALL CWnd::*)(LPCREATESTRUCT), OnCreate)
#define ON_WM_NCCREATE() AFX_WND_ENTRY(WM_NCCREATE, AfxSig_bs, BOOL (AFX_MSG_CALL CWnd::*)(LPCREATESTRUCT), OnNcCreate)
#define ON_WM_DESTROY() AFX_WND_ENTRY(WM_DESTROY, AfxSig_vv, void (AFX_MSG_CALL CWnd::*)(), OnDestroy)
#define ON_WM_NCDESTROY() AFX_WND_ENTRY(WM_NCDESTROY, AfxSig_vv, void (AFX_MSG_CALL CWnd::*)(), OnNcDestroy)
#define ON_WM_PAINT() AFX_WND_ENTRY(WM_PAINT, AfxSig_vv, void (AFX_MSG_CALL CWnd::*)(), OnPaint)
#define ON_WM_NCPAINT() AFX_WND_ENTRY(WM_NCPAINT, AfxSig_vv, void (AFX_MSG_CALL CWnd::*)(), OnNcPaint)
#define ON_WM_ERASEBKGND() AFX_WND_ENTRY(WM_ERASEBKGND, AfxSig_bD, BOOL (AFX_MSG_CALL CWnd::*)(CDC*), OnEraseBkgnd)
#define ON_WM_CTLCOLOR() AFX_WND_ENTRY(WM_CTLCOLOR, AfxSig_hDWw, HBRUSH (AFX_MSG_CALL CWnd::*)(CDC*, CWnd*, UINT), OnCtlColor)
#define ON_WM_SIZE() AFX_WND_ENTRY(WM_SIZE, AfxSig_vwii, void (AFX_MSG_CALL CWnd::*)(UINT, int, int), OnSize)
#define ON_WM_MOVE() AFX_WND_ENTRY(WM_MOVE, AfxSig_vii, void (AFX_MSG_CALL CWnd::*)(int, int), OnMove)
#define ON_WM_TIMER() AFX_WND_ENTRY(WM_TIMER, AfxSig_vw, void (AFX_MSG_CALL CWnd::*)(UINT), OnTimer)
#define ON_WM_KEYDOWN() AFX_WND_ENTRY(WM_KEYDOWN, AfxSig_vwww, void (AFX_MSG_CALL CWnd::*)(UINT, UINT, UINT), OnKeyDown)
#define ON_WM_KEYUP() AFX_WND_ENTRY(WM_KEYUP, AfxSig_vwww, void (AFX_MSG_CALL CWnd::*)(UINT, UINT, UINT), OnKeyUp)
#define ON_WM_CHAR() AFX_WND_ENTRY(WM_CHAR, AfxSig_vwww, void (AFX_MSG_CALL CWnd::*)(UINT, UINT, UINT), OnChar)
#define ON_WM_SYSKEYDOWN() AFX_WND_ENTRY(WM_SYSKEYDOWN, AfxSig_vwww, void (AFX_MSG_CALL CWnd::*)(UINT, UINT, UINT), OnSysKeyDown)
#define ON_WM_SYSKEYUP() AFX_WND_ENTRY(WM_SYSKEYUP, AfxSig_vwww, void (AFX_MSG_CALL CWnd::*)(UINT, UINT, UINT), OnSysKeyUp)
#define ON_WM_SYSCHAR() AFX_WND_ENTRY(WM_SYSCHAR, AfxSig_vwww, void (AFX_MSG_CALL CWnd::*)(UINT, UINT, UINT), OnSysChar)
#define ON_WM_MOUSEMOVE() AFX_WND_ENTRY(WM_MOUSEMOVE, AfxSig_vwp, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnMouseMove)
#define ON_WM_LBUTTONDOWN() AFX_WND_ENTRY(WM_LBUTTONDOWN, AfxSig_vwp, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_WND_ENTRY(WM_LBUTTONUP, AfxSig_vwp, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_WND_ENTRY(WM_LBUTTONDBLCLK, AfxSig_vwp, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() AFX_WND_ENTRY(WM_RBUTTONDOWN, AfxSig_vwp, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnRButtonDown)
#define ON_WM_RBUTTONUP() AFX_WND_ENTRY(WM_RBUTTONUP, AfxSig_vwp, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() AFX_WND_ENTRY(WM_RBUTTONDBLCLK, AfxSig_vwp, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnRButtonDblClk)
#define ON_WM_MBUTTONDOWN() AFX_WND_ENTRY(WM_MBUTTONDOWN, AfxSig_vwp, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnMButtonDown)
#define ON_WM_MBUTTONUP() AFX_WND_ENTRY(WM_MBUTTONUP, AfxSig_vwp, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnMButtonUp)
#define ON_WM_MBUTTONDBLCLK() AFX_WND_ENTRY(WM_MBUTTONDBLCLK, AfxSig_vwp, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnMButtonDblClk)
// Asked for with TrackMouseEvent (TME_HOVER, TME_LEAVE)
#define ON_WM_MOUSEHOVER() AFX_WND_ENTRY(WM_MOUSEHOVER, AfxSig_vwp, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnMouseHover)
#define ON_WM_MOUSELEAVE() AFX_WND_ENTRY(WM_MOUSELEAVE, AfxSig_vv, void (AFX_MSG_CALL CWnd::*)(), OnMouseLeave)
#define ON_WM_MOUSEWHEEL() AFX_WND_ENTRY(WM_MOUSEWHEEL, AfxSig_bwsp, BOOL (AFX_MSG_CALL CWnd::*)(UINT, short, CPoint), OnMouseWheel)
#define ON_WM_NCMOUSEMOVE() AFX_WND_ENTRY(WM_NCMOUSEMOVE, AfxSig_vwp, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnNcMouseMove)
#define ON_WM_NCLBUTTONDOWN() AFX_WND_ENTRY(WM_NCLBUTTONDOWN, AfxSig_vwp, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnNcLButtonDown)
#define ON_WM_NCLBUTTONUP() AFX_WND_ENTRY(WM_NCLBUTTONUP, AfxSig_vwp, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnNcLButtonUp)
#define ON_WM_NCLBUTTONDBLCLK() AFX_WND_ENTRY(WM_NCLBUTTONDBLCLK, AfxSig_vwp, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnNcLButtonDblClk)
#define ON_WM_NCRBUTTONDOWN() AFX_WND_ENTRY(WM_NCRBUTTONDOWN, AfxSig_vwp, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnNcRButtonDown)
#define ON_WM_NCRBUTTONUP() AFX_WND_ENTRY(WM_NCRBUTTONUP, AfxSig_vwp, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnNcRButtonUp)
#define ON_WM_NCMBUTTONDOWN() AFX_WND_ENTRY(WM_NCMBUTTONDOWN, AfxSig_vwp, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnNcMButtonDown)
#define ON_WM_NCMBUTTONUP() AFX_WND_ENTRY(WM_NCMBUTTONUP, AfxSig_vwp, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnNcMButtonUp)
#define ON_WM_NCHITTEST() AFX_WND_ENTRY(WM_NCHITTEST, AfxSig_wp, UINT (AFX_MSG_CALL CWnd::*)(CPoint), OnNcHitTest)
#define ON_WM_NCCALCSIZE() AFX_WND_ENTRY(WM_NCCALCSIZE, AfxSig_vbNCCALC, void (AFX_MSG_CALL CWnd::*)(BOOL, NCCALCSIZE_PARAMS*), OnNcCalcSize)
#define ON_WM_NCACTIVATE() AFX_WND_ENTRY(WM_NCACTIVATE, AfxSig_bb, BOOL (AFX_MSG_CALL CWnd::*)(BOOL), OnNcActivate)
#define ON_WM_SETCURSOR() AFX_WND_ENTRY(WM_SETCURSOR, AfxSig_bWww, BOOL (AFX_MSG_CALL CWnd::*)(CWnd*, UINT, UINT), OnSetCursor)
#define ON_WM_MOUSEACTIVATE() AFX_WND_ENTRY(WM_MOUSEACTIVATE, AfxSig_iWww, int (AFX_MSG_CALL CWnd::*)(CWnd*, UINT, UINT), OnMouseActivate)
#define ON_WM_SETFOCUS() AFX_WND_ENTRY(WM_SETFOCUS, AfxSig_vWw, void (AFX_MSG_CALL CWnd::*)(CWnd*), OnSetFocus)
#define ON_WM_KILLFOCUS() AFX_WND_ENTRY(WM_KILLFOCUS, AfxSig_vWw, void (AFX_MSG_CALL CWnd::*)(CWnd*), OnKillFocus)
#define ON_WM_CAPTURECHANGED() AFX_WND_ENTRY(WM_CAPTURECHANGED, AfxSig_vWl, void (AFX_MSG_CALL CWnd::*)(CWnd*), OnCaptureChanged)
#define ON_WM_CONTEXTMENU() AFX_WND_ENTRY(WM_CONTEXTMENU, AfxSig_vWp, void (AFX_MSG_CALL CWnd::*)(CWnd*, CPoint), OnContextMenu)
#define ON_WM_WINDOWPOSCHANGING() AFX_WND_ENTRY(WM_WINDOWPOSCHANGING, AfxSig_vPOS, void (AFX_MSG_CALL CWnd::*)(WINDOWPOS*), OnWindowPosChanging)
#define ON_WM_WINDOWPOSCHANGED() AFX_WND_ENTRY(WM_WINDOWPOSCHANGED, AfxSig_vPOS, void (AFX_MSG_CALL CWnd::*)(WINDOWPOS*), OnWindowPosChanged)
#define ON_WM_CLOSE() AFX_WND_ENTRY(WM_CLOSE, AfxSig_vv, void (AFX_MSG_CALL CWnd::*)(), OnClose)
#define ON_WM_ENABLE() AFX_WND_ENTRY(WM_ENABLE, AfxSig_vb, void (AFX_MSG_CALL CWnd::*)(BOOL), OnEnable)
#define ON_WM_ACTIVATE() AFX_WND_ENTRY(WM_ACTIVATE, AfxSig_vwWb, void (AFX_MSG_CALL CWnd::*)(UINT, CWnd*, BOOL), OnActivate)
#define ON_WM_ACTIVATEAPP() AFX_WND_ENTRY(WM_ACTIVATEAPP, AfxSig_vbdw, void (AFX_MSG_CALL CWnd::*)(BOOL, DWORD), OnActivateApp)
#define ON_WM_CANCELMODE() AFX_WND_ENTRY(WM_CANCELMODE, AfxSig_vv, void (AFX_MSG_CALL CWnd::*)(), OnCancelMode)
#define ON_WM_SYSCOLORCHANGE() AFX_WND_ENTRY(WM_SYSCOLORCHANGE, AfxSig_vv, void (AFX_MSG_CALL CWnd::*)(), OnSysColorChange)
#define ON_WM_SETTINGCHANGE() AFX_WND_ENTRY(WM_SETTINGCHANGE, AfxSig_vws, void (AFX_MSG_CALL CWnd::*)(UINT, LPCTSTR), OnSettingChange)
#define ON_WM_GETDLGCODE() AFX_WND_ENTRY(WM_GETDLGCODE, AfxSig_wv, UINT (AFX_MSG_CALL CWnd::*)(), OnGetDlgCode)
#define ON_WM_MEASUREITEM() AFX_WND_ENTRY(WM_MEASUREITEM, AfxSig_vMEASURE, void (AFX_MSG_CALL CWnd::*)(int, LPMEASUREITEMSTRUCT), OnMeasureItem)
#define ON_WM_DRAWITEM() AFX_WND_ENTRY(WM_DRAWITEM, AfxSig_vDRAW, void (AFX_MSG_CALL CWnd::*)(int, LPDRAWITEMSTRUCT), OnDrawItem)
#define ON_WM_DELETEITEM() AFX_WND_ENTRY(WM_DELETEITEM, AfxSig_vDELETE, void (AFX_MSG_CALL CWnd::*)(int, LPDELETEITEMSTRUCT), OnDeleteItem)
#define ON_WM_COMPAREITEM() AFX_WND_ENTRY(WM_COMPAREITEM, AfxSig_iCOMPARE, int (AFX_MSG_CALL CWnd::*)(int, LPCOMPAREITEMSTRUCT), OnCompareItem)
#define ON_WM_MENUCHAR() AFX_WND_ENTRY(WM_MENUCHAR, AfxSig_lwwM, LRESULT (AFX_MSG_CALL CWnd::*)(UINT, UINT, CMenu*), OnMenuChar)
#define ON_WM_INITMENU() AFX_WND_ENTRY(WM_INITMENU, AfxSig_vM, void (AFX_MSG_CALL CWnd::*)(CMenu*), OnInitMenu)
#define ON_WM_INITMENUPOPUP() AFX_WND_ENTRY(WM_INITMENUPOPUP, AfxSig_vMwb, void (AFX_MSG_CALL CWnd::*)(CMenu*, UINT, BOOL), OnInitMenuPopup)
#define ON_WM_MENUSELECT() AFX_WND_ENTRY(WM_MENUSELECT, AfxSig_vwwh, void (AFX_MSG_CALL CWnd::*)(UINT, UINT, HMENU), OnMenuSelect)
#define ON_WM_SHOWWINDOW() AFX_WND_ENTRY(WM_SHOWWINDOW, AfxSig_vbw, void (AFX_MSG_CALL CWnd::*)(BOOL, UINT), OnShowWindow)
#define ON_WM_SYSCOMMAND() AFX_WND_ENTRY(WM_SYSCOMMAND, AfxSig_vwl, void (AFX_MSG_CALL CWnd::*)(UINT, LPARAM), OnSysCommand)
#define ON_WM_PARENTNOTIFY() AFX_WND_ENTRY(WM_PARENTNOTIFY, AfxSig_vwl, void (AFX_MSG_CALL CWnd::*)(UINT, LPARAM), OnParentNotify)
#define ON_WM_GETMINMAXINFO() AFX_WND_ENTRY(WM_GETMINMAXINFO, AfxSig_vMMI, void (AFX_MSG_CALL CWnd::*)(MINMAXINFO*), OnGetMinMaxInfo)
#define ON_WM_HSCROLL() AFX_WND_ENTRY(WM_HSCROLL, AfxSig_vwwx, void (AFX_MSG_CALL CWnd::*)(UINT, UINT, CScrollBar*), OnHScroll)
#define ON_WM_VSCROLL() AFX_WND_ENTRY(WM_VSCROLL, AfxSig_vwwx, void (AFX_MSG_CALL CWnd::*)(UINT, UINT, CScrollBar*), OnVScroll)
#define ON_WM_QUERYNEWPALETTE() AFX_WND_ENTRY(WM_QUERYNEWPALETTE, AfxSig_bv, BOOL (AFX_MSG_CALL CWnd::*)(), OnQueryNewPalette)
#define ON_WM_PALETTECHANGED() AFX_WND_ENTRY(WM_PALETTECHANGED, AfxSig_vWw, void (AFX_MSG_CALL CWnd::*)(CWnd*), OnPaletteChanged)
#define ON_WM_ENDSESSION() AFX_WND_ENTRY(WM_ENDSESSION, AfxSig_vb, void (AFX_MSG_CALL CWnd::*)(BOOL), OnEndSession)
#define ON_WM_QUERYENDSESSION() AFX_WND_ENTRY(WM_QUERYENDSESSION, AfxSig_bv, BOOL (AFX_MSG_CALL CWnd::*)(), OnQueryEndSession)

// Reflected window messages (handled by the control itself)
#define ON_WM_CTLCOLOR_REFLECT() AFX_WND_ENTRY(WM_CTLCOLOR + WM_REFLECT_BASE, AfxSig_hDw, HBRUSH (AFX_MSG_CALL CWnd::*)(CDC*, UINT), CtlColor)
#define ON_WM_DRAWITEM_REFLECT() AFX_WND_ENTRY(WM_DRAWITEM + WM_REFLECT_BASE, AfxSig_vDRAWr, void (AFX_MSG_CALL CWnd::*)(LPDRAWITEMSTRUCT), DrawItem)
#define ON_WM_MEASUREITEM_REFLECT() AFX_WND_ENTRY(WM_MEASUREITEM + WM_REFLECT_BASE, AfxSig_vMEASUREr, void (AFX_MSG_CALL CWnd::*)(LPMEASUREITEMSTRUCT), MeasureItem)
#define ON_WM_DELETEITEM_REFLECT() AFX_WND_ENTRY(WM_DELETEITEM + WM_REFLECT_BASE, AfxSig_vDELETEr, void (AFX_MSG_CALL CWnd::*)(LPDELETEITEMSTRUCT), DeleteItem)
#define ON_WM_COMPAREITEM_REFLECT() AFX_WND_ENTRY(WM_COMPAREITEM + WM_REFLECT_BASE, AfxSig_iCOMPAREr, int (AFX_MSG_CALL CWnd::*)(LPCOMPAREITEMSTRUCT), CompareItem)
#define ON_WM_HSCROLL_REFLECT() AFX_WND_ENTRY(WM_HSCROLL + WM_REFLECT_BASE, AfxSig_vww, void (AFX_MSG_CALL CWnd::*)(UINT, UINT), HScroll)
#define ON_WM_VSCROLL_REFLECT() AFX_WND_ENTRY(WM_VSCROLL + WM_REFLECT_BASE, AfxSig_vww, void (AFX_MSG_CALL CWnd::*)(UINT, UINT), VScroll)
#define ON_WM_PARENTNOTIFY_REFLECT() AFX_WND_ENTRY(WM_PARENTNOTIFY + WM_REFLECT_BASE, AfxSig_vwl, void (AFX_MSG_CALL CWnd::*)(UINT, LPARAM), ParentNotify)

// ---------------------------------------------------------------------------
// Control notifications through WM_COMMAND

#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_BN_SETFOCUS(id, memberFxn) ON_CONTROL(BN_SETFOCUS, id, memberFxn)
#define ON_BN_KILLFOCUS(id, memberFxn) ON_CONTROL(BN_KILLFOCUS, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_ERRSPACE(id, memberFxn) ON_CONTROL(EN_ERRSPACE, id, memberFxn)
#define ON_EN_MAXTEXT(id, memberFxn) ON_CONTROL(EN_MAXTEXT, id, memberFxn)
#define ON_EN_HSCROLL(id, memberFxn) ON_CONTROL(EN_HSCROLL, id, memberFxn)
#define ON_EN_VSCROLL(id, memberFxn) ON_CONTROL(EN_VSCROLL, id, memberFxn)
#define ON_LBN_ERRSPACE(id, memberFxn) ON_CONTROL(LBN_ERRSPACE, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_LBN_SELCANCEL(id, memberFxn) ON_CONTROL(LBN_SELCANCEL, id, memberFxn)
#define ON_LBN_SETFOCUS(id, memberFxn) ON_CONTROL(LBN_SETFOCUS, id, memberFxn)
#define ON_LBN_KILLFOCUS(id, memberFxn) ON_CONTROL(LBN_KILLFOCUS, id, memberFxn)
#define ON_CLBN_CHKCHANGE(id, memberFxn) ON_CONTROL(CLBN_CHKCHANGE, id, memberFxn)
#define ON_CBN_ERRSPACE(id, memberFxn) ON_CONTROL(CBN_ERRSPACE, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_DBLCLK(id, memberFxn) ON_CONTROL(CBN_DBLCLK, id, memberFxn)
#define ON_CBN_SETFOCUS(id, memberFxn) ON_CONTROL(CBN_SETFOCUS, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn) ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_EDITUPDATE(id, memberFxn) ON_CONTROL(CBN_EDITUPDATE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn) ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn) ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_CBN_SELENDCANCEL(id, memberFxn) ON_CONTROL(CBN_SELENDCANCEL, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)
#define ON_STN_DBLCLK(id, memberFxn) ON_CONTROL(STN_DBLCLK, id, memberFxn)

#endif // __AFXMSG__H__
