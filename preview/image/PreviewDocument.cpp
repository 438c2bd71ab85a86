#include "image/PreviewDocument.h"

#include <string.h>

#include "CEx_StyleDoc.h"
#include "IPreviewHost.h"

CEx_StyleDoc* GetPreviewDocument(CView* pView)
{
    CDocument* pDoc = pView ? pView->GetDocument() : NULL;
    // Matched by name: the document's class lives in the application, which
    // this library does not link.
    if (pDoc == NULL || strcmp(pDoc->GetRuntimeClass()->m_lpszClassName, "CEx_StyleDoc") != 0)
        return NULL;
    return static_cast<CEx_StyleDoc*>(pDoc);
}

CString GetPreviewPath(CView* pView)
{
    CEx_StyleDoc* pDoc = GetPreviewDocument(pView);
    return pDoc ? pDoc->m_strPreviewPath : CString();
}

void ReportPreviewFailure()
{
    if (IPreviewHost* pHost = GetPreviewHost())
        pHost->SetPreviewOk(FALSE);
}
