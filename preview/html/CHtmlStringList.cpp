#include "CHtmlStringList.h"

#include <string.h>
#include <wchar.h>

CHtmlStringList::~CHtmlStringList()
{
    Clear();
}

DWORD CHtmlStringList::Hash(const wchar_t* text, int length)
{
    DWORD h = 0;
    for (int i = 0; i < length; ++i)
        h = h * 255 + (DWORD)text[i];
    return h;
}

wchar_t* CHtmlStringList::Copy(const wchar_t* text, int length)
{
    wchar_t* copy = new wchar_t[(size_t)length + 1];
    if (length)
        memcpy(copy, text, (size_t)length * sizeof(wchar_t));
    copy[length] = 0;
    return copy;
}

void CHtmlStringList::Clear()
{
    for (wchar_t* s : m_strings)
        delete[] s;
    m_strings.clear();
    m_lengths.clear();
    m_hashes.clear();
}

void CHtmlStringList::Free()
{
    Clear();
    m_strings.shrink_to_fit();
    m_lengths.shrink_to_fit();
    m_hashes.shrink_to_fit();
}

int CHtmlStringList::Append(const wchar_t* text, int length)
{
    if (!text)
        return 0;
    if (length < 0)
        length = (int)wcslen(text);
    m_strings.push_back(Copy(text, length));
    m_lengths.push_back(length);
    m_hashes.push_back(Hash(text, length));
    return 1;
}

int CHtmlStringList::Set(int index, const wchar_t* text, int length)
{
    if (index < 0 || index >= GetCount() || !text)
        return 0;
    if (length < 0)
        length = (int)wcslen(text);
    wchar_t* old = m_strings[index];
    m_strings[index] = Copy(text, length);
    m_lengths[index] = length;
    m_hashes[index] = Hash(text, length);
    delete[] old;
    return 1;
}

const wchar_t* CHtmlStringList::Get(int index, int* length) const
{
    if (index < 0 || index >= GetCount() || !m_strings[index]) {
        if (length)
            *length = 0;
        return L"";
    }
    if (length)
        *length = m_lengths[index];
    return m_strings[index];
}

DWORD CHtmlStringList::GetHash(int index) const
{
    return index >= 0 && index < GetCount() ? m_hashes[index] : 0;
}
