// Native driver for the HTML renderer's window-free code: the decoders, the
// colour reader, the tag lookup, the string tables, URL resolution and form
// encoding, fed with deterministic random texts in buffers of their exact
// size, so the sanitizers see any read or write past a text.
//   html_native [ROUNDS]
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <wchar.h>

#include <string>

#include "html/CHtmlStringTable.h"
#include "html/HtmlUrl.h"
#include "html/HtmlVocabulary.h"

namespace {

unsigned g_seed = 12345;

unsigned Next()
{
    g_seed = g_seed * 1103515245u + 12345u;
    return g_seed >> 8;
}

// Characters that steer the code under test into its branches.
const wchar_t kAlphabet[] = L"&#;xX0123456789 amplt:/.\\?=fie:hp%A\x00A0\x0097\x00C2\x00C3\x00A9\x0080\x00BF"
                            L"\x20AC\xD83D\xDE00";

std::wstring RandomText(size_t maxLength)
{
    size_t n = Next() % (maxLength + 1);
    std::wstring text;
    for (size_t i = 0; i < n; ++i) {
        unsigned pick = Next() % 8;
        if (pick == 0 && i + 6 < n) {
            text += g_HtmlReferences[Next() % HTML_REFERENCE_COUNT].name;
        } else if (pick == 1) {
            text += L"../";
        } else {
            text += kAlphabet[Next() % (sizeof(kAlphabet) / sizeof(wchar_t) - 1)];
        }
    }
    return text;
}

// A heap copy of exactly text.size() + 1 characters.
wchar_t* ExactCopy(const std::wstring& text)
{
    wchar_t* copy = new wchar_t[text.size() + 1];
    wmemcpy(copy, text.c_str(), text.size() + 1);
    return copy;
}

int g_failures = 0;

void Check(bool ok, const char* what)
{
    if (!ok) {
        fprintf(stderr, "html_native: %s\n", what);
        ++g_failures;
    }
}

void RunRound()
{
    std::wstring text = RandomText(40);
    wchar_t* a = ExactCopy(text);
    HtmlDecodeEntities(a);
    Check(wcslen(a) <= text.size(), "entity decoding made the text longer");
    HtmlDecodeUtf8Pairs(a);
    delete[] a;

    wchar_t* c = ExactCopy(text.substr(0, Next() % 8));
    HtmlParseColor(c);
    HtmlFindTag(c, Next() % 2 != 0);
    delete[] c;

    std::wstring base = RandomText(30);
    std::wstring url = RandomText(20);
    wchar_t* b = ExactCopy(base);
    wchar_t* u = ExactCopy(url);
    std::wstring resolved;
    if (HtmlResolveUrl(u, b, resolved))
        Check(resolved.size() <= HTML_MAX_RESOLVED_URL, "resolved URL too long");
    delete[] b;
    delete[] u;

    std::wstring query;
    HtmlAppendQueryField(query, L"n", text.c_str());
    std::wstring get = HtmlMakeGetUrl(base.c_str(), query);
    for (wchar_t ch : HtmlUrlEncode(text.c_str()))
        Check(ch < 0x80 && ch != L' ' && ch != L'&', "encoded value not plain ASCII");

    CHtmlStringTable table;
    int rows = (int)(Next() % 4);
    for (int r = 0; r < rows; ++r) {
        table.AddRow();
        table.AppendCell(r, text.c_str(), (int)(Next() % (text.size() + 1)));
    }
    int row = (int)(Next() % 6) - 1;
    table.SetCell(row, (int)(Next() % 3), url.c_str());
    Check(table.GetCell(rows + 2, 0)[0] == 0, "a missing row is not empty");
    table.RemoveRow(row);
}

}  // namespace

int main(int argc, char** argv)
{
    long rounds = argc > 1 ? atol(argv[1]) : 50000;
    // The fixed cases the renderer's tests name, once more under the sanitizers.
    wchar_t* shortColour = ExactCopy(L"#f0");
    Check(HtmlParseColor(shortColour) == RGB(0xF0, 0, 0), "#f0 is not F00000");
    delete[] shortColour;
    std::wstring resolved;
    Check(HtmlResolveUrl(L"../a.gif", L"file://Z:\\tmp\\sub\\p.html", resolved) &&
              resolved == L"file://Z:\\tmp\\a.gif",
          "file URL resolution");
    for (long i = 0; i < rounds; ++i)
        RunRound();
    printf("html_native: %ld rounds, %d failures\n", rounds, g_failures);
    return g_failures ? 1 : 0;
}
