#include "save/MatchNameMask.h"

#include <string>

namespace {

bool EndsWith(const std::wstring& n, const std::wstring& s)
{
    return n.size() >= s.size() && n.compare(n.size() - s.size(), s.size(), s) == 0;
}

bool IsWild(wchar_t c) { return c == L'*' || c == L'?'; }

}  // namespace

int MatchNameMask(const wchar_t* name, const wchar_t* mask)
{
    std::wstring N = name ? name : L"", M = mask ? mask : L"";
    if (N.empty() || M.empty())
        return 0;
    bool hasStar = M.find(L'*') != std::wstring::npos;
    if (!hasStar && M.size() > N.size())
        return 0;
    if (M == L"*")
        return 1;
    if (M == L"*.*")
        return N.find(L'.') != std::wstring::npos;
    if (!hasStar && M.find(L'?') == std::wstring::npos)
        return N.find(M) != std::wstring::npos;
    while (M.size() >= 2 && M[M.size() - 1] == L'*' && M[M.size() - 2] == L'*')
        M.pop_back();
    const size_t n = N.size(), m = M.size();
    size_t i = 0, j = 0;
    bool afterStar = false;
    std::wstring S;
    while (j < m) {
        wchar_t c = M[j];
        if (c == L'*') {
            S.clear();
            afterStar = true;
            if (j == m - 1)
                return 1;
            size_t t = j;
            if (IsWild(M[j + 1])) {
                t = j + 1;
                while (t < m && IsWild(M[t]))
                    ++t;
                if (t >= m)
                    return 1;
                if (t == m - 1)
                    return N.back() == M[t];
                --t;
            }
            ++i;   // a star takes at least one character
            if (i >= n && t + 1 < m)
                return t + 2 == m && M[t] == L'*' && N.find(M[t + 1], t + 1) != std::wstring::npos;
            j = t + 1;
        } else if (c == L'?' && j == m - 1) {
            S += L'?';
            std::wstring tail = N.size() > S.size() ? N.substr(N.size() - S.size()) : N;
            tail.back() = L'?';
            return tail == S;
        } else if (c == L'?') {
            if ((i + 1 > m && j + 1 < m) || (j + 2 < m && i + 1 >= n))
                return 0;
            ++i;
            ++j;
        } else if (!afterStar) {
            if (i >= n || c != N[i])
                return 0;
            ++i;
            ++j;
        } else if (i < n && c == N[i]) {
            if (j + 2 < m && i + 1 >= n)
                return 0;
            S += c;
            if (j == m - 1)
                return EndsWith(N, S);
            ++i;
            ++j;
        } else {
            S += c;
            if (j == m - 1)
                return EndsWith(N, S);
            size_t pos = N.find(S, i > 0 ? i - 1 : 0);
            if (pos == std::wstring::npos)
                return 0;
            i = pos + S.size() - 1;
            if (i + 1 >= n)
                return j + 1 == m;
            ++i;
            ++j;
        }
    }
    return 1;
}
