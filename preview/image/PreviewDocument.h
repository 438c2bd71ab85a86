// What the picture views need of the document the preview pane filled: the
// previewed file's path, and the frame's preview-ok flag they clear on
// failure.
#pragma once

#include <afxwin.h>

class CEx_StyleDoc;

// The view's document when it is the preview document, else null.
CEx_StyleDoc* GetPreviewDocument(CView* pView);
// The path the pane stored for the view's file; empty without the document.
CString GetPreviewPath(CView* pView);
// Tells the main frame that the view could not show its file.
void ReportPreviewFailure();
