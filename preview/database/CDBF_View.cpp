#include "database/CDBF_View.h"

#include <afxdisp.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "CEx_StyleDoc.h"
#include "IPreviewHost.h"
#include "database/DbfTable.h"

namespace {

// A field holds at most 255 bytes; its text is read into a zero-filled
// buffer one larger, so that it always ends with a NUL.
const UINT kFieldBuffer = 256 + 1;

void SetPreviewOk(BOOL bOk)
{
    if (IPreviewHost* host = GetPreviewHost())
        host->SetPreviewOk(bOk);
}

// Bytes widened one to one, up to the first NUL or count.
CString Widen(const BYTE* bytes, UINT count)
{
    CString text;
    for (UINT i = 0; i < count && bytes[i]; ++i)
        text += (TCHAR)bytes[i];
    return text;
}

CString AnsiText(const BYTE* bytes, UINT count)
{
    UINT n = 0;
    while (n < count && bytes[n])
        ++n;
    if (n == 0)
        return CString();
    int wide = MultiByteToWideChar(CP_ACP, 0, (LPCSTR)bytes, (int)n, NULL, 0);
    std::vector<wchar_t> buffer((size_t)wide + 1, L'\0');
    MultiByteToWideChar(CP_ACP, 0, (LPCSTR)bytes, (int)n, buffer.data(), wide);
    return CString(buffer.data());
}

// The first four bytes as a little-endian signed number; bytes beyond the
// field's length count as zero.
long FirstLong(const BYTE* bytes, UINT length)
{
    BYTE b[4] = {0, 0, 0, 0};
    for (UINT i = 0; i < 4 && i < length; ++i)
        b[i] = bytes[i];
    return (long)(int)((DWORD)b[0] | ((DWORD)b[1] << 8) | ((DWORD)b[2] << 16) | ((DWORD)b[3] << 24));
}

CString Printf(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    int n = vsnprintf(NULL, 0, format, copy);
    va_end(copy);
    std::string text(n > 0 ? (size_t)n : 0, '\0');
    if (n > 0)
        vsnprintf(&text[0], (size_t)n + 1, format, args);
    va_end(args);
    return Widen((const BYTE*)text.c_str(), (UINT)text.size());
}

bool IsLogicalTrue(const BYTE* bytes, UINT length)
{
    UINT begin = 0, end = 0;
    while (end < length && bytes[end])
        ++end;
    auto space = [](BYTE c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    while (begin < end && space(bytes[begin]))
        ++begin;
    while (end > begin && space(bytes[end - 1]))
        --end;
    std::string word;
    for (UINT i = begin; i < end; ++i) {
        BYTE c = bytes[i];
        word += (char)(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    }
    static const char* const kTrue[] = {"T", "Y", "YES", "TRUE", "\xC4\xC0", "\xC8\xD1\xD2\xC8\xCD\xC0"};
    for (const char* t : kTrue)
        if (word == t)
            return true;
    return false;
}

}  // namespace

CString DbfCellText(char type, const BYTE* bytes, UINT length)
{
    BYTE text[kFieldBuffer];
    memset(text, 0, sizeof(text));
    if (length > kFieldBuffer - 1)
        length = kFieldBuffer - 1;
    memcpy(text, bytes, length);

    switch (type) {
    case 'N':
    case 'F':
        return Printf("%f", atof((const char*)text));
    case 'C':
        return Widen(text, length);
    case 'Y': {
        CString whole = Printf("%d", (int)FirstLong(text, length));
        if (whole.GetLength() > 4)
            whole = whole.Left(whole.GetLength() - 4);
        COleCurrency currency;
        if (currency.ParseCurrency(whole, 0, LANG_USER_DEFAULT))
            return currency.Format(0, LANG_USER_DEFAULT);
        return _T("Y");
    }
    case 'I':
        return Printf("%ld", FirstLong(text, length));
    case 'D': {
        CString raw = Widen(text, length), date;
        for (int i = 0; i < raw.GetLength(); ++i) {
            if (i == 4 || i == 6)
                date += _T('/');
            date += raw[i];
        }
        return date;
    }
    case 'T':
        return CString();
    case 'B':
        return AnsiText(text, length);
    case 'L':
        return IsLogicalTrue(text, length) ? _T("TRUE") : _T("FALSE");
    case 'M':
        return _T("Memo");
    case 'G':
        return _T("General");
    case 'P':
        return _T("Picture");
    default: {
        CString letter;
        letter += (TCHAR)(BYTE)type;
        return letter;
    }
    }
}

IMPLEMENT_DYNCREATE(CDBF_View, CView)

BEGIN_MESSAGE_MAP(CDBF_View, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
END_MESSAGE_MAP()

CDBF_View::CDBF_View() : m_pList(NULL) {}

CDBF_View::~CDBF_View()
{
    delete m_pList;
}

void CDBF_View::OnDraw(CDC* pDC)
{
    (void)pDC;
}

int CDBF_View::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CView::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_pList = new CListCtrl;
    m_pList->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                    CRect(0, 0, 0, 0), this, IDC_DBF_LIST);
    m_pList->SetExtendedStyle(m_pList->GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    CWnd* pMain = AfxGetMainWnd();
    CFrameWnd* pFrame = pMain ? DYNAMIC_DOWNCAST(CFrameWnd, pMain) : NULL;
    CDocument* pDoc = pFrame ? pFrame->GetActiveDocument() : NULL;
    if (pDoc && strcmp(pDoc->GetRuntimeClass()->m_lpszClassName, "CEx_StyleDoc") == 0)
        LoadDbfFile(static_cast<CEx_StyleDoc*>(pDoc)->m_strPreviewPath, m_pList);
    return 0;
}

void CDBF_View::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    if (m_pList && m_pList->m_hWnd) {
        CRect rc;
        GetClientRect(&rc);
        m_pList->MoveWindow(&rc, TRUE);
    }
}

namespace {

// Columns, rows and cell texts of the list from the table walk.
class CListSink : public IDbfTableSink
{
public:
    explicit CListSink(CListCtrl* pList) : m_pList(pList) {}
    void OnField(const DbfField& field) override
    {
        ++m_nColumns;
        m_pList->InsertColumn(m_nColumns, Widen(field.name, DbfTableWalk::NameSize), LVCFMT_LEFT, 100);
    }
    void OnTooManyFields() override
    {
        m_pList->DeleteAllItems();
        while (m_pList->DeleteColumn(0)) {
        }
    }
    void OnRow(int nRow) override { m_pList->InsertItem(nRow, Printf("%d", nRow + 1)); }
    void OnCell(int nRow, int nField, const DbfField& field, const unsigned char* pBytes) override
    {
        m_pList->SetItemText(nRow, nField + 1, DbfCellText(field.type, pBytes, field.length));
    }

private:
    CListCtrl* m_pList;
    int m_nColumns = 0;
};

}  // namespace

void CDBF_View::LoadDbfFile(CString path, CListCtrl* pList)
{
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyNone)) {
        SetPreviewOk(FALSE);
        return;
    }
    pList->InsertColumn(0, _T("Index"), LVCFMT_LEFT, 100);
    SetPreviewOk(TRUE);
    CListSink sink(pList);
    const bool bTable = DbfTableWalk::Walk(
        file.GetLength(),
        [&file](uint64_t pos, unsigned char* buffer, unsigned count) {
            file.Seek((LONGLONG)pos, CFile::begin);
            file.Read(buffer, count);
        },
        sink);
    if (!bTable)
        SetPreviewOk(FALSE);
}
