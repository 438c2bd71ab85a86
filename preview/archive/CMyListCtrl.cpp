#include "archive/CMyListCtrl.h"

#include "CEx_StyleDoc.h"
#include "IPreviewHost.h"
#include "archive/CArchiveEntry.h"
#include "archive/CArchiveListCtrl.h"
#include "archive/CRarArchiveReader.h"
#include "archive/ZipArchive.h"
#include "image/PreviewDocument.h"

#include <fcntl.h>
#include <fdi.h>
#include <io.h>
#include <sys/stat.h>

#include <exception>
#include <new>
#include <string>
#include <vector>

IMPLEMENT_DYNCREATE(CMyListCtrl, CView)

BEGIN_MESSAGE_MAP(CMyListCtrl, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
END_MESSAGE_MAP()

namespace {

// The path in the ANSI code page, as the cabinet and RAR libraries take it;
// false when it does not fit or holds characters outside the code page
// (which would name another file).
bool ToAnsiPath(const CString& path, std::vector<char>& ansi)
{
    ansi.assign(MAX_PATH, '\0');
    if (path.IsEmpty())
        return false;
    BOOL usedDefault = FALSE;
    int n = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, path, path.GetLength() + 1, ansi.data(),
                                  (int)ansi.size(), NULL, &usedDefault);
    return n > 1 && !usedDefault;
}

// The extension of a path: the text after its last "." with the "." in
// front, lower-cased; "." + the whole path when it has none.
CString ExtensionOf(const CString& path)
{
    CString extension = _T(".") + path.Mid(path.ReverseFind(_T('.')) + 1);
    extension.MakeLower();
    return extension;
}

// ---- The cabinet listing over Cabinet.dll's FDI, loaded at run time.

typedef HFDI(DIAMONDAPI* FdiCreateFn)(PFNALLOC, PFNFREE, PFNOPEN, PFNREAD, PFNWRITE, PFNCLOSE, PFNSEEK, int, PERF);
typedef BOOL(DIAMONDAPI* FdiCopyFn)(HFDI, char*, char*, int, PFNFDINOTIFY, PFNFDIDECRYPT, void*);
typedef BOOL(DIAMONDAPI* FdiIsCabinetFn)(HFDI, INT_PTR, PFDICABINETINFO);
typedef BOOL(DIAMONDAPI* FdiDestroyFn)(HFDI);

// What one cabinet listing hands FDI as its user pointer.
struct CabCopyContext
{
    CArchiveEntry* pLastEntry = nullptr;
    HFDI hContext = nullptr;
    ERF erf = {};
    int abort = 0;
    std::string destination = "\\";
    HMODULE hModule = nullptr;
    FdiCreateFn pfnCreate = nullptr;
    FdiCopyFn pfnCopy = nullptr;
    FdiIsCabinetFn pfnIsCabinet = nullptr;
    FdiDestroyFn pfnDestroy = nullptr;

    void AddEntry(const CString& name, const CString& folder, LONG size, const FILETIME& modified, WORD attributes)
    {
        pLastEntry = new CArchiveEntry(name, folder, size, modified, attributes);
        g_ArchiveEntryList.AddEntry(pLastEntry);
    }
};

FNALLOC(CabAlloc) { return operator new(cb, std::nothrow); }
FNFREE(CabFree) { operator delete(pv); }
FNOPEN(CabOpen) { return _open(pszFile, oflag, pmode); }
FNREAD(CabRead) { return (UINT)_read((int)hf, pv, cb); }
FNWRITE(CabWrite) { return (UINT)_write((int)hf, pv, cb); }
FNCLOSE(CabClose) { return _close((int)hf); }
FNSEEK(CabSeek) { return _lseek((int)hf, dist, seektype); }

FNFDINOTIFY(CabNotify)
{
    CabCopyContext* pContext = static_cast<CabCopyContext*>(pfdin->pv);
    if (pContext != nullptr && pContext->abort)
        return -1;
    if (fdint != fdintCOPY_FILE || pContext == nullptr || pfdin->psz1 == nullptr)
        return 0;
    CString stored(pfdin->psz1);
    int slash = stored.ReverseFind(_T('\\'));
    CString name = slash < 0 ? stored : stored.Mid(slash + 1);
    CString folder = slash < 0 ? CString() : stored.Left(slash + 1);
    // Cabinets store local times; the list keeps UTC, as CTime expects it.
    FILETIME modified = DosDateTimeToUtcFileTime(MAKELONG(pfdin->time, pfdin->date));
    pContext->AddEntry(name, folder, pfdin->cb, modified, pfdin->attribs);
    // Declined: nothing is written.
    return 0;
}

} // namespace

