#include "NamedColors.h"

#include <wctype.h>

namespace {

// The table lists colours as pages write them (0xRRGGBB).
constexpr COLORREF Rgb(unsigned rgb)
{
    return (COLORREF)(((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16));
}

}  // namespace

// In alphabetical order; the page renderer searches them in this order.
const NamedColor g_NamedColors[NAMED_COLOR_COUNT] = {
    {L"AliceBlue", Rgb(0xF0F8FF)}, {L"AntiqueWhite", Rgb(0xFAEBD7)}, {L"Aqua", Rgb(0x00FFFF)},
    {L"Aquamarine", Rgb(0x7FFFD4)}, {L"Azure", Rgb(0xF0FFFF)}, {L"Beige", Rgb(0xF5F5DC)},
    {L"Bisque", Rgb(0xFFE4C4)}, {L"Black", Rgb(0x000000)}, {L"BlanchedAlmond", Rgb(0xFFEBCD), Rgb(0xFFFFCD)},
    {L"Blue", Rgb(0x0000FF)}, {L"BlueViolet", Rgb(0x8A2BE2)}, {L"Brown", Rgb(0xA52A2A)},
    {L"Burlywood", Rgb(0xDEB887)}, {L"CadetBlue", Rgb(0x5F9EA0)}, {L"Chartreuse", Rgb(0x7FFF00)},
    {L"Chocolate", Rgb(0xD2691E)}, {L"Coral", Rgb(0xFF7F50)}, {L"CornflowerBlue", Rgb(0x6495ED)},
    {L"Cornsilk", Rgb(0xFFF8DC)}, {L"Crimson", Rgb(0xDC143C)}, {L"Cyan", Rgb(0x00FFFF)},
    {L"DarkBlue", Rgb(0x00008B)}, {L"DarkCyan", Rgb(0x008B8B)}, {L"DarkGoldenRod", Rgb(0xB8860B)},
    {L"DarkGray", Rgb(0xA9A9A9)}, {L"DarkGreen", Rgb(0x006400)}, {L"DarkKhaki", Rgb(0xBDB76B)},
    {L"DarkMagenta", Rgb(0x8B008B)}, {L"DarkOliveGreen", Rgb(0x556B2F)}, {L"DarkOrange", Rgb(0xFF8C00)},
    {L"DarkOrchid", Rgb(0x9932CC)}, {L"DarkRed", Rgb(0x8B0000)}, {L"DarkSalmon", Rgb(0xE9967A)},
    {L"DarkSeaGreen", Rgb(0x8FBC8F)}, {L"DarkSlateBlue", Rgb(0x483D8B)}, {L"DarkSlateGray", Rgb(0x2F4F4F)},
    {L"DarkTurquoise", Rgb(0x00CED1)}, {L"DarkViolet", Rgb(0x9400D3)}, {L"DeepPink", Rgb(0xFF1493)},
    {L"DeepSkyBlue", Rgb(0x00BFFF)}, {L"DimGray", Rgb(0x696969)}, {L"DodgerBlue", Rgb(0x1E90FF)},
    {L"FireBrick", Rgb(0xB22222)}, {L"FloralWhite", Rgb(0xFFFAF0)}, {L"ForestGreen", Rgb(0x228B22)},
    {L"Fuchsia", Rgb(0xFF00FF)}, {L"Gainsboro", Rgb(0xDCDCDC)}, {L"GhostWhite", Rgb(0xF8F8FF)},
    {L"Gold", Rgb(0xFFD700)}, {L"GoldenRod", Rgb(0xDAA520)}, {L"Gray", Rgb(0x808080), Rgb(0x7F7F7F)},
    {L"Green", Rgb(0x008000)}, {L"GreenYellow", Rgb(0xADFF2F)}, {L"HoneyDew", Rgb(0xF0FFF0)},
    {L"HotPink", Rgb(0xFF69B4)}, {L"IndianRed", Rgb(0xCD5C5C)}, {L"Indigo", Rgb(0x4B0082)},
    {L"Ivory", Rgb(0xFFFFF0)}, {L"Khaki", Rgb(0xF0E68C)}, {L"Lavender", Rgb(0xE6E6FA)},
    {L"LavenderBlush", Rgb(0xFFF0F5)}, {L"Lawngreen", Rgb(0x7CFC00)}, {L"LemonChiffon", Rgb(0xFFFACD)},
    {L"LightBlue", Rgb(0xADD8E6)}, {L"LightCoral", Rgb(0xF08080)}, {L"LightCyan", Rgb(0xE0FFFF)},
    {L"LightGoldenRodYellow", Rgb(0xFAFAD2)}, {L"LightGreen", Rgb(0x90EE90)}, {L"LightGrey", Rgb(0xD3D3D3)},
    {L"LightPink", Rgb(0xFFB6C1)}, {L"LightSalmon", Rgb(0xFFA07A)}, {L"LightSeaGreen", Rgb(0x20B2AA)},
    {L"LightSkyBlue", Rgb(0x87CEFA)}, {L"LightSlateGray", Rgb(0x778899)}, {L"LightSteelBlue", Rgb(0xB0C4DE)},
    {L"LightYellow", Rgb(0xFFFFE0)}, {L"Lime", Rgb(0x00FF00)}, {L"LimeGreen", Rgb(0x32CD32)},
    {L"Linen", Rgb(0xFAF0E6)}, {L"Magenta", Rgb(0xFF00FF)}, {L"Maroon", Rgb(0x800000)},
    {L"MediumAquamarine", Rgb(0x66CDAA)}, {L"MediumBlue", Rgb(0x0000CD)}, {L"MediumOrchid", Rgb(0xBA55D3)},
    {L"MediumPurple", Rgb(0x9370DB)}, {L"MediumSeaGreen", Rgb(0x3CB371)}, {L"MediumSlateBlue", Rgb(0x7B68EE)},
    {L"MediumSpringGreen", Rgb(0x00FA9A)}, {L"MediumTurquoise", Rgb(0x48D1CC)},
    {L"MediumVioletRed", Rgb(0xC71585)}, {L"MidnightBlue", Rgb(0x191970)}, {L"MintCream", Rgb(0xF5FFFA)},
    {L"MistyRose", Rgb(0xFFE4E1)}, {L"Moccasin", Rgb(0xFFE4B5)}, {L"NavajoWhite", Rgb(0xFFDEAD)},
    {L"Navy", Rgb(0x000080)}, {L"OldLace", Rgb(0xFDF5E6)}, {L"Olive", Rgb(0x808000)},
    {L"OliveDrab", Rgb(0x6B8E23)}, {L"Orange", Rgb(0xFFA500)}, {L"OrangeRed", Rgb(0xFF4500)},
    {L"Orchid", Rgb(0xDA70D6)}, {L"PaleGoldenRod", Rgb(0xEEE8AA)}, {L"PaleGreen", Rgb(0x98FB98)},
    {L"PaleTurquoise", Rgb(0xAFEEEE)}, {L"PaleVioletRed", Rgb(0xDB7093)}, {L"PapayaWhip", Rgb(0xFFEFD5)},
    {L"PeachPuff", Rgb(0xFFDAB9)}, {L"Peru", Rgb(0xCD853F)}, {L"Pink", Rgb(0xFFC0CB)}, {L"Plum", Rgb(0xDDA0DD)},
    {L"PowderBlue", Rgb(0xB0E0E6)}, {L"Purple", Rgb(0x800080)}, {L"Red", Rgb(0xFF0000)},
    {L"RosyBrown", Rgb(0xBC8F8F)}, {L"RoyalBlue", Rgb(0x4169E1)}, {L"SaddleBrown", Rgb(0x8B4513)},
    {L"Salmon", Rgb(0xFA8072)}, {L"SandyBrown", Rgb(0xF4A460)}, {L"SeaGreen", Rgb(0x2E8B57)},
    {L"SeaShell", Rgb(0xFFF5EE)}, {L"Sienna", Rgb(0xA0522D)}, {L"Silver", Rgb(0xC0C0C0)},
    {L"SkyBlue", Rgb(0x87CEEB)}, {L"SlateBlue", Rgb(0x6A5ACD)}, {L"SlateGray", Rgb(0x708090)},
    {L"Snow", Rgb(0xFFFAFA)}, {L"SpringGreen", Rgb(0x00FF7F)}, {L"SteelBlue", Rgb(0x4682B4)},
    {L"Tan", Rgb(0xD2B48C)}, {L"Teal", Rgb(0x008080)}, {L"Thistle", Rgb(0xD8BFD8)}, {L"Tomato", Rgb(0xFF6347)},
    {L"Turquoise", Rgb(0x40E0D0)}, {L"Violet", Rgb(0xEE82EE)}, {L"Wheat", Rgb(0xF5DEB3)},
    {L"White", Rgb(0xFFFFFF)}, {L"WhiteSmoke", Rgb(0xF5F5F5)}, {L"Yellow", Rgb(0xFFFF00)},
    {L"YellowGreen", Rgb(0x9ACD32), Rgb(0x8BCD32)},
};

int FindNamedColor(const wchar_t* name, int length)
{
    if (!name)
        return -1;
    for (int i = 0; i < NAMED_COLOR_COUNT; ++i) {
        const wchar_t* a = g_NamedColors[i].name;
        int n = 0;
        while (a[n] && (length < 0 || n < length) && name[n] && towlower(a[n]) == towlower(name[n]))
            ++n;
        bool nameEnds = length < 0 ? name[n] == 0 : n == length;
        if (a[n] == 0 && nameEnds)
            return i;
    }
    return -1;
}

COLORREF NamedPageColor(int index)
{
    if (index < 0 || index >= NAMED_COLOR_COUNT)
        return 0;
    const NamedColor& c = g_NamedColors[index];
    return c.pageColor == NAMED_COLOR_SAME_ON_PAGES ? c.color : c.pageColor;
}
