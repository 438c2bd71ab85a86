// Document templates (single and multiple document) and the document manager.
#include "framestate.h"

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)
IMPLEMENT_DYNAMIC(CSingleDocTemplate, CDocTemplate)
IMPLEMENT_DYNAMIC(CMultiDocTemplate, CDocTemplate)
IMPLEMENT_DYNAMIC(CDocManager, CObject)

CDocTemplate::CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                           CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass), m_pViewClass(pViewClass),
      m_bAutoDelete(TRUE)
{
}

CDocTemplate::~CDocTemplate()
{
}

void CDocTemplate::LoadTemplate()
{
    if (m_strDocStrings.IsEmpty() && !m_strDocStrings.LoadString(m_nIDResource))
        m_strDocStrings.Empty();
}

BOOL CDocTemplate::GetDocString(CString& rString, enum DocStringIndex i) const
{
    return AfxExtractSubString(rString, m_strDocStrings, (int)i);
}

void CDocTemplate::AddDocument(CDocument* pDoc)
{
    pDoc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* pDoc)
{
    if (pDoc->m_pDocTemplate == this)
        pDoc->m_pDocTemplate = NULL;
}

CDocTemplate::Confidence CDocTemplate::MatchDocType(LPCTSTR lpszPathName, CDocument*& rpDocMatch)
{
    rpDocMatch = NULL;
    for (POSITION pos = GetFirstDocPosition(); pos != NULL;)
    {
        CDocument* pDoc = GetNextDoc(pos);
        if (!pDoc->GetPathName().IsEmpty() && pDoc->GetPathName().CompareNoCase(lpszPathName) == 0)
        {
            rpDocMatch = pDoc;
            return yesAlreadyOpen;
        }
    }
    CString strFilterExt;
    if (GetDocString(strFilterExt, filterExt) && !strFilterExt.IsEmpty())
    {
        CString strPath = lpszPathName;
        int nDot = strPath.ReverseFind('.');
        if (nDot >= 0 && strPath.Mid(nDot).CompareNoCase(strFilterExt) == 0)
            return yesAttemptNative;
    }
    return yesAttemptForeign;
}

