// afxole.h - OLE data transfer: drop targets and sources, data objects and
// sources, stream files.
#pragma once
#ifndef __AFXOLE_H__
#define __AFXOLE_H__

#include <afxwin.h>
#include <afxdisp.h>
#include <vector>

// Reads and writes an IStream as a CFile.
class COleStreamFile : public CFile
{
    DECLARE_DYNAMIC(COleStreamFile)
public:
    explicit COleStreamFile(LPSTREAM lpStream = NULL);
    ~COleStreamFile() override;
    void Attach(LPSTREAM lpStream);
    LPSTREAM Detach();
    IStream* GetStream() const { return m_lpStream; }
    BOOL CreateMemoryStream(CFileException* pError = NULL);

    ULONGLONG GetPosition() const override;
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    void SetLength(ULONGLONG dwNewLen) override;
    ULONGLONG GetLength() const override;
    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    void Abort() override;
    void Flush() override;
    void Close() override;

    LPSTREAM m_lpStream;
};

// Data offered by a drag or the clipboard.
class COleDataObject
{
public:
    COleDataObject() : m_lpDataObject(NULL), m_bAutoRelease(TRUE), m_lpEnumFORMATETC(NULL) {}
    ~COleDataObject() { Release(); }

    void Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease = TRUE);
    LPDATAOBJECT Detach();
    void Release();
    BOOL AttachClipboard();
    LPDATAOBJECT GetIDataObject(BOOL bAddRef);

    void BeginEnumFormats();
    BOOL GetNextFormat(LPFORMATETC lpFormatEtc);
    BOOL IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = NULL);
    BOOL GetData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc = NULL);
    // A copy of the data in global memory (the caller frees it), or NULL.
    HGLOBAL GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = NULL);
    // The data as a file the caller deletes: a CSharedFile for global memory,
    // a COleStreamFile for a stream; NULL when it is not there.
    CFile* GetFileData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = NULL);

    LPDATAOBJECT m_lpDataObject;
    BOOL m_bAutoRelease;
    LPENUMFORMATETC m_lpEnumFORMATETC;
};

// Answers the system's drag and drop questions for a source.
class COleDropSource : public CCmdTarget
{
    DECLARE_DYNAMIC(COleDropSource)
public:
    COleDropSource();
    virtual SCODE QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState);
    virtual SCODE GiveFeedback(DROPEFFECT dropEffect);
    virtual BOOL OnBeginDrag(CWnd* pWnd);

    BOOL m_bDragStarted;
    DWORD m_dwButtonCancel;
    DWORD m_dwButtonDrop;

    BEGIN_INTERFACE_PART(DropSource, IDropSource)
        STDMETHOD(QueryContinueDrag)(BOOL fEscapePressed, DWORD grfKeyState) override;
        STDMETHOD(GiveFeedback)(DWORD dwEffect) override;
    END_INTERFACE_PART(DropSource)
    DECLARE_INTERFACE_MAP()
};

// Data offered to a drop or the clipboard: cached global memory per format.
class COleDataSource : public CCmdTarget
{
    DECLARE_DYNAMIC(COleDataSource)
public:
    COleDataSource();
    ~COleDataSource() override;

    // The source takes ownership of hGlobal.
    void CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc = NULL);
    void CacheData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc = NULL);
    void Empty();
    // Runs the drag; returns the effect the target performed, or
    // DROPEFFECT_NONE when the drag was cancelled.
    DROPEFFECT DoDragDrop(DWORD dwEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK,
                          LPCRECT lpRectStartDrag = NULL, COleDropSource* pDropSource = NULL);
    void SetClipboard();
    static void PASCAL FlushClipboard();

    struct CacheEntry
    {
        FORMATETC formatEtc;
        STGMEDIUM stgMedium;
    };
    std::vector<CacheEntry> m_cache;

    BEGIN_INTERFACE_PART(DataObject, IDataObject)
        STDMETHOD(GetData)(LPFORMATETC, LPSTGMEDIUM) override;
        STDMETHOD(GetDataHere)(LPFORMATETC, LPSTGMEDIUM) override;
        STDMETHOD(QueryGetData)(LPFORMATETC) override;
        STDMETHOD(GetCanonicalFormatEtc)(LPFORMATETC, LPFORMATETC) override;
        STDMETHOD(SetData)(LPFORMATETC, LPSTGMEDIUM, BOOL) override;
        STDMETHOD(EnumFormatEtc)(DWORD, LPENUMFORMATETC*) override;
        STDMETHOD(DAdvise)(LPFORMATETC, DWORD, LPADVISESINK, LPDWORD) override;
        STDMETHOD(DUnadvise)(DWORD) override;
        STDMETHOD(EnumDAdvise)(LPENUMSTATDATA*) override;
    END_INTERFACE_PART(DataObject)
    DECLARE_INTERFACE_MAP()

protected:
    const CacheEntry* Lookup(LPFORMATETC lpFormatEtc) const;
};

// A window's drop target: Register puts it in the window's m_pDropTarget
// and the window revokes it when it is destroyed. The default handlers
// forward to a CView and answer DROPEFFECT_NONE for other windows.
class COleDropTarget : public CCmdTarget
{
    DECLARE_DYNAMIC(COleDropTarget)
public:
    COleDropTarget();
    ~COleDropTarget() override;

    BOOL Register(CWnd* pWnd);
    virtual void Revoke();

    virtual DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);
    virtual DROPEFFECT OnDropEx(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropDefault,
                                DROPEFFECT dropList, CPoint point);
    virtual void OnDragLeave(CWnd* pWnd);
    virtual DROPEFFECT OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint point);

    HWND m_hWnd;
    LPDATAOBJECT m_lpDataObject;   // during a drag

    BEGIN_INTERFACE_PART(DropTarget, IDropTarget)
        STDMETHOD(DragEnter)(LPDATAOBJECT, DWORD, POINTL, LPDWORD) override;
        STDMETHOD(DragOver)(DWORD, POINTL, LPDWORD) override;
        STDMETHOD(DragLeave)() override;
        STDMETHOD(Drop)(LPDATAOBJECT, DWORD, POINTL, LPDWORD) override;
    END_INTERFACE_PART(DropTarget)
    DECLARE_INTERFACE_MAP()
};

// Type stand-ins of the OLE document classes for type checks.
class COleDocument : public CDocument
{
    DECLARE_DYNAMIC(COleDocument)
public:
    COleDocument() {}
    class COleClientItem* GetPrimarySelectedItem(CView* pView) { (void)pView; return NULL; }
};

class COleClientItem : public CCmdTarget
{
    DECLARE_DYNAMIC(COleClientItem)
public:
    enum ItemState { emptyState, loadedState, openState, activeState, activeUIState };
    UINT GetItemState() const { return emptyState; }
};

// Adds the verbs of pItem to pMenu; without OLE document support, the verb
// item is disabled and FALSE returned.
BOOL AFXAPI AfxOleSetEditMenu(COleClientItem* pItem, CMenu* pMenu, UINT iMenuItem, UINT nIDVerbMin,
                              UINT nIDVerbMax = 0, UINT nIDConvert = 0);

#endif // __AFXOLE_H__
