// One row of UTF-16 strings, each a heap copy with its length and hash.
#pragma once

#include <windows.h>

#include <vector>

class CHtmlStringList
{
public:
    CHtmlStringList() = default;
    ~CHtmlStringList();
    CHtmlStringList(const CHtmlStringList&) = delete;
    CHtmlStringList& operator=(const CHtmlStringList&) = delete;

    // h = h * 255 + c over the characters, 32-bit and wrapping; 0 for "".
    static DWORD Hash(const wchar_t* text, int length);

    // Removes every string.
    void Clear();
    // Removes every string and releases the arrays.
    void Free();
    // Appends a copy of length characters of text (the whole text for -1).
    // Returns 0 for a null text, else 1.
    int Append(const wchar_t* text, int length = -1);
    // Replaces the string at index by a copy; 0 when index is out of range.
    int Set(int index, const wchar_t* text, int length = -1);
    // The string at index, or "" (length 0) out of range.
    const wchar_t* Get(int index, int* length = nullptr) const;
    DWORD GetHash(int index) const;
    int GetCount() const { return (int)m_strings.size(); }

private:
    static wchar_t* Copy(const wchar_t* text, int length);

    std::vector<int> m_lengths;
    std::vector<wchar_t*> m_strings;
    std::vector<DWORD> m_hashes;
};