CDocument* CDocTemplate::CreateNewDocument()
{
    if (m_pDocClass == NULL)
        return NULL;
    CObject* pObject = m_pDocClass->CreateObject();
    CDocument* pDocument = DYNAMIC_DOWNCAST(CDocument, pObject);
    if (pDocument == NULL)
    {
        delete pObject;
        return NULL;
    }
    AddDocument(pDocument);
    return pDocument;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther)
{
    CCreateContext context;
    context.m_pCurrentFrame = pOther;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;
    if (m_pFrameClass == NULL)
        return NULL;
    CObject* pObject = m_pFrameClass->CreateObject();
    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pObject);
    if (pFrame == NULL)
    {
        delete pObject;
        return NULL;
    }
    // A frame that fails deletes itself.
    if (!pFrame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, NULL, &context))
        return NULL;
    return pFrame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible)
{
    pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

BOOL CDocTemplate::SaveAllModified()
{
    for (POSITION pos = GetFirstDocPosition(); pos != NULL;)
    {
        if (!GetNextDoc(pos)->SaveModified())
            return FALSE;
    }
    return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL bEndSession)
{
    (void)bEndSession;
    // Closing a document removes it from the list: restart each time.
    for (int nGuard = 0; nGuard < 10000; nGuard++)
    {
        POSITION pos = GetFirstDocPosition();
        if (pos == NULL)
            break;
        CDocument* pDoc = GetNextDoc(pos);
        BOOL bAutoDelete = pDoc->m_bAutoDelete;
        pDoc->OnCloseDocument();
        if (!bAutoDelete)
            RemoveDocument(pDoc);   // it stays alive, but no longer here
    }
}

// Opens or creates the document and its frame, as a template of either kind
// does it; pReuseFrame is the frame of a reused document.
static CDocument* OpenDocumentInto(CDocTemplate* pTemplate, CDocument* pDocument, CFrameWnd* pFrame,
                                   BOOL bCreated, LPCTSTR lpszPathName, BOOL bMakeVisible)
{
    if (pDocument == NULL)
    {
        AfxMessageBox(AfxLoadStringOr(AFX_IDP_FAILED_TO_CREATE_DOC, _T("Failed to create empty document.")));
        return NULL;
    }
    if (pFrame == NULL)
    {
        // The document must survive a failed frame.
        BOOL bAutoDelete = pDocument->m_bAutoDelete;
        pDocument->m_bAutoDelete = FALSE;
        pFrame = pTemplate->CreateNewFrame(pDocument, NULL);
        pDocument->m_bAutoDelete = bAutoDelete;
        if (pFrame == NULL)
        {
            AfxMessageBox(AfxLoadStringOr(AFX_IDP_FAILED_TO_CREATE_DOC, _T("Failed to create empty document.")));
            delete pDocument;
            return NULL;
        }
    }
    if (lpszPathName == NULL)
    {
        pTemplate->SetDefaultTitle(pDocument);
        if (!bMakeVisible)
            pDocument->m_bEmbedded = TRUE;
        if (!pDocument->OnNewDocument())
        {
            if (bCreated)
                pFrame->DestroyWindow();   // takes the document with it
            return NULL;
        }
    }
    else
    {
        CWaitCursor wait;
        BOOL bWasModified = pDocument->IsModified();
        pDocument->SetModifiedFlag(FALSE);
        if (!pDocument->OnOpenDocument(lpszPathName))
        {
            if (bCreated)
            {
                pFrame->DestroyWindow();
            }
            else if (!pDocument->IsModified())
            {
                pDocument->SetModifiedFlag(bWasModified);   // untouched
            }
            else
            {
                // The reused document was changed by the failed load: start afresh.
                pTemplate->SetDefaultTitle(pDocument);
                pDocument->OnNewDocument();
            }
            return NULL;
        }
        pDocument->SetPathName(lpszPathName);
    }
    CWinThread* pThread = AfxGetThread();
    if (bCreated && pThread != NULL && pThread->m_pMainWnd == NULL)
        pThread->m_pMainWnd = pFrame;   // the first frame becomes the main window
    pTemplate->InitialUpdateFrame(pFrame, pDocument, bMakeVisible);
    return pDocument;
}

// ---------------------------------------------------------------------------
// CSingleDocTemplate

CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                                       CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass), m_pOnlyDoc(NULL)
{
}

CSingleDocTemplate::~CSingleDocTemplate()
{
    if (m_pOnlyDoc != NULL)
        m_pOnlyDoc->m_pDocTemplate = NULL;
}

void CSingleDocTemplate::AddDocument(CDocument* pDoc)
{
    CDocTemplate::AddDocument(pDoc);
    m_pOnlyDoc = pDoc;
}

void CSingleDocTemplate::RemoveDocument(CDocument* pDoc)
{
    CDocTemplate::RemoveDocument(pDoc);
    if (m_pOnlyDoc == pDoc)
        m_pOnlyDoc = NULL;
}

POSITION CSingleDocTemplate::GetFirstDocPosition() const
{
    return m_pOnlyDoc != NULL ? (POSITION)1 : NULL;
}

CDocument* CSingleDocTemplate::GetNextDoc(POSITION& rPos) const
{
    CDocument* pDoc = rPos == (POSITION)1 ? m_pOnlyDoc : NULL;
    rPos = NULL;
    return pDoc;
}

CDocument* CSingleDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible)
{
    CDocument* pDocument = NULL;
    CFrameWnd* pFrame = NULL;
    BOOL bCreated = FALSE;
    if (m_pOnlyDoc != NULL)
    {
        // Reuse the one document and its frame.
        pDocument = m_pOnlyDoc;
        if (!pDocument->SaveModified())
            return NULL;
        POSITION pos = pDocument->GetFirstViewPosition();
        CView* pView = pos != NULL ? pDocument->GetNextView(pos) : NULL;
        pFrame = pView != NULL ? pView->GetParentFrame() : NULL;
        if (pFrame == NULL)
            pFrame = DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd());
    }
    else
    {
        pDocument = CreateNewDocument();
        bCreated = TRUE;
    }
    if (pFrame == NULL && !bCreated && pDocument != NULL)
        return NULL;   // a reused document without a frame cannot be shown
    return OpenDocumentInto(this, pDocument, pFrame, bCreated, lpszPathName, bMakeVisible);
}

