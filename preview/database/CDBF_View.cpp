#include "database/CDBF_View.h"

#include <afxdisp.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "CEx_StyleDoc.h"
#include "IPreviewHost.h"

namespace {

const UINT kDescriptorSize = 32;
const UINT kNameSize = 11;
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

void CDBF_View::LoadDbfFile(CString path, CListCtrl* pList)
{
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyNone)) {
        SetPreviewOk(FALSE);
        return;
    }
    const ULONGLONG L = file.GetLength();
    // Reads up to count bytes at pos; what lies past the file stays zero.
    auto readAt = [&](ULONGLONG pos, BYTE* buffer, UINT count) {
        memset(buffer, 0, count);
        if (pos >= L)
            return;
        if ((ULONGLONG)count > L - pos)
            count = (UINT)(L - pos);
        file.Seek((LONGLONG)pos, CFile::begin);
        file.Read(buffer, count);
    };

    pList->InsertColumn(0, _T("Index"), LVCFMT_LEFT, 100);
    SetPreviewOk(TRUE);

    struct Field { char type; UINT length; };
    std::vector<Field> fields;
    ULONGLONG p = kDescriptorSize;
    bool cut = false;
    if (L > kDescriptorSize) {
        while (p < L) {
            BYTE d[kDescriptorSize];
            readAt(p, d, sizeof(d));
            if (d[0] == 0x0D)
                break;
            // The length byte is the last one the reader needs.
            if (p + 16 >= L) {
                cut = true;
                break;
            }
            if (fields.size() == kMaxFields) {
                pList->DeleteAllItems();
                while (pList->DeleteColumn(0)) {
                }
                SetPreviewOk(FALSE);
                return;
            }
            Field f = {(char)d[11], d[16]};
            fields.push_back(f);
            pList->InsertColumn((int)fields.size(), Widen(d, kNameSize), LVCFMT_LEFT, 100);
            p += kDescriptorSize;
        }
    }
    if (cut || p > L || p <= kDescriptorSize || fields.empty()) {
        SetPreviewOk(FALSE);
        return;
    }

    // The first record's deletion flag: where the header length puts it
    // when that lies after the terminator and inside the file, otherwise
    // the first space after the terminator.
    BYTE h[2];
    readAt(8, h, sizeof(h));
    ULONGLONG headerLength = (ULONGLONG)h[0] | ((ULONGLONG)h[1] << 8);
    ULONGLONG e = 0;
    if (headerLength > p && headerLength < L) {
        e = headerLength + 1;
    } else {
        ULONGLONG q = p;
        for (; q < L; ++q) {
            BYTE c;
            readAt(q, &c, 1);
            if (c == 0x20)
                break;
        }
        if (q >= L) {
            SetPreviewOk(FALSE);
            return;
        }
        e = q + 1;
    }
    pList->InsertItem(0, _T("1"));

    // Records whose fields take no bytes would make a row of every byte.
    ULONGLONG recordLength = 0;
    for (const Field& f : fields)
        recordLength += f.length;
    if (recordLength == 0)
        return;

    int row = 0;
    size_t k = 0;
    BYTE buffer[kFieldBuffer];
    while (e < L) {
        const Field& f = fields[k];
        readAt(e, buffer, f.length);
        pList->SetItemText(row, (int)k + 1, DbfCellText(f.type, buffer, f.length));
        e += f.length;
        if (e >= L)
            break;
        if (++k == fields.size()) {
            k = 0;
            e += 1;  // the next record's deletion flag
            if (e >= L || row + 1 >= kMaxRows)
                break;
            ++row;
            pList->InsertItem(row, Printf("%d", row + 1));
        }
    }
}
