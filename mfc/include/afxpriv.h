// afxpriv.h - the framework's private window messages and the structures that
// travel with them, shared by the window classes, frames and control bars.
#pragma once
#ifndef __AFXPRIV_H__
#define __AFXPRIV_H__

#ifndef __AFXWIN_H__
#include <afxwin.h>
#endif

#include <vector>

// ---------------------------------------------------------------------------
// Tool bar resources (RT_TOOLBAR)

// A tool bar resource as read by AfxReadToolBarResource.
struct AFX_TOOLBAR_RESOURCE
{
    WORD wVersion;
    WORD wWidth;        // image width
    WORD wHeight;       // image height
    std::vector<UINT> ids;   // command ids, 0 for a separator
};

// Reads the tool bar resource of the name from the module that
// AfxFindResourceHandle names; FALSE when it is missing, shorter than its
// header or its count, or not version 1. The program's one reader of tool bar
// resources (CToolBar, the command bars and the image manager use it).
BOOL AFXAPI AfxReadToolBarResource(LPCTSTR lpszResourceName, AFX_TOOLBAR_RESOURCE& toolbar);

// ---------------------------------------------------------------------------
// Private messages (0x0360 - 0x037F)
#define WM_QUERYAFXWNDPROC      0x0360  // answered with 1 by every framework window
#define WM_SIZEPARENT           0x0361  // lParam = AFX_SIZEPARENTPARAMS*
#define WM_SETMESSAGESTRING     0x0362  // wParam = string id, or 0 with the text in lParam
#define WM_IDLEUPDATECMDUI      0x0363  // wParam = bDisableIfNoHandler
#define WM_INITIALUPDATE        0x0364
#define WM_COMMANDHELP          0x0365
#define WM_HELPHITTEST          0x0366
#define WM_EXITHELPMODE         0x0367
#define WM_RECALCPARENT         0x0368
#define WM_SIZECHILD            0x0369
#define WM_KICKIDLE             0x036A  // sent by modal loops when they go idle
#define WM_QUERYCENTERWND       0x036B
#define WM_DISABLEMODAL         0x036C
#define WM_FLOATSTATUS          0x036D  // wParam = FS_* flags
#define WM_ACTIVATETOPLEVEL     0x036E
#define WM_QUERY3DCONTROLS      0x036F
#define WM_SOCKET_NOTIFY        0x0373
#define WM_SOCKET_DEAD          0x0374
#define WM_POPMESSAGESTRING     0x0375
#define WM_HELPPROMPTADDR       0x0376
#define WM_OCC_LOADFROMSTREAM   0x0377
#define WM_OCC_LOADFROMSTORAGE  0x0378
#define WM_OCC_INITNEW          0x0379
#define WM_QUEUE_SENTINEL       0x037A
#define WM_OCC_LOADFROMSTREAM_EX 0x037B
#define WM_OCC_LOADFROMSTORAGE_EX 0x037C

// WM_FLOATSTATUS flags
#define FS_SHOW         0x01
#define FS_HIDE         0x02
#define FS_ACTIVATE     0x04
#define FS_DEACTIVATE   0x08
#define FS_ENABLE       0x10
#define FS_DISABLE      0x20
#define FS_SYNCACTIVE   0x40

// Layout record of WM_SIZEPARENT. hDWP is NULL in a query pass.
struct AFX_SIZEPARENTPARAMS
{
    HDWP hDWP;
    RECT rect;
    SIZE sizeTotal;
    BOOL bStretch;
};

// Moves hWnd to lpRect through the deferred-position handle of the layout
// record (or directly when there is none), storing the new handle back.
void AFXAPI AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect);

// Deletes a registry key with all its subkeys and values.
LONG AFXAPI AfxDelRegTreeHelper(HKEY hParentKey, const CString& strKeyName);

// Handler that takes no arguments and returns nothing, for private messages.
#define ON_MESSAGE_VOID(message, memberFxn) \
    { message, 0, 0, 0, AfxSig_vv, \
      ::AfxMsgFn(static_cast<void (AFX_MSG_CALL CWnd::*)()>(&ThisClass::memberFxn)) },

#endif // __AFXPRIV_H__