void CSingleDocTemplate::SetDefaultTitle(CDocument* pDocument)
{
    CString strDocName;
    if (!GetDocString(strDocName, docName) || strDocName.IsEmpty())
        strDocName = AfxLoadStringOr(AFX_IDS_UNTITLED, _T("Untitled"));
    pDocument->SetTitle(strDocName);
}

// ---------------------------------------------------------------------------
// CMultiDocTemplate

CMultiDocTemplate::CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                                     CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass), m_hMenuShared(NULL), m_hAccelTable(NULL),
      m_nUntitledCount(0)
{
}

CMultiDocTemplate::~CMultiDocTemplate()
{
    for (POSITION pos = m_docList.GetHeadPosition(); pos != NULL;)
        ((CDocument*)m_docList.GetNext(pos))->m_pDocTemplate = NULL;
    if (m_hMenuShared != NULL)
        ::DestroyMenu(m_hMenuShared);
    if (m_hAccelTable != NULL)
        ::DestroyAcceleratorTable(m_hAccelTable);
}

void CMultiDocTemplate::LoadTemplate()
{
    CDocTemplate::LoadTemplate();
    LPCTSTR lpszName = MAKEINTRESOURCE(m_nIDResource);
    if (m_hMenuShared == NULL)
        m_hMenuShared = ::LoadMenu(AfxFindResourceHandle(lpszName, RT_MENU), lpszName);
    if (m_hAccelTable == NULL)
        m_hAccelTable = ::LoadAccelerators(AfxFindResourceHandle(lpszName, RT_ACCELERATOR), lpszName);
}

void CMultiDocTemplate::AddDocument(CDocument* pDoc)
{
    CDocTemplate::AddDocument(pDoc);
    m_docList.AddTail(pDoc);
}

void CMultiDocTemplate::RemoveDocument(CDocument* pDoc)
{
    CDocTemplate::RemoveDocument(pDoc);
    POSITION pos = m_docList.Find(pDoc);
    if (pos != NULL)
        m_docList.RemoveAt(pos);
}

CDocument* CMultiDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible)
{
    return OpenDocumentInto(this, CreateNewDocument(), NULL, TRUE, lpszPathName, bMakeVisible);
}

void CMultiDocTemplate::SetDefaultTitle(CDocument* pDocument)
{
    CString strDocName;
    if (!GetDocString(strDocName, docName) || strDocName.IsEmpty())
        strDocName = AfxLoadStringOr(AFX_IDS_UNTITLED, _T("Untitled"));
    CString strNumber;
    strNumber.Format(_T("%d"), ++m_nUntitledCount);
    pDocument->SetTitle(strDocName + strNumber);
}

// ---------------------------------------------------------------------------
// CDocManager

CDocManager::CDocManager()
{
}

CDocManager::~CDocManager()
{
    while (!m_templateList.IsEmpty())
    {
        CDocTemplate* pTemplate = (CDocTemplate*)m_templateList.RemoveHead();
        if (pTemplate->m_bAutoDelete)
            delete pTemplate;
    }
}

void CDocManager::AddDocTemplate(CDocTemplate* pTemplate)
{
    if (pTemplate == NULL || m_templateList.Find(pTemplate) != NULL)
        return;
    pTemplate->LoadTemplate();
    m_templateList.AddTail(pTemplate);
}

int CDocManager::GetDocumentCount()
{
    int nCount = 0;
    for (POSITION pos = GetFirstDocTemplatePosition(); pos != NULL;)
    {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        for (POSITION pos2 = pTemplate->GetFirstDocPosition(); pos2 != NULL;)
        {
            pTemplate->GetNextDoc(pos2);
            nCount++;
        }
    }
    return nCount;
}

