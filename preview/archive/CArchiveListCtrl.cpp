#include "archive/CArchiveListCtrl.h"

#include "resource.h"

BEGIN_MESSAGE_MAP(CArchiveListCtrl, CListCtrl)
    ON_NOTIFY_REFLECT(NM_CLICK, OnClick)
    ON_NOTIFY_REFLECT(NM_DBLCLK, OnClick)
END_MESSAGE_MAP()

CArchiveListCtrl::CArchiveListCtrl()
{
    m_headerImages.Create(16, 16, ILC_COLOR16 | ILC_MASK, 0, 7);
    static const UINT kIcons[] = {IDI_COLUMN_NAME,     IDI_COLUMN_TYPE, IDI_COLUMN_SIZE, IDI_COLUMN_CREATED,
                                  IDI_COLUMN_MODIFIED, IDI_COLUMN_ID,   IDI_COLUMN_SPARE};
    for (UINT id : kIcons) {
        HICON hIcon = (HICON)::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(id), IMAGE_ICON, 48, 48, 0);
        if (hIcon == NULL)
            continue;
        m_headerImages.Add(hIcon);
        ::DestroyIcon(hIcon);
    }
}

CArchiveListCtrl::~CArchiveListCtrl() {}

void CArchiveListCtrl::SetupColumns(const CString& extension)
{
    if (extension == _T(".zip")) {
        InsertColumn(0, _T("File Name"), LVCFMT_LEFT, 200);
        InsertColumn(1, _T("Directory"), LVCFMT_LEFT, 100);
        InsertColumn(2, _T("File Size"), LVCFMT_LEFT, 100);
        InsertColumn(3, _T("Access Time"), LVCFMT_LEFT, 150);
        InsertColumn(4, _T("Creation Time"), LVCFMT_LEFT, 150);
        InsertColumn(5, _T("modify Time"), LVCFMT_LEFT, 150);
        InsertColumn(6, _T("Attribute"), LVCFMT_LEFT, 200);
    } else if (extension == _T(".cab") || extension == _T(".rar") || extension == _T(".gz")) {
        InsertColumn(0, _T("File Name"), LVCFMT_LEFT, 200);
        InsertColumn(1, _T("Directory"), LVCFMT_LEFT, 100);
        InsertColumn(2, _T("File Size"), LVCFMT_LEFT, 100);
        InsertColumn(3, _T("Access Time"), LVCFMT_LEFT, 150);
        InsertColumn(4, _T("Attribute"), LVCFMT_LEFT, 200);
    }
}

void CArchiveListCtrl::SetupHeaderImages()
{
    HWND hHeader = (HWND)SendMessage(LVM_GETHEADER);
    if (hHeader == NULL)
        return;
    ::SendMessage(hHeader, HDM_SETIMAGELIST, 0, (LPARAM)m_headerImages.GetSafeHandle());
    auto setImage = [hHeader](int item, int image) {
        HDITEM hdi = {};
        hdi.mask = HDI_FORMAT;
        // Items past the inserted columns do not exist; nothing changes.
        if (!::SendMessage(hHeader, HDM_GETITEM, item, (LPARAM)&hdi))
            return;
        hdi.mask = HDI_FORMAT | HDI_IMAGE;
        hdi.fmt |= HDF_IMAGE;
        hdi.iImage = image;
        ::SendMessage(hHeader, HDM_SETITEM, item, (LPARAM)&hdi);
    };
    for (int i = 0; i < 7; ++i)
        setImage(i, i);
    setImage(0, 0);
}

CString CArchiveListCtrl::AttributeText(DWORD attributes)
{
    CString text;
    text += (attributes & FILE_ATTRIBUTE_READONLY) ? _T('r') : _T('-');
    text += (attributes & FILE_ATTRIBUTE_ARCHIVE) ? _T('a') : _T('-');
    text += (attributes & FILE_ATTRIBUTE_HIDDEN) ? _T('h') : _T('-');
    text += (attributes & FILE_ATTRIBUTE_SYSTEM) ? _T('s') : _T('-');
    return text;
}

CString CArchiveListCtrl::TimeText(const FILETIME& ft)
{
    if ((ft.dwLowDateTime == 0 && ft.dwHighDateTime == 0) || !CTime::IsValidFILETIME(ft))
        return CString();
    return CTime(ft, -1).Format(_T("%d %b %Y, %X"));
}

void CArchiveListCtrl::OnClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    (void)pNMHDR;
    if (GetItemCount() > 0)
        UpdateWindow();
    *pResult = 0;
}
