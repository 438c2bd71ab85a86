// The file filters' name masks.
#include <gtest/gtest.h>

#include "save/MatchNameMask.h"

TEST(MatchNameMask, MasksAcceptAndReject)
{
    struct Case
    {
        const wchar_t* name;
        const wchar_t* mask;
        int match;
    } cases[] = {
        {L"REPORT.DOC", L"*.TXT", 0},    {L"REPORT.DOC", L"REP*", 1},     {L"REPORT.DOC", L"PORT", 1},
        {L"README", L"*.*", 0},          {L"README.TXT", L"*.*", 1},      {L"FILE1.TXT", L"FILE?.TXT", 1},
        {L"FILE12.TXT", L"FILE?.TXT", 0}, {L"ABCD", L"A?C", 1},           {L"X", L"*X", 0},
        {L"AX", L"*X", 1},               {L".DOC", L"*.DOC", 1},          {L"A.B.DOC", L"*.DOC", 1},
        {L"ABCDEF", L"A*D*F", 1},        {L"ANYTHING", L"*", 1},          {L"", L"*", 0},
        {L"NAME", L"", 0},               {L"AB", L"ABC", 0},              {L"NOTES.TXT", L"*.TXT", 1},
        {L"NOTES.TXT.BAK", L"*.TXT", 0}, {L"ABCDEF", L"A*D*G", 0},        {L"ABC", L"A**", 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.match, MatchNameMask(c.name, c.mask)) << testing::PrintToString(std::wstring(c.name)) << " " << testing::PrintToString(std::wstring(c.mask));
}