CDocument* CDocManager::OpenDocumentFile(LPCTSTR lpszFileName)
{
    if (lpszFileName == NULL || *lpszFileName == 0)
        return NULL;
    CString strPath = AfxFullPath(lpszFileName);
    CDocTemplate* pBestTemplate = NULL;
    CDocument* pOpenDocument = NULL;
    CDocTemplate::Confidence bestMatch = CDocTemplate::noAttempt;
    for (POSITION pos = GetFirstDocTemplatePosition(); pos != NULL;)
    {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        CDocument* pDoc = NULL;
        CDocTemplate::Confidence match = pTemplate->MatchDocType(strPath, pDoc);
        if (match > bestMatch)
        {
            bestMatch = match;
            pBestTemplate = pTemplate;
        }
        if (match == CDocTemplate::yesAlreadyOpen)
        {
            pOpenDocument = pDoc;
            break;
        }
    }
    if (pOpenDocument != NULL)
    {
        // Already open: bring its frame forward.
        POSITION pos = pOpenDocument->GetFirstViewPosition();
        if (pos != NULL)
        {
            CView* pView = pOpenDocument->GetNextView(pos);
            CFrameWnd* pFrame = pView->GetParentFrame();
            if (pFrame != NULL)
                pFrame->ActivateFrame();
        }
        return pOpenDocument;
    }
    if (pBestTemplate == NULL)
    {
        AfxMessageBox(AfxLoadStringOr(AFX_IDP_FAILED_TO_OPEN_DOC, _T("Failed to open document.")));
        return NULL;
    }
    return pBestTemplate->OpenDocumentFile(strPath);
}

BOOL CDocManager::SaveAllModified()
{
    for (POSITION pos = GetFirstDocTemplatePosition(); pos != NULL;)
    {
        if (!GetNextDocTemplate(pos)->SaveAllModified())
            return FALSE;
    }
    return TRUE;
}

void CDocManager::CloseAllDocuments(BOOL bEndSession)
{
    for (POSITION pos = GetFirstDocTemplatePosition(); pos != NULL;)
        GetNextDocTemplate(pos)->CloseAllDocuments(bEndSession);
}

BOOL CDocManager::DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                                   CDocTemplate* pTemplate)
{
    (void)nIDSTitle;
    // "Name (*.ext)|*.ext|" for each template (or the given one), then all files.
    CString strFilter;
    CString strDefaultExt;
    for (POSITION pos = GetFirstDocTemplatePosition(); pos != NULL;)
    {
        CDocTemplate* pT = GetNextDocTemplate(pos);
        if (pTemplate != NULL && pT != pTemplate)
            continue;
        CString strFilterName, strFilterExt;
        if (pT->GetDocString(strFilterExt, CDocTemplate::filterExt) && !strFilterExt.IsEmpty() &&
            pT->GetDocString(strFilterName, CDocTemplate::filterName) && !strFilterName.IsEmpty())
        {
            strFilter += strFilterName + _T("|*") + strFilterExt + _T("|");
            if (strDefaultExt.IsEmpty())
                strDefaultExt = strFilterExt.Mid(1);
        }
    }
    strFilter += _T("All Files (*.*)|*.*||");
    CFileDialog dlgFile(bOpenFileDialog, strDefaultExt.IsEmpty() ? NULL : (LPCTSTR)strDefaultExt, fileName,
                        lFlags | OFN_HIDEREADONLY, strFilter, NULL);
    if (dlgFile.DoModal() != IDOK)
        return FALSE;
    fileName = dlgFile.GetPathName();
    return TRUE;
}

void CDocManager::OnFileNew()
{
    if (m_templateList.IsEmpty())
    {
        AfxMessageBox(AfxLoadStringOr(AFX_IDP_FAILED_TO_CREATE_DOC, _T("Failed to create empty document.")));
        return;
    }
    CDocTemplate* pTemplate = (CDocTemplate*)m_templateList.GetHead();
    pTemplate->OpenDocumentFile(NULL);
}

void CDocManager::OnFileOpen()
{
    CString strNewName;
    if (!DoPromptFileName(strNewName, 0, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, TRUE, NULL))
        return;
    if (AfxGetApp() != NULL)
        AfxGetApp()->OpenDocumentFile(strNewName);
}
