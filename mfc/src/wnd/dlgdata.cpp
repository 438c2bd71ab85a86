// Dialog data exchange: UpdateData and the DDX_/DDV_ routines.
#include "wndstate.h"

#include <math.h>

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd), m_hWndLastControl(NULL), m_bEditLastControl(FALSE)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND hWndCtrl = NULL;
    m_pDlgWnd->GetDlgItem(nIDC, &hWndCtrl);
    if (hWndCtrl == NULL)
        AfxThrowNotSupportedException();   // no such control in the template
    m_hWndLastControl = hWndCtrl;
    m_bEditLastControl = FALSE;
    return hWndCtrl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND hWndCtrl = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hWndCtrl;
}

void CDataExchange::Fail()
{
    if (m_bSaveAndValidate && m_hWndLastControl != NULL)
    {
        // Back to the control with the bad value, its text selected.
        ::SetFocus(m_hWndLastControl);
        if (m_bEditLastControl)
            ::SendMessage(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    AfxThrowUserException();
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    // Control notifications caused by the exchange itself are not handled.
    _AFX_THREAD_STATE* pState = AfxGetThreadState();
    HWND hWndOldLockout = pState->m_hLockoutNotifyWindow;
    pState->m_hLockoutNotifyWindow = m_hWnd;
    BOOL bOK = FALSE;
    try
    {
        DoDataExchange(&dx);
        bOK = TRUE;
    }
    catch (CUserException* e)
    {
        e->Delete();   // the user has been told already
    }
    catch (CException* e)
    {
        e->Delete();
        AfxMessageBox(AFX_IDP_INTERNAL_FAILURE, MB_ICONSTOP);
    }
    pState->m_hLockoutNotifyWindow = hWndOldLockout;
    return bOK;
}

void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd == NULL)
    {
        HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
        if (!rControl.SubclassWindow(hWndCtrl))
            AfxThrowNotSupportedException();
    }
}

// ---------------------------------------------------------------------------
// Text

static void SetWindowTextIfChanged(HWND hWnd, LPCTSTR lpszNew)
{
    CString strOld;
    int nLen = ::GetWindowTextLength(hWnd);
    ::GetWindowText(hWnd, strOld.GetBufferSetLength(nLen), nLen + 1);
    strOld.ReleaseBuffer();
    if (strOld != lpszNew)
        ::SetWindowText(hWnd, lpszNew);
}

static CString GetControlText(HWND hWnd)
{
    CString str;
    int nLen = ::GetWindowTextLength(hWnd);
    ::GetWindowText(hWnd, str.GetBufferSetLength(nLen), nLen + 1);
    str.ReleaseBuffer();
    return str;
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = GetControlText(hWndCtrl);
    else
        SetWindowTextIfChanged(hWndCtrl, value);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, LPTSTR value, int nMaxLen)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        ::GetWindowText(hWndCtrl, value, nMaxLen);
        if (nMaxLen > 0 && ::GetWindowTextLength(hWndCtrl) >= nMaxLen)
        {
            CString strMax;
            strMax.Format(_T("%d"), nMaxLen - 1);
            CString strPrompt;
            AfxFormatString1(strPrompt, AFX_IDP_PARSE_STRING_SIZE, strMax);
            AfxMessageBox(strPrompt, MB_ICONEXCLAMATION, AFX_IDP_PARSE_STRING_SIZE);
            pDX->Fail();
        }
    }
    else
    {
        SetWindowTextIfChanged(hWndCtrl, value);
    }
}

// Parses a whole signed (or unsigned) integer; spaces around it are allowed.
static bool ParseInteger(LPCTSTR lpsz, bool bSigned, long long llMin, long long llMax, long long& llValue)
{
    while (*lpsz == ' ' || *lpsz == '\t')
        lpsz++;
    bool bNegative = false;
    if (*lpsz == '-' || *lpsz == '+')
    {
        bNegative = *lpsz == '-';
        if (bNegative && !bSigned)
            return false;
        lpsz++;
    }
    if (*lpsz < '0' || *lpsz > '9')
        return false;
    long long ll = 0;
    while (*lpsz >= '0' && *lpsz <= '9')
    {
        ll = ll * 10 + (*lpsz - '0');
        if (ll > llMax + 1)
            return false;
        lpsz++;
    }
    while (*lpsz == ' ' || *lpsz == '\t')
        lpsz++;
    if (*lpsz != 0)
        return false;
    if (bNegative)
        ll = -ll;
    if (ll < llMin || ll > llMax)
        return false;
    llValue = ll;
    return true;
}

