// COleDataObject (data of a drag or the clipboard) and COleStreamFile.
#include "framestate.h"
#include <afxole.h>

IMPLEMENT_DYNAMIC(COleStreamFile, CFile)

void COleDataObject::Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease)
{
    Release();
    m_lpDataObject = lpDataObject;
    m_bAutoRelease = bAutoRelease;
}

LPDATAOBJECT COleDataObject::Detach()
{
    LPDATAOBJECT lpDataObject = m_lpDataObject;
    m_lpDataObject = NULL;
    if (m_lpEnumFORMATETC != NULL)
    {
        m_lpEnumFORMATETC->Release();
        m_lpEnumFORMATETC = NULL;
    }
    return lpDataObject;
}

void COleDataObject::Release()
{
    if (m_lpEnumFORMATETC != NULL)
    {
        m_lpEnumFORMATETC->Release();
        m_lpEnumFORMATETC = NULL;
    }
    if (m_lpDataObject != NULL)
    {
        if (m_bAutoRelease)
            m_lpDataObject->Release();
        m_lpDataObject = NULL;
    }
}

BOOL COleDataObject::AttachClipboard()
{
    LPDATAOBJECT lpDataObject = NULL;
    if (FAILED(::OleGetClipboard(&lpDataObject)) || lpDataObject == NULL)
        return FALSE;
    Attach(lpDataObject, TRUE);
    return TRUE;
}

LPDATAOBJECT COleDataObject::GetIDataObject(BOOL bAddRef)
{
    if (m_lpDataObject != NULL && bAddRef)
        m_lpDataObject->AddRef();
    return m_lpDataObject;
}

void COleDataObject::BeginEnumFormats()
{
    if (m_lpEnumFORMATETC != NULL)
    {
        m_lpEnumFORMATETC->Release();
        m_lpEnumFORMATETC = NULL;
    }
    if (m_lpDataObject != NULL)
        m_lpDataObject->EnumFormatEtc(DATADIR_GET, &m_lpEnumFORMATETC);
}

BOOL COleDataObject::GetNextFormat(LPFORMATETC lpFormatEtc)
{
    if (m_lpEnumFORMATETC == NULL)
        return FALSE;
    FORMATETC formatEtc;
    if (m_lpEnumFORMATETC->Next(1, &formatEtc, NULL) != S_OK)
        return FALSE;
    if (formatEtc.ptd != NULL)
    {
        ::CoTaskMemFree(formatEtc.ptd);
        formatEtc.ptd = NULL;
    }
    *lpFormatEtc = formatEtc;
    return TRUE;
}

// The format asked for: the caller's, or cfFormat in any medium.
static FORMATETC FillFormatEtc(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc, DWORD tymed)
{
    FORMATETC formatEtc = { cfFormat, NULL, DVASPECT_CONTENT, -1, tymed };
    if (lpFormatEtc != NULL)
    {
        formatEtc = *lpFormatEtc;
        formatEtc.cfFormat = cfFormat;
    }
    return formatEtc;
}

BOOL COleDataObject::IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    if (m_lpDataObject == NULL)
        return FALSE;
    FORMATETC formatEtc = FillFormatEtc(cfFormat, lpFormatEtc, TYMED_HGLOBAL | TYMED_ISTREAM | TYMED_FILE |
                                                                   TYMED_ISTORAGE | TYMED_GDI | TYMED_MFPICT |
                                                                   TYMED_ENHMF);
    return m_lpDataObject->QueryGetData(&formatEtc) == S_OK;
}

BOOL COleDataObject::GetData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc)
{
    if (m_lpDataObject == NULL || lpStgMedium == NULL)
        return FALSE;
    FORMATETC formatEtc = FillFormatEtc(cfFormat, lpFormatEtc, TYMED_HGLOBAL | TYMED_ISTREAM | TYMED_FILE |
                                                                   TYMED_ISTORAGE | TYMED_GDI | TYMED_MFPICT |
                                                                   TYMED_ENHMF);
    return SUCCEEDED(m_lpDataObject->GetData(&formatEtc, lpStgMedium));
}

HGLOBAL COleDataObject::GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    if (m_lpDataObject == NULL)
        return NULL;
    FORMATETC formatEtc = FillFormatEtc(cfFormat, lpFormatEtc, TYMED_HGLOBAL);
    STGMEDIUM stgMedium = {};
    if (FAILED(m_lpDataObject->GetData(&formatEtc, &stgMedium)) || stgMedium.tymed != TYMED_HGLOBAL)
    {
        if (stgMedium.tymed != TYMED_NULL)
            ::ReleaseStgMedium(&stgMedium);
        return NULL;
    }
    if (stgMedium.pUnkForRelease == NULL)
        return stgMedium.hGlobal;   // ours now
    // The source keeps the memory: hand out a copy.
    HGLOBAL hCopy = AfxCopyGlobalMemory(stgMedium.hGlobal, GMEM_SHARE | GMEM_MOVEABLE);
    ::ReleaseStgMedium(&stgMedium);
    return hCopy;
}

