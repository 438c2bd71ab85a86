// CSharedFile: a memory file whose buffer is a global memory block.
#include <afx.h>

IMPLEMENT_DYNAMIC(CSharedFile, CMemFile)

CSharedFile::CSharedFile(UINT nAllocFlags, UINT nGrowBytes)
    : CMemFile(nGrowBytes), m_nAllocFlags(nAllocFlags), m_hGlobalMemory(NULL), m_bAllowGrow(TRUE)
{
}

CSharedFile::~CSharedFile()
{
    if (m_lpBuffer != NULL)
        Close();
    m_lpBuffer = NULL;
}

BYTE* CSharedFile::Alloc(SIZE_T nBytes)
{
    m_hGlobalMemory = ::GlobalAlloc(m_nAllocFlags, nBytes);
    if (m_hGlobalMemory == NULL)
        return NULL;
    return (BYTE*)::GlobalLock(m_hGlobalMemory);
}

BYTE* CSharedFile::Realloc(BYTE* /*lpMem*/, SIZE_T nBytes)
{
    if (!m_bAllowGrow)
        return NULL;
    ::GlobalUnlock(m_hGlobalMemory);
    HGLOBAL hNew = ::GlobalReAlloc(m_hGlobalMemory, nBytes, m_nAllocFlags);
    if (hNew == NULL)
    {
        // The old block is still valid: keep it locked for the caller.
        ::GlobalLock(m_hGlobalMemory);
        return NULL;
    }
    m_hGlobalMemory = hNew;
    return (BYTE*)::GlobalLock(m_hGlobalMemory);
}

void CSharedFile::Free(BYTE* /*lpMem*/)
{
    ::GlobalUnlock(m_hGlobalMemory);
    ::GlobalFree(m_hGlobalMemory);
    m_hGlobalMemory = NULL;
}

HGLOBAL CSharedFile::Detach()
{
    HGLOBAL hMem = m_hGlobalMemory;
    if (hMem != NULL)
    {
        ::GlobalUnlock(hMem);
        // Trim to the content, so GlobalSize tells the receiver its length.
        if (m_nFileSize != 0 && m_nFileSize < m_nBufferSize)
        {
            HGLOBAL hTrimmed = ::GlobalReAlloc(hMem, m_nFileSize, m_nAllocFlags);
            if (hTrimmed != NULL)
                hMem = hTrimmed;
        }
    }
    m_hGlobalMemory = NULL;
    m_lpBuffer = NULL;
    m_nBufferSize = 0;
    m_nFileSize = 0;
    m_nPosition = 0;
    return hMem;
}

void CSharedFile::SetHandle(HGLOBAL hGlobalMemory, BOOL bAllowGrow)
{
    if (m_lpBuffer != NULL)
        Close();
    m_hGlobalMemory = hGlobalMemory;
    m_lpBuffer = (BYTE*)::GlobalLock(m_hGlobalMemory);
    m_nBufferSize = m_nFileSize = ::GlobalSize(m_hGlobalMemory);
    m_nPosition = 0;
    m_bAllowGrow = bAllowGrow;
    m_bAutoDelete = TRUE;
}