template <class T>
static void DdxInteger(CDataExchange* pDX, int nIDC, T& value, bool bSigned, long long llMin, long long llMax,
                       UINT nIDPrompt)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        long long ll = 0;
        if (!ParseInteger(GetControlText(hWndCtrl), bSigned, llMin, llMax, ll))
        {
            AfxMessageBox(nIDPrompt, MB_ICONEXCLAMATION);
            pDX->Fail();
        }
        value = (T)ll;
    }
    else
    {
        CString str;
        if (bSigned)
            str.Format(_T("%lld"), (long long)value);
        else
            str.Format(_T("%llu"), (unsigned long long)value);
        SetWindowTextIfChanged(hWndCtrl, str);
    }
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    DdxInteger(pDX, nIDC, value, true, INT_MIN, INT_MAX, AFX_IDP_PARSE_INT);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
    DdxInteger(pDX, nIDC, value, false, 0, UINT_MAX, AFX_IDP_PARSE_UINT);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, long& value)
{
    DdxInteger(pDX, nIDC, value, true, LONG_MIN, LONG_MAX, AFX_IDP_PARSE_INT);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value)
{
    DdxInteger(pDX, nIDC, value, false, 0, 0xFFFFFFFFLL, AFX_IDP_PARSE_UINT);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, short& value)
{
    DdxInteger(pDX, nIDC, value, true, SHRT_MIN, SHRT_MAX, AFX_IDP_PARSE_INT);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value)
{
    DdxInteger(pDX, nIDC, value, false, 0, 255, AFX_IDP_PARSE_BYTE);
}

template <class T>
static void DdxFloat(CDataExchange* pDX, int nIDC, T& value, int nDigits)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        CString str = GetControlText(hWndCtrl);
        LPCTSTR lpsz = str;
        LPTSTR lpszEnd = NULL;
        double d = _tcstod(lpsz, &lpszEnd);
        while (lpszEnd != NULL && (*lpszEnd == ' ' || *lpszEnd == '\t'))
            lpszEnd++;
        if (lpszEnd == lpsz || lpszEnd == NULL || *lpszEnd != 0 || !isfinite(d))
        {
            AfxMessageBox(AFX_IDP_PARSE_REAL, MB_ICONEXCLAMATION);
            pDX->Fail();
        }
        value = (T)d;
    }
    else
    {
        CString str;
        str.Format(_T("%.*g"), nDigits, (double)value);
        SetWindowTextIfChanged(hWndCtrl, str);
    }
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, double& value)
{
    DdxFloat(pDX, nIDC, value, 15);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, float& value)
{
    DdxFloat(pDX, nIDC, value, 6);
}

// ---------------------------------------------------------------------------
// Buttons

void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = (int)::SendMessage(hWndCtrl, BM_GETCHECK, 0, 0);
    else
        ::SendMessage(hWndCtrl, BM_SETCHECK, (WPARAM)value, 0);
}

// nIDC is the first radio button of a group (WS_GROUP); value is the index of
// the checked button in the group, -1 for none.
void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = -1;
    int iButton = 0;
    do
    {
        if (::SendMessage(hWndCtrl, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON)
        {
            if (pDX->m_bSaveAndValidate)
            {
                if (::SendMessage(hWndCtrl, BM_GETCHECK, 0, 0) != 0)
                    value = iButton;
            }
            else
            {
                ::SendMessage(hWndCtrl, BM_SETCHECK, iButton == value, 0);
            }
            iButton++;
        }
        hWndCtrl = ::GetWindow(hWndCtrl, GW_HWNDNEXT);
    } while (hWndCtrl != NULL && !(::GetWindowLong(hWndCtrl, GWL_STYLE) & WS_GROUP));
}

void AFXAPI DDX_Scroll(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = ::GetScrollPos(hWndCtrl, SB_CTL);
    else
        ::SetScrollPos(hWndCtrl, SB_CTL, value, TRUE);
}

// ---------------------------------------------------------------------------
// List and combo boxes

void AFXAPI DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = (int)::SendMessage(hWndCtrl, LB_GETCURSEL, 0, 0);
    else
        ::SendMessage(hWndCtrl, LB_SETCURSEL, (WPARAM)index, 0);
}

void AFXAPI DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = (int)::SendMessage(hWndCtrl, CB_GETCURSEL, 0, 0);
    else
        ::SendMessage(hWndCtrl, CB_SETCURSEL, (WPARAM)index, 0);
}

