#include "MarkupTestSupport.h"

namespace markup_test {

std::wstring CDisplayList::AllText() const
{
    std::wstring all;
    for (const MarkupTextItem& t : texts)
        all += (LPCWSTR)t.text;
    return all;
}

const MarkupTextItem* CDisplayList::Find(LPCWSTR text) const
{
    for (const MarkupTextItem& t : texts)
        if (t.text == text)
            return &t;
    ADD_FAILURE() << "no text chunk \"" << tesmir::test::Utf8(text) << "\" was drawn";
    return NULL;
}

SIZE CMarkupFixture::Render(LPCWSTR markup, int left, int top, int width)
{
    SIZE size = {0, 0};
    m_list.Clear();
    m_renderer.Measure(m_canvas.Dc(), markup, size);
    RECT rc = {left, top, left + (width > 0 ? width : size.cx), top + size.cy};
    m_renderer.Draw(m_canvas.Dc(), rc);
    return size;
}

namespace {

HFONT CreateBodyFont(HDC hdc)
{
    const int dpi = GetDeviceCaps(hdc, LOGPIXELSY);
    LOGFONTW lf = {};
    lf.lfHeight = 10 * (dpi > 0 ? dpi : 96) / 72;
    lf.lfWeight = 400;
    lf.lfCharSet = DEFAULT_CHARSET;
    wcscpy(lf.lfFaceName, L"Verdana");
    return CreateFontIndirectW(&lf);
}

}  // namespace

TEXTMETRICW BodyMetrics(HDC hdc)
{
    HFONT hFont = CreateBodyFont(hdc);
    HGDIOBJ hOld = SelectObject(hdc, hFont);
    TEXTMETRICW tm = {};
    GetTextMetricsW(hdc, &tm);
    SelectObject(hdc, hOld);
    DeleteObject(hFont);
    return tm;
}

int BodyTextWidth(HDC hdc, LPCWSTR text)
{
    HFONT hFont = CreateBodyFont(hdc);
    HGDIOBJ hOld = SelectObject(hdc, hFont);
    SIZE size = {};
    GetTextExtentPoint32W(hdc, text, (int)wcslen(text), &size);
    SelectObject(hdc, hOld);
    DeleteObject(hFont);
    return size.cx;
}

}  // namespace markup_test
