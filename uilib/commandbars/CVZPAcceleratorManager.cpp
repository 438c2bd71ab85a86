#include "CVZPAcceleratorManager.h"

#include "CVZPCommandBars.h"

namespace {

const wchar_t kAcceleratorsEntry[] = L"Accelerators";

struct KeyName
{
    UINT nKey;
    const wchar_t* pszName;
};

// The built-in names of the keys that are neither digits, letters, function
// keys nor number-pad digits.
const KeyName kKeyNames[] = {
    {0x01, L"Left Button"}, {0x02, L"Right Button"}, {0x03, L"Ctrl+Break"}, {0x04, L"Middle Button"},
    {0x08, L"Backspace"},   {0x09, L"Tab"},          {0x0C, L"Clear"},      {0x0D, L"Enter"},
    {0x10, L"Shift"},       {0x11, L"Ctrl"},         {0x12, L"Alt"},        {0x13, L"Pause"},
    {0x14, L"Caps Lock"},   {0x1B, L"Esc"},          {0x20, L"Space"},      {0x21, L"Page Up"},
    {0x22, L"Page Down"},   {0x23, L"End"},          {0x24, L"Home"},       {0x25, L"Left Arrow"},
    {0x26, L"Up Arrow"},    {0x27, L"Right Arrow"},  {0x28, L"Down Arrow"}, {0x29, L"Select"},
    {0x2A, L"Print"},       {0x2B, L"Execute"},      {0x2C, L"Snapshot"},   {0x2D, L"Ins"},
    {0x2E, L"Del"},         {0x2F, L"Help"},         {0x5B, L"Left Windows"}, {0x5C, L"Right Windows"},
    {0x5D, L"Application"}, {0x6A, L"Num *"},        {0x6B, L"Num +"},      {0x6C, L"Separator"},
    {0x6D, L"Num -"},       {0x6E, L"Num ."},        {0x6F, L"Num /"},      {0x90, L"Num Lock"},
    {0x91, L"Scrl Lock"},   {0xF6, L"Attn"},         {0xF7, L"Crsel"},      {0xF8, L"Exsel"},
    {0xF9, L"Ereof"},       {0xFA, L"Play"},         {0xFB, L"Zoom"},       {0xFC, L"No Name"},
    {0xFD, L"Pa1"},         {0xFE, L"Oem Clear"},
};

// Ctrl first, then Alt, then Shift, and a key without modifiers above all.
int Priority(BYTE fVirt)
{
    if (fVirt & FCONTROL)
        return 3;
    if (fVirt & FALT)
        return 2;
    if (fVirt & FSHIFT)
        return 1;
    return 4;
}

}  // namespace

CVZPAcceleratorManager::CVZPAcceleratorManager(CVZPCommandBars* pCommandBars)
    : m_bAllowEscapeShortcut(FALSE), m_bUseSystemKeyNames(FALSE), m_nDisableCount(0), m_pCommandBars(pCommandBars),
      m_hAccelTable(NULL), m_hOriginalAccelTable(NULL), m_mapKeyNames(10)
{
    m_mapKeyNames.InitHashTable(17);
    CString strName;
    for (UINT nKey = 0x30; nKey <= 0x39; nKey++)
        m_mapKeyNames[nKey] = CString((WCHAR)nKey);
    for (UINT nKey = 0x41; nKey <= 0x5A; nKey++)
        m_mapKeyNames[nKey] = CString((WCHAR)nKey);
    for (UINT nKey = 0x70; nKey <= 0x7B; nKey++)
    {
        strName.Format(L"F%u", nKey - 0x70 + 1);
        m_mapKeyNames[nKey] = strName;
    }
    for (UINT nKey = 0x60; nKey <= 0x69; nKey++)
    {
        strName.Format(L"Num %u", nKey - 0x60);
        m_mapKeyNames[nKey] = strName;
    }
    for (const KeyName& k : kKeyNames)
        m_mapKeyNames[k.nKey] = k.pszName;
}

CVZPAcceleratorManager::~CVZPAcceleratorManager()
{
    if (m_hAccelTable != NULL)
        ::DestroyAcceleratorTable(m_hAccelTable);
    if (m_hOriginalAccelTable != NULL)
        ::DestroyAcceleratorTable(m_hOriginalAccelTable);
}

// ---------------------------------------------------------------------------
// Tables

void CVZPAcceleratorManager::GetEntries(HACCEL hAccel, CArray<ACCEL, ACCEL&>& entries)
{
    entries.RemoveAll();
    const int nCount = hAccel != NULL ? ::CopyAcceleratorTableW(hAccel, NULL, 0) : 0;
    if (nCount <= 0)
        return;
    entries.SetSize(nCount);
    const int nCopied = ::CopyAcceleratorTableW(hAccel, entries.GetData(), nCount);
    entries.SetSize(nCopied > 0 ? nCopied : 0);
}

