#include "CShellIcons.h"

#include <shellapi.h>

namespace {

// The icon index of SHGetFileInfoW for a name that need not exist.
int IconIndexFor(LPCTSTR lpszName, DWORD dwAttributes, BOOL bSmall)
{
    SHFILEINFOW info = {};
    UINT uFlags = SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES | (bSmall ? SHGFI_SMALLICON : 0);
    if (::SHGetFileInfoW(lpszName, dwAttributes, &info, sizeof(info), uFlags) == 0)
        return -1;
    return info.iIcon;
}

}  // namespace

CShellIcons::CShellIcons() = default;

CShellIcons::~CShellIcons() = default;

HIMAGELIST CShellIcons::GetSystemImageList(BOOL bSmall)
{
    SHFILEINFOW info = {};
    UINT uFlags = SHGFI_SYSICONINDEX | (bSmall ? SHGFI_SMALLICON : 0);
    return (HIMAGELIST)::SHGetFileInfoW(L"c:\\", 0, &info, sizeof(info), uFlags);
}

int CShellIcons::GetFileIconIndex(CString strName, BOOL bSmall)
{
    return IconIndexFor(strName, FILE_ATTRIBUTE_NORMAL, bSmall);
}

int CShellIcons::GetFolderIconIndex(BOOL bSmall)
{
    return IconIndexFor(L"folder", FILE_ATTRIBUTE_DIRECTORY, bSmall);
}

CString CShellIcons::GetFileTypeName(CString strName)
{
    SHFILEINFOW info = {};
    if (::SHGetFileInfoW(strName, FILE_ATTRIBUTE_NORMAL, &info, sizeof(info),
                         SHGFI_TYPENAME | SHGFI_USEFILEATTRIBUTES) == 0)
        return CString();
    info.szTypeName[_countof(info.szTypeName) - 1] = 0;
    return CString(info.szTypeName);
}
