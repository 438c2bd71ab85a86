// Helpers of the markup tests: a display-list recorder and a renderer that
// measures and draws on a DIB canvas.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <TestSupport.h>

#include "markup/CMarkupRenderer.h"

namespace markup_test {

struct RuleItem
{
    int x1, y, x2, thickness;
    COLORREF color;
};

class CDisplayList : public IMarkupDrawObserver
{
public:
    void OnDrawText(const MarkupTextItem& item) override { texts.push_back(item); }
    void OnDrawRule(int x1, int y, int x2, int thickness, COLORREF color) override
    {
        rules.push_back(RuleItem{x1, y, x2, thickness, color});
    }
    void OnDrawImage(const RECT& box) override { images.push_back(box); }
    void Clear()
    {
        texts.clear();
        rules.clear();
        images.clear();
    }
    // Every drawn text chunk, concatenated.
    std::wstring AllText() const;
    // The first chunk with this text; fails the test when there is none.
    const MarkupTextItem* Find(LPCWSTR text) const;

    std::vector<MarkupTextItem> texts;
    std::vector<RuleItem> rules;
    std::vector<RECT> images;
};

// A renderer with a recorder on a white canvas.
class CMarkupFixture : public ::testing::Test
{
protected:
    CMarkupFixture() : m_canvas(400, 300) { m_renderer.SetDrawObserver(&m_list); }
    // Measures the markup and draws it at (left, top) into a box of the
    // measured size (or width when given). Returns the measured size.
    SIZE Render(LPCWSTR markup, int left = 0, int top = 0, int width = 0);

    tesmir::test::CDibCanvas m_canvas;
    CMarkupRenderer m_renderer;
    CDisplayList m_list;
};

// Height and ascent of the font the default body style selects, taken from
// the same DC: size -13 at 96 dpi ("10pt"), "Verdana" or what it maps to.
TEXTMETRICW BodyMetrics(HDC hdc);
// Width of a text in the body font of that DC.
int BodyTextWidth(HDC hdc, LPCWSTR text);

}  // namespace markup_test