HACCEL AFX_CDECL CVZPAcceleratorManager::CopyAccelTable(HACCEL hAccel)
{
    CArray<ACCEL, ACCEL&> entries;
    GetEntries(hAccel, entries);
    if (entries.GetSize() == 0)
        return NULL;
    return ::CreateAcceleratorTableW(entries.GetData(), (int)entries.GetSize());
}

BOOL CVZPAcceleratorManager::LoadAcceleratorResource(UINT nIDResource)
{
    if (m_hAccelTable != NULL)
        ::DestroyAcceleratorTable(m_hAccelTable);
    if (m_hOriginalAccelTable != NULL)
        ::DestroyAcceleratorTable(m_hOriginalAccelTable);
    m_hAccelTable = NULL;
    m_hOriginalAccelTable = NULL;

    HINSTANCE hInstance = AfxFindResourceHandle(MAKEINTRESOURCE(nIDResource), RT_ACCELERATOR);
    if (hInstance == NULL || ::FindResourceW(hInstance, MAKEINTRESOURCE(nIDResource), RT_ACCELERATOR) == NULL)
        return FALSE;
    HACCEL hLoaded = ::LoadAcceleratorsW(hInstance, MAKEINTRESOURCE(nIDResource));
    if (hLoaded == NULL)
        return FALSE;
    // Two separate copies: the current one is replaced and destroyed freely.
    m_hOriginalAccelTable = CopyAccelTable(hLoaded);
    m_hAccelTable = CopyAccelTable(hLoaded);
    ::DestroyAcceleratorTable(hLoaded);
    return m_hOriginalAccelTable != NULL;
}

void CVZPAcceleratorManager::Reset()
{
    if (m_hAccelTable != NULL)
        ::DestroyAcceleratorTable(m_hAccelTable);
    m_hAccelTable = CopyAccelTable(m_hOriginalAccelTable);
}

void CVZPAcceleratorManager::SetAccelTable(const ACCEL* pEntries, int nCount)
{
    HACCEL hNew = nCount > 0 && pEntries != NULL ? ::CreateAcceleratorTableW(const_cast<ACCEL*>(pEntries), nCount)
                                                 : NULL;
    if (m_hAccelTable != NULL)
        ::DestroyAcceleratorTable(m_hAccelTable);
    m_hAccelTable = hNew;
}

BOOL CVZPAcceleratorManager::TranslateAccelerator(HWND hWnd, MSG* pMsg)
{
    if (m_nDisableCount > 0 || m_hAccelTable == NULL)
        return FALSE;
    return ::TranslateAcceleratorW(hWnd, m_hAccelTable, pMsg) != 0;
}

void CVZPAcceleratorManager::SaveAccelerators(LPCTSTR lpszProfileName)
{
    if (m_hOriginalAccelTable == NULL)
        return;
    CArray<ACCEL, ACCEL&> entries;
    GetEntries(m_hAccelTable, entries);
    // The records as stored: six bytes each, whatever the structure's padding.
    CByteArray data;
    data.SetSize(entries.GetSize() * 6);
    for (INT_PTR i = 0; i < entries.GetSize(); i++)
    {
        BYTE* p = data.GetData() + i * 6;
        p[0] = entries[i].fVirt;
        p[1] = 0;
        p[2] = LOBYTE(entries[i].key);
        p[3] = HIBYTE(entries[i].key);
        p[4] = LOBYTE(entries[i].cmd);
        p[5] = HIBYTE(entries[i].cmd);
    }
    AfxGetApp()->WriteProfileBinary(lpszProfileName, kAcceleratorsEntry, data.GetData(), (UINT)data.GetSize());
}

void CVZPAcceleratorManager::LoadAccelerators(LPCTSTR lpszProfileName)
{
    if (m_hOriginalAccelTable == NULL)
        return;
    LPBYTE pData = NULL;
    UINT nBytes = 0;
    if (!AfxGetApp()->GetProfileBinary(lpszProfileName, kAcceleratorsEntry, &pData, &nBytes) || pData == NULL)
    {
        delete[] pData;
        return;
    }
    const int nCount = (int)(nBytes / 6);
    CArray<ACCEL, ACCEL&> entries;
    entries.SetSize(nCount);
    for (int i = 0; i < nCount; i++)
    {
        const BYTE* p = pData + i * 6;
        entries[i].fVirt = p[0];
        entries[i].key = MAKEWORD(p[2], p[3]);
        entries[i].cmd = MAKEWORD(p[4], p[5]);
    }
    delete[] pData;
    SetAccelTable(entries.GetData(), nCount);
}

// ---------------------------------------------------------------------------
// Texts