static void DdxListString(CDataExchange* pDX, int nIDC, CString& value, bool bCombo, bool bExact)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    UINT msgGetCurSel = bCombo ? CB_GETCURSEL : LB_GETCURSEL;
    UINT msgGetTextLen = bCombo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN;
    UINT msgGetText = bCombo ? CB_GETLBTEXT : LB_GETTEXT;
    UINT msgSetCurSel = bCombo ? CB_SETCURSEL : LB_SETCURSEL;
    UINT msgSelect = bCombo ? CB_SELECTSTRING : LB_SELECTSTRING;
    UINT msgFindExact = bCombo ? CB_FINDSTRINGEXACT : LB_FINDSTRINGEXACT;
    if (pDX->m_bSaveAndValidate)
    {
        int nIndex = (int)::SendMessage(hWndCtrl, msgGetCurSel, 0, 0);
        if (nIndex != -1)
        {
            int nLen = (int)::SendMessage(hWndCtrl, msgGetTextLen, (WPARAM)nIndex, 0);
            ::SendMessage(hWndCtrl, msgGetText, (WPARAM)nIndex, (LPARAM)value.GetBufferSetLength(nLen));
            value.ReleaseBuffer();
        }
        else if (bCombo)
        {
            value = GetControlText(hWndCtrl);   // the edit part of a drop-down
        }
        else
        {
            value.Empty();
        }
    }
    else
    {
        int nIndex;
        if (bExact)
        {
            nIndex = (int)::SendMessage(hWndCtrl, msgFindExact, (WPARAM)-1, (LPARAM)(LPCTSTR)value);
            ::SendMessage(hWndCtrl, msgSetCurSel, (WPARAM)nIndex, 0);
        }
        else
        {
            nIndex = (int)::SendMessage(hWndCtrl, msgSelect, (WPARAM)-1, (LPARAM)(LPCTSTR)value);
        }
        if (nIndex == -1 && bCombo)
            ::SetWindowText(hWndCtrl, value);
    }
}

void AFXAPI DDX_LBString(CDataExchange* pDX, int nIDC, CString& value) { DdxListString(pDX, nIDC, value, false, false); }
void AFXAPI DDX_CBString(CDataExchange* pDX, int nIDC, CString& value) { DdxListString(pDX, nIDC, value, true, false); }
void AFXAPI DDX_LBStringExact(CDataExchange* pDX, int nIDC, CString& value) { DdxListString(pDX, nIDC, value, false, true); }
void AFXAPI DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value) { DdxListString(pDX, nIDC, value, true, true); }

// ---------------------------------------------------------------------------
// Validation

static void FailMinMax(CDataExchange* pDX, UINT nIDPrompt, LPCTSTR lpszMin, LPCTSTR lpszMax)
{
    if (!pDX->m_bSaveAndValidate)
        return;   // only values typed by the user are checked
    CString strPrompt;
    AfxFormatString2(strPrompt, nIDPrompt, lpszMin, lpszMax);
    AfxMessageBox(strPrompt, MB_ICONEXCLAMATION, nIDPrompt);
    pDX->Fail();
}

void AFXAPI DDV_MaxChars(CDataExchange* pDX, CString const& value, int nChars)
{
    if (pDX->m_bSaveAndValidate && value.GetLength() > nChars)
    {
        CString strMax;
        strMax.Format(_T("%d"), nChars);
        CString strPrompt;
        AfxFormatString1(strPrompt, AFX_IDP_PARSE_STRING_SIZE, strMax);
        AfxMessageBox(strPrompt, MB_ICONEXCLAMATION, AFX_IDP_PARSE_STRING_SIZE);
        pDX->Fail();
    }
    else if (!pDX->m_bSaveAndValidate && pDX->m_hWndLastControl != NULL && pDX->m_bEditLastControl)
    {
        ::SendMessage(pDX->m_hWndLastControl, EM_LIMITTEXT, (WPARAM)nChars, 0);
    }
}

template <class T>
static void DdvMinMax(CDataExchange* pDX, T value, T minVal, T maxVal, LPCTSTR lpszFormat, UINT nIDPrompt)
{
    if (value >= minVal && value <= maxVal)
        return;
    CString strMin, strMax;
    strMin.Format(lpszFormat, minVal);
    strMax.Format(lpszFormat, maxVal);
    FailMinMax(pDX, nIDPrompt, strMin, strMax);
}

void AFXAPI DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    DdvMinMax(pDX, value, minVal, maxVal, _T("%d"), AFX_IDP_PARSE_INT_RANGE);
}

void AFXAPI DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal)
{
    DdvMinMax(pDX, value, minVal, maxVal, _T("%u"), AFX_IDP_PARSE_INT_RANGE);
}

void AFXAPI DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal)
{
    DdvMinMax(pDX, value, minVal, maxVal, _T("%ld"), AFX_IDP_PARSE_INT_RANGE);
}

void AFXAPI DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal)
{
    DdvMinMax(pDX, value, minVal, maxVal, _T("%lu"), AFX_IDP_PARSE_INT_RANGE);
}

void AFXAPI DDV_MinMaxDouble(CDataExchange* pDX, double const& value, double minVal, double maxVal)
{
    DdvMinMax(pDX, value, minVal, maxVal, _T("%g"), AFX_IDP_PARSE_REAL_RANGE);
}
