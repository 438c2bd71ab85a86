// A list view with the library's report-view conveniences (CVZListBase);
// a control view of class "SysListView32".
#pragma once

#include <afxcview.h>

#include "CVZListBase.h"

class CVZListView : public CListView, public CVZListBase
{
    DECLARE_DYNCREATE(CVZListView)
public:
    CVZListView();
    ~CVZListView() override;

    DECLARE_VZLIST_OWNER()
};