BOOL CVZPAcceleratorManager::GetShortcutText(UINT nCommand, CString& strText)
{
    HACCEL hAccel = m_hAccelTable;
    if (hAccel == NULL && m_hOriginalAccelTable == NULL && m_pCommandBars != NULL)
    {
        CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, m_pCommandBars->GetSite());
        if (pFrame != NULL)
            hAccel = pFrame->m_hAccelTable;
    }
    if (hAccel == NULL)
        return FALSE;

    CArray<ACCEL, ACCEL&> entries;
    GetEntries(hAccel, entries);
    CString strKept;
    int nKept = 0;
    BOOL bFound = FALSE;
    BOOL bMatch = FALSE;
    for (INT_PTR i = 0; i < entries.GetSize(); i++)
    {
        if (entries[i].cmd != (WORD)nCommand)
            continue;
        bFound = TRUE;
        int nPriority = 0;
        const CString strEntry = FormatAccel(entries[i], &nPriority);
        if (strEntry == strText)
            bMatch = TRUE;
        if (strKept.IsEmpty() || nPriority > nKept)
        {
            strKept = strEntry;
            nKept = nPriority;
        }
    }
    if (!bFound)
    {
        strText.Empty();
        return FALSE;
    }
    if (!bMatch)
        strText = strKept;
    return TRUE;
}

CString CVZPAcceleratorManager::FormatAccel(const ACCEL& accel, int* pnPriority)
{
    if (pnPriority != NULL)
        *pnPriority = Priority(accel.fVirt);
    CString strText;
    if (accel.key != 3)
    {
        const struct
        {
            BYTE fFlag;
            UINT nKey;
        } modifiers[] = {{FCONTROL, VK_CONTROL}, {FSHIFT, VK_SHIFT}, {FALT, VK_MENU}};
        for (const auto& m : modifiers)
        {
            if ((accel.fVirt & m.fFlag) == 0)
                continue;
            const CString strName = GetKeyName(m.nKey);
            if (!strName.IsEmpty())
                strText += strName + L"+";
        }
    }
    if (accel.key != 0)
    {
        if (accel.fVirt & FVIRTKEY)
            strText += GetKeyName(accel.key);
        else if (accel.key != 27 && accel.key != 9)
            strText += (WCHAR)accel.key;
    }
    else if (!strText.IsEmpty())
        strText.Delete(strText.GetLength() - 1);
    return strText;
}

CString CVZPAcceleratorManager::GetLayoutKeyName(UINT nKey) const
{
    if (nKey == 3)
        return CString();
    const UINT nScan = ::MapVirtualKeyExW(nKey, 0, ::GetKeyboardLayout(0));
    LONG lParam = (LONG)((nScan << 16) | 1);
    if (nKey >= 0x21 && nKey <= 0x2F)
        lParam |= 0x1000000;
    WCHAR szName[50] = {};
    if (::GetKeyNameTextW(lParam, szName, _countof(szName)) <= 0)
        return CString();
    CString strName(szName);
    strName.MakeLower();
    for (int i = 0; i < strName.GetLength(); i++)
        if (::IsCharLowerW(strName[i]))
        {
            strName.SetAt(i, (WCHAR)(UINT_PTR)::CharUpperW((LPWSTR)(UINT_PTR)strName[i]));
            break;
        }
    return strName;
}

CString CVZPAcceleratorManager::GetKeyName(UINT nKey)
{
    CString strName;
    if (m_bUseSystemKeyNames)
        strName = GetLayoutKeyName(nKey);
    if (strName.IsEmpty())
        m_mapKeyNames.Lookup(nKey, strName);
    if (strName.IsEmpty() && !m_bUseSystemKeyNames)
        strName = GetLayoutKeyName(nKey);
    return strName;
}

BOOL CVZPAcceleratorManager::IsAllowedAccel(ACCEL accel)
{
    if ((accel.fVirt & FVIRTKEY) && (accel.fVirt & (FSHIFT | FCONTROL | FALT)) == 0 && accel.key == 27 &&
        !m_bAllowEscapeShortcut)
        return FALSE;
    return TRUE;
}

BOOL AFX_CDECL CVZPAcceleratorManager::MatchesAccelKey(WCHAR ch, UINT nKey)
{
    if (LOWORD(::MapVirtualKeyW(nKey, MAPVK_VK_TO_CHAR)) == 0)
        return FALSE;
    WCHAR chUpper = (WCHAR)(UINT_PTR)::CharUpperW((LPWSTR)(UINT_PTR)ch);
    if (nKey == ch || nKey == chUpper)
        return TRUE;
    HKL layouts[16];
    const int nLayouts = ::GetKeyboardLayoutList(16, layouts);
    if (nLayouts <= 1)
        return FALSE;
    BYTE state[256];
    if (!::GetKeyboardState(state))
        return FALSE;
    for (int i = 0; i < nLayouts; i++)
    {
        WCHAR buffer[2] = {};
        if (::ToUnicodeEx(nKey, 0, state, buffer, 1, 0, layouts[i]) != 1)
            continue;
        WCHAR chKey = (WCHAR)(UINT_PTR)::CharUpperW((LPWSTR)(UINT_PTR)buffer[0]);
        if (buffer[0] == ch || chKey == chUpper)
            return TRUE;
    }
    return FALSE;
}
