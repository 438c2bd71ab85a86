// afxcview.h - views that are common controls: CListView, CTreeView.
#pragma once
#ifndef __AFXCVIEW_H__
#define __AFXCVIEW_H__

#include <afxwin.h>
#include <afxcmn.h>

class CListView : public CCtrlView
{
    DECLARE_DYNCREATE(CListView)
public:
    CListView() : CCtrlView(WC_LISTVIEW, AFX_WS_DEFAULT_VIEW) {}
    // The view is the list control; only its non-virtual members may be used.
    CListCtrl& GetListCtrl() const { return *(CListCtrl*)this; }
};

class CTreeView : public CCtrlView
{
    DECLARE_DYNCREATE(CTreeView)
public:
    CTreeView() : CCtrlView(WC_TREEVIEW, AFX_WS_DEFAULT_VIEW) {}
    // The view is the tree control; only its non-virtual members may be used.
    CTreeCtrl& GetTreeCtrl() const { return *(CTreeCtrl*)this; }
};

#endif // __AFXCVIEW_H__
