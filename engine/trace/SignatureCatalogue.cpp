#include "trace/SignatureCatalogue.h"

#include <windows.h>

#include "common/ByteOrder.h"
#include "trace/SignatureSelection.h"
#include "trace/TraceText.h"

namespace {

const wchar_t* const kCategoryNames[10] = {
    L"Archive Files", L"Document Files", L"Database Files", L"E-mail Files", L"Graphics Files",
    L"Sound Files",   L"Media Files",    L"Internet Files", L"CAD Files",    L"Other Files",
};

enum { MaxFieldLength = 255 };

std::wstring AnsiToWide(const unsigned char* text, size_t n)
{
    if (n == 0)
        return std::wstring();
    int len = MultiByteToWideChar(CP_ACP, 0, (const char*)text, (int)n, NULL, 0);
    std::wstring out(len > 0 ? len : 0, L'\0');
    if (len > 0)
        MultiByteToWideChar(CP_ACP, 0, (const char*)text, (int)n, &out[0], len);
    return out;
}

// One length-prefixed field at data + pos; advances pos. False when the
// field does not fit in the remaining data.
bool TakeField(const unsigned char* data, size_t size, size_t& pos, const unsigned char*& field, size_t& length)
{
    if (size - pos < 2)
        return false;
    length = le16(data + pos);
    pos += 2;
    if (size - pos < length)
        return false;
    field = data + pos;
    pos += length;
    return true;
}

}  // namespace

std::wstring CatalogueCategoryText(char category)
{
    if (category >= '0' && category <= '9')
        return kCategoryNames[category - '0'];
    return std::wstring(1, (wchar_t)(unsigned char)category);
}

size_t ParseCatalogue(const unsigned char* data, size_t size, std::vector<CatalogueRecord>& records)
{
    size_t pos = 0;
    size_t taken = 0;
    int index = 0;
    while (pos < size) {
        if (size - pos < 3)
            break;
        char category = (char)data[pos + 2];
        pos += 3;
        const unsigned char* fields[5];
        size_t lengths[5];
        bool complete = true;
        bool oversized = false;
        for (int i = 0; i < 5 && complete; ++i) {
            complete = TakeField(data, size, pos, fields[i], lengths[i]);
            if (complete && lengths[i] > MaxFieldLength)
                oversized = true;
        }
        if (!complete)
            break;
        if (!oversized) {
            CatalogueRecord r;
            r.index = index;
            r.category = category;
            r.extension = AnsiToWide(fields[0], lengths[0]);
            r.description = AnsiToWide(fields[1], lengths[1]);
            r.compareLength = AnsiToWide(fields[2], lengths[2]);
            r.signature = BytesToUpperHex(fields[3], lengths[3]);
            r.fifthField = BytesToUpperHex(fields[4], lengths[4]);
            records.push_back(r);
            ++taken;
        }
        ++index;
    }
    return taken;
}

int LoadCatalogue(const wchar_t* path, std::vector<CatalogueRecord>& records)
{
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    LARGE_INTEGER size;
    std::vector<unsigned char> data;
    int ok = GetFileSizeEx(file, &size) && size.QuadPart < 16 * 1024 * 1024;
    if (ok) {
        data.resize((size_t)size.QuadPart);
        DWORD got = 0;
        ok = data.empty() || (ReadFile(file, &data[0], (DWORD)data.size(), &got, NULL) && got == data.size());
    }
    CloseHandle(file);
    if (!ok)
        return 0;
    if (!data.empty())
        ParseCatalogue(&data[0], data.size(), records);
    return 1;
}

std::wstring CataloguePath(const std::wstring& programFolder)
{
    std::wstring path = programFolder;
    if (!path.empty() && path.back() != L'\\')
        path += L'\\';
    return path + L"Raw.dat";
}

unsigned AppendCatalogueSignatures(const std::vector<CatalogueRecord>& records, const wchar_t* extension)
{
    unsigned taken = 0;
    for (size_t i = records.size(); i-- > 0;) {
        const CatalogueRecord& r = records[i];
        if (r.extension != extension)
            continue;
        std::string signature(r.signature.begin(), r.signature.end());
        std::string fifth(r.fifthField.begin(), r.fifthField.end());
        AppendSignatureSelection(r.extension.c_str(), r.description.c_str(), (uint32_t)_wtol(r.compareLength.c_str()),
                                 signature.c_str(), FifthFieldValue(fifth.c_str()));
        ++taken;
    }
    return taken;
}
