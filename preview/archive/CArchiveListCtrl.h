// The report list of the archive viewer: columns by archive kind, the
// column header's own icons, and the cell texts the rows share.
#pragma once

#include <afxcmn.h>

class CArchiveListCtrl : public CListCtrl
{
public:
    CArchiveListCtrl();
    ~CArchiveListCtrl() override;

    // Inserts the columns of the archive kind the extension names (".zip":
    // seven; ".cab", ".rar" and ".gz": five); any other extension, none.
    void SetupColumns(const CString& extension);
    // Gives the header the control's image list and image i to item i.
    void SetupHeaderImages();

    // "r", "a", "h" and "s" for the read-only, archive, hidden and system
    // bits, "-" for each bit that is clear.
    static CString AttributeText(DWORD attributes);
    // The time as "%d %b %Y, %X" in local time; empty for a FILETIME of 0 or
    // one outside what CTime holds.
    static CString TimeText(const FILETIME& ft);

    // The header's 16 x 16 icons (application icons 163, 162, 164, 161,
    // 166, 167, 165 in that order).
    CImageList m_headerImages;

protected:
    afx_msg void OnClick(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()
};