CMyListCtrl::CMyListCtrl() : m_pList(nullptr) {}

CMyListCtrl::~CMyListCtrl() { delete m_pList; }

void CMyListCtrl::OnDraw(CDC* pDC) { (void)pDC; }

int CMyListCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CView::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_pList = new CArchiveListCtrl;
    // The system image list is the shell's: the list shares it and never
    // destroys it.
    m_pList->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                        LVS_AUTOARRANGE | LVS_SHAREIMAGELISTS,
                    CRect(0, 0, 100, 100), this, kListId);
    m_pList->SetExtendedStyle(m_pList->GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    m_pList->SendMessage(LVM_SETIMAGELIST, LVSIL_SMALL, (LPARAM)m_shellIcons.GetSystemImageList(TRUE));

    const CString path = GetPreviewPath(this);
    const CString extension = ExtensionOf(path);
    m_pList->SetupColumns(extension);
    m_pList->SetupHeaderImages();

    IPreviewHost* pHost = GetPreviewHost();
    if (pHost == nullptr || GetPreviewDocument(this) == nullptr)
        return 0;
    if (extension == _T(".zip"))
        pHost->SetPreviewOk(ListZipArchive(path));
    else if (extension == _T(".cab"))
        pHost->SetPreviewOk(ListCabArchive());
    else if (extension == _T(".rar"))
        pHost->SetPreviewOk(ListRarArchive());
    return 0;
}

void CMyListCtrl::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    if (m_pList != nullptr && m_pList->GetSafeHwnd() != NULL) {
        CRect client;
        GetClientRect(&client);
        m_pList->MoveWindow(&client, TRUE);
    }
}

int CMyListCtrl::InsertRow(int nItem, const CString& name)
{
    return m_pList->InsertItem(nItem, name, m_shellIcons.GetFileIconIndex(name, TRUE));
}

int CMyListCtrl::ListZipArchive(const CString& path)
{
    ZipHandle* handle = ZipOpenArchive((LPCWSTR)path, 0, ZIP_KIND_FILENAME);
    if (handle == nullptr)
        return 0;
    int result = 1;
    try {
        ZipEntryInfo info = {};
        if (ZipGetEntry(handle, -1, &info) != ZIP_OK) {
            result = 0;
        } else {
            const int count = info.index;
            for (int i = 0; i < count; ++i) {
                ZipEntryInfo entry = {};
                if (ZipGetEntry(handle, i, &entry) != ZIP_OK) {
                    result = 0;
                    break;
                }
                CString name(entry.name);
                int item = InsertRow(i, name);
                CString size;
                size.Format(_T("%ld"), (long)entry.compressedSize);
                m_pList->SetItemText(item, 1, name.Find(_T('/')) >= 0 ? _T("Yes") : _T("No"));
                m_pList->SetItemText(item, 2, size);
                m_pList->SetItemText(item, 3, CArchiveListCtrl::TimeText(entry.accessTime));
                m_pList->SetItemText(item, 4, CArchiveListCtrl::TimeText(entry.creationTime));
                m_pList->SetItemText(item, 5, CArchiveListCtrl::TimeText(entry.modificationTime));
                m_pList->SetItemText(item, 6, CArchiveListCtrl::AttributeText(entry.attributes));
            }
        }
    } catch (const std::exception&) {
        result = 0;
    } catch (CException* e) {
        e->Delete();
        result = 0;
    }
    ZipCloseArchive(handle);
    return result;
}

