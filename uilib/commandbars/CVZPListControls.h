// Helpers shared by the placeholders that expand into run-time lists.
#pragma once

#include <afxwin.h>

class CVZPControl;
class CVZPControls;

// Whether the object's run-time class, or one of its bases, has the name:
// a class of a library above this one is recognised without linking it.
BOOL VZPIsKindOfClassName(const CObject* pObject, LPCSTR lpszClassName);

// A generated list item: a temporary button with the id at the index, Flags
// 8 (its state is set here, not at idle time), no group mark.
CVZPControl* AddGeneratedItem(CVZPControls* pControls, UINT nId, int nIndex);

// The text of a numbered list item: '&' doubled, then "&1 " to "&9 ", "1&0 ",
// plain "11 " and up; number 0 leaves the text alone.
CString FormatMenuIndex(const CString& strText, int nNumber);
