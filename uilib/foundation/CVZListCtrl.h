// A list control with the library's report-view conveniences (CVZListBase).
#pragma once

#include <afxcmn.h>

#include "CVZListBase.h"

class CVZListCtrl : public CListCtrl, public CVZListBase
{
    DECLARE_DYNAMIC(CVZListCtrl)
public:
    CVZListCtrl();
    ~CVZListCtrl() override;

    // The list base's forms win over the control's of the same name.
    using CVZListBase::GetExtendedStyle;
    using CListCtrl::SubItemHitTest;
    using CVZListBase::SubItemHitTest;

    DECLARE_VZLIST_OWNER()
};