int CMyListCtrl::ListCabArchive()
{
    m_pList->DeleteAllItems();
    CabCopyContext context;
    context.hModule = ::LoadLibraryA("Cabinet.dll");
    if (context.hModule == nullptr)
        return 0;
    context.pfnCreate = (FdiCreateFn)(void*)::GetProcAddress(context.hModule, "FDICreate");
    context.pfnCopy = (FdiCopyFn)(void*)::GetProcAddress(context.hModule, "FDICopy");
    context.pfnIsCabinet = (FdiIsCabinetFn)(void*)::GetProcAddress(context.hModule, "FDIIsCabinet");
    context.pfnDestroy = (FdiDestroyFn)(void*)::GetProcAddress(context.hModule, "FDIDestroy");
    if (!context.pfnCreate || !context.pfnCopy || !context.pfnIsCabinet || !context.pfnDestroy) {
        ::FreeLibrary(context.hModule);
        return 0;
    }
    context.hContext = context.pfnCreate(CabAlloc, CabFree, CabOpen, CabRead, CabWrite, CabClose, CabSeek, cpu80386,
                                         &context.erf);
    if (context.hContext == nullptr) {
        ::FreeLibrary(context.hModule);
        return 0;
    }
    auto finish = [&context](int result) {
        context.pfnDestroy(context.hContext);
        ::FreeLibrary(context.hModule);
        return result;
    };

    std::vector<char> ansi;
    if (!ToAnsiPath(GetPreviewPath(this), ansi))
        return finish(0);
    g_ArchiveEntryList.RemoveAllEntries();

    std::string full(ansi.data());
    size_t slash = full.rfind('\\');
    std::string name = slash == std::string::npos ? full : full.substr(slash + 1);
    std::string folder = slash == std::string::npos ? std::string() : full.substr(0, slash + 1);
    std::vector<char> nameBuffer(name.begin(), name.end()), folderBuffer(folder.begin(), folder.end());
    nameBuffer.push_back('\0');
    folderBuffer.push_back('\0');
    if (!context.pfnCopy(context.hContext, nameBuffer.data(), folderBuffer.data(), 0, CabNotify, NULL, &context))
        return finish(0);

    int i = 0;
    for (POSITION pos = g_ArchiveEntryList.GetHeadPosition(); pos != NULL; ++i) {
        const CArchiveEntry* pEntry = static_cast<const CArchiveEntry*>(g_ArchiveEntryList.GetNext(pos));
        int item = InsertRow(i, pEntry->m_strName);
        CString size;
        size.Format(_T("%d"), (int)pEntry->m_nSize);
        m_pList->SetItemText(item, 1, pEntry->m_strFolder);
        m_pList->SetItemText(item, 2, size);
        m_pList->SetItemText(item, 3, CArchiveListCtrl::TimeText(pEntry->m_ftModified));
        m_pList->SetItemText(item, 4, CArchiveListCtrl::AttributeText(pEntry->m_wAttributes));
    }
    return finish(1);
}

int CMyListCtrl::ListRarArchive()
{
    std::vector<char> ansi;
    // A path the code page cannot hold still gets its reader built, so the
    // library's own failure (missing, unreadable) is the same.
    bool converted = ToAnsiPath(GetPreviewPath(this), ansi);
    CRarArchiveReader reader;
    if (!converted)
        return 0;
    bool listed = reader.ListArchive(ansi.data());
    if (listed) {
        m_pList->DeleteAllItems();
        for (size_t i = 0; i < reader.GetEntryCount(); ++i) {
            RarArchiveEntry entry = reader.GetEntry(i);
            int item = InsertRow((int)i, entry.name);
            CString flags, size;
            flags.Format(_T("%I64u"), entry.flags);
            size.Format(_T("%I64d"), (LONGLONG)entry.unpackedSize);
            m_pList->SetItemText(item, 1, flags == _T("32992") ? _T("Yes") : flags == _T("32960") ? _T("No") : _T(""));
            m_pList->SetItemText(item, 2, size);
            m_pList->SetItemText(item, 3, CArchiveListCtrl::TimeText(DosDateTimeToUtcFileTime(entry.fileTime)));
            m_pList->SetItemText(item, 4, CArchiveListCtrl::AttributeText(entry.attributes));
        }
    }
    return listed ? 1 : 0;
}