CFile* COleDataObject::GetFileData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    if (m_lpDataObject == NULL)
        return NULL;
    FORMATETC formatEtc = FillFormatEtc(cfFormat, lpFormatEtc, TYMED_HGLOBAL | TYMED_ISTREAM);
    STGMEDIUM stgMedium = {};
    if (FAILED(m_lpDataObject->GetData(&formatEtc, &stgMedium)))
        return NULL;
    if (stgMedium.tymed == TYMED_ISTREAM)
    {
        COleStreamFile* pFile = new COleStreamFile(stgMedium.pstm);   // the file keeps the reference
        if (stgMedium.pUnkForRelease != NULL)
            stgMedium.pUnkForRelease->Release();
        return pFile;
    }
    if (stgMedium.tymed == TYMED_HGLOBAL)
    {
        HGLOBAL hGlobal = stgMedium.hGlobal;
        if (stgMedium.pUnkForRelease != NULL)
        {
            // Not ours to keep: copy it.
            ::ReleaseStgMedium(&stgMedium);
            hGlobal = GetGlobalData(cfFormat, lpFormatEtc);
            if (hGlobal == NULL)
                return NULL;
        }
        CSharedFile* pFile = new CSharedFile(GMEM_MOVEABLE | GMEM_SHARE);
        pFile->SetHandle(hGlobal, FALSE);
        return pFile;
    }
    ::ReleaseStgMedium(&stgMedium);
    return NULL;
}

// ---------------------------------------------------------------------------
// COleStreamFile

COleStreamFile::COleStreamFile(LPSTREAM lpStream) : m_lpStream(lpStream)
{
}

COleStreamFile::~COleStreamFile()
{
    if (m_lpStream != NULL)
        m_lpStream->Release();
    m_lpStream = NULL;
}

void COleStreamFile::Attach(LPSTREAM lpStream)
{
    if (m_lpStream != NULL)
        m_lpStream->Release();
    m_lpStream = lpStream;
}

LPSTREAM COleStreamFile::Detach()
{
    LPSTREAM lpStream = m_lpStream;
    m_lpStream = NULL;
    return lpStream;
}

BOOL COleStreamFile::CreateMemoryStream(CFileException* pError)
{
    LPSTREAM lpStream = NULL;
    HRESULT hr = ::CreateStreamOnHGlobal(NULL, TRUE, &lpStream);
    if (FAILED(hr))
    {
        if (pError != NULL)
        {
            pError->m_cause = CFileException::generic;
            pError->m_lOsError = hr;
        }
        return FALSE;
    }
    Attach(lpStream);
    return TRUE;
}

ULONGLONG COleStreamFile::GetPosition() const
{
    ULARGE_INTEGER pos = {};
    LARGE_INTEGER zero = {};
    if (m_lpStream == NULL || FAILED(m_lpStream->Seek(zero, STREAM_SEEK_CUR, &pos)))
        AfxThrowFileException(CFileException::generic);
    return pos.QuadPart;
}

ULONGLONG COleStreamFile::Seek(LONGLONG lOff, UINT nFrom)
{
    LARGE_INTEGER off;
    off.QuadPart = lOff;
    ULARGE_INTEGER pos = {};
    DWORD dwOrigin = nFrom == CFile::begin ? STREAM_SEEK_SET : nFrom == CFile::end ? STREAM_SEEK_END : STREAM_SEEK_CUR;
    if (m_lpStream == NULL || FAILED(m_lpStream->Seek(off, dwOrigin, &pos)))
        AfxThrowFileException(CFileException::badSeek);
    return pos.QuadPart;
}

void COleStreamFile::SetLength(ULONGLONG dwNewLen)
{
    ULARGE_INTEGER size;
    size.QuadPart = dwNewLen;
    if (m_lpStream == NULL || FAILED(m_lpStream->SetSize(size)))
        AfxThrowFileException(CFileException::diskFull);
}

ULONGLONG COleStreamFile::GetLength() const
{
    STATSTG stat = {};
    if (m_lpStream == NULL || FAILED(m_lpStream->Stat(&stat, STATFLAG_NONAME)))
        AfxThrowFileException(CFileException::generic);
    return stat.cbSize.QuadPart;
}

UINT COleStreamFile::Read(void* lpBuf, UINT nCount)
{
    ULONG nRead = 0;
    if (m_lpStream == NULL || FAILED(m_lpStream->Read(lpBuf, nCount, &nRead)))
        AfxThrowFileException(CFileException::generic);
    return nRead;
}

void COleStreamFile::Write(const void* lpBuf, UINT nCount)
{
    ULONG nWritten = 0;
    if (m_lpStream == NULL || FAILED(m_lpStream->Write(lpBuf, nCount, &nWritten)) || nWritten != nCount)
        AfxThrowFileException(CFileException::diskFull);
}

void COleStreamFile::Abort()
{
    if (m_lpStream != NULL)
        m_lpStream->Release();
    m_lpStream = NULL;
}

void COleStreamFile::Flush()
{
    if (m_lpStream != NULL)
        m_lpStream->Commit(STGC_DEFAULT);
}

void COleStreamFile::Close()
{
    Abort();
}
