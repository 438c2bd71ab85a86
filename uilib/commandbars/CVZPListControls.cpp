#include "CVZPListControls.h"

#include "CVZPControlButton.h"
#include "CVZPControls.h"

BOOL VZPIsKindOfClassName(const CObject* pObject, LPCSTR lpszClassName)
{
    if (pObject == NULL)
        return FALSE;
    for (const CRuntimeClass* pClass = pObject->GetRuntimeClass(); pClass != NULL; pClass = pClass->m_pBaseClass)
        if (lstrcmpA(pClass->m_lpszClassName, lpszClassName) == 0)
            return TRUE;
    return FALSE;
}

CVZPControl* AddGeneratedItem(CVZPControls* pControls, UINT nId, int nIndex)
{
    CVZPControl* pItem = pControls->AddControl(new CVZPControlButton, (int)nId, NULL, nIndex, TRUE);
    pItem->SetFlags(CVZPControl::flagNoUpdate);
    pItem->SetBeginGroup(FALSE);
    return pItem;
}

CString FormatMenuIndex(const CString& strText, int nNumber)
{
    CString strEscaped = strText;
    strEscaped.Replace(_T("&"), _T("&&"));
    CString strResult;
    if (nNumber == 0)
        strResult = strEscaped;
    else if (nNumber < 10)
        strResult.Format(_T("&%i %s"), nNumber, (LPCTSTR)strEscaped);
    else if (nNumber == 10)
        strResult.Format(_T("1&0 %s"), (LPCTSTR)strEscaped);
    else
        strResult.Format(_T("%i %s"), nNumber, (LPCTSTR)strEscaped);
    return strResult;
}
