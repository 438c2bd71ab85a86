#include "database/VariantToText.h"

#include <stdio.h>

#include "database/DaoViewerSettings.h"

namespace {

// The names of the types 0 to 72; null where a type has no name (14, 15, 32
// to 63).
const wchar_t* TypeName(unsigned vt)
{
    static const wchar_t* const kLow[] = {
        L"VT_EMPTY", L"VT_NULL", L"VT_I2", L"VT_I4", L"VT_R4", L"VT_R8", L"VT_CY", L"VT_DATE", L"VT_BSTR",
        L"VT_DISPATCH", L"VT_ERROR", L"VT_BOOL", L"VT_VARIANT", L"VT_UNKNOWN", nullptr, nullptr, L"VT_I1",
        L"VT_UI1", L"VT_UI2", L"VT_UI4", L"VT_I8", L"VT_UI8", L"VT_INT", L"VT_UINT", L"VT_VOID", L"VT_HRESULT",
        L"VT_PTR", L"VT_SAFEARRAY", L"VT_CARRAY", L"VT_USERDEFINED", L"VT_LPSTR", L"VT_LPWSTR"};
    static const wchar_t* const kHigh[] = {L"VT_FILETIME", L"VT_BLOB", L"VT_STREAM", L"VT_STORAGE",
                                           L"VT_STREAMED_OBJECT", L"VT_STORED_OBJECT", L"VT_BLOB_OBJECT",
                                           L"VT_CF", L"VT_CLSID"};
    if (vt < 32)
        return kLow[vt];
    if (vt >= 64 && vt <= 72)
        return kHigh[vt - 64];
    return nullptr;
}

CString Format(const wchar_t* format, ...)
{
    wchar_t text[512];
    va_list args;
    va_start(args, format);
    vswprintf(text, 512, format, args);
    va_end(args);
    return CString(text);
}

}  // namespace

DaoViewerSettings GetDaoViewerSettings()
{
    DaoViewerSettings settings;
    if (const IDaoViewerSettings* source = dynamic_cast<const IDaoViewerSettings*>(AfxGetApp())) {
        settings.bSystemObjects = source->DaoSystemObjects();
        settings.bConfirmDelete = source->DaoConfirmDelete();
        settings.nRecordLimit = source->DaoRecordLimit();
    }
    return settings;
}

CString VariantToText(const VARIANT& v)
{
    unsigned vt = v.vt;
    const bool plain = (vt & (VT_ARRAY | VT_BYREF)) == 0;
    CString text;
    if (plain) {
        switch (vt) {
        case VT_EMPTY:
        case VT_NULL:
            text = _T("NULL");
            break;
        case VT_I2:
            text = Format(L"%hd", v.iVal);
            break;
        case VT_I4:
            text = Format(L"%d", (int)v.lVal);
            break;
        case VT_R4:
            text = Format(L"%e", (double)v.fltVal);
            break;
        case VT_R8:
            text = Format(L"%e", v.dblVal);
            break;
        case VT_CY:
            text = COleCurrency(v.cyVal).Format(0, LANG_USER_DEFAULT);
            break;
        case VT_DATE:
            text = COleDateTime(v.date).Format(_T("%m %d %y"));
            break;
        case VT_BSTR:
            text = v.bstrVal != NULL ? CString(v.bstrVal) : CString();
            break;
        case VT_BOOL:
            return v.boolVal ? _T("TRUE") : _T("FALSE");
        case VT_UI1:
            text = Format(L"0x%02hX", (unsigned short)v.bVal);
            break;
        default: {
            const wchar_t* name = TypeName(vt);
            text = name != nullptr ? name : L"Fish";
        }
        }
        return text;
    }
    // Arrays and references name their element type.
    if (vt & VT_ARRAY) {
        text = _T("Array of ");
        vt &= ~VT_ARRAY;
    }
    if (vt & VT_BYREF) {
        text += _T("Pointer to ");
        vt &= ~VT_BYREF;
    }
    if (vt <= 72)
        if (const wchar_t* name = TypeName(vt))
            text += name;
    return text;
}
