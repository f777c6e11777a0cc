// The system UI fonts that menus and message boxes are drawn with can show Chinese text: each
// has real glyphs for the menu's characters, its own or through the fonts linked behind it.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>

namespace {

// True when every character of `text` has a glyph in `font` as GDI resolves it for a DC.
bool has_glyphs(const LOGFONTW& font, const std::wstring& text) {
  HDC dc = CreateCompatibleDC(nullptr);
  HFONT handle = CreateFontIndirectW(&font);
  HGDIOBJ previous = SelectObject(dc, handle);
  WORD glyphs[16] = {};
  const DWORD converted = GetGlyphIndicesW(dc, text.c_str(), static_cast<int>(text.size()), glyphs,
                                           GGI_MARK_NONEXISTING_GLYPHS);
  SelectObject(dc, previous), DeleteObject(handle), DeleteDC(dc);
  return converted == text.size() && std::count(glyphs, glyphs + text.size(), 0xFFFF) == 0;
}

TEST(SystemUiFonts, MenuAndMessageFontsShowChinese) {
  NONCLIENTMETRICSW metrics = {};
  metrics.cbSize = sizeof metrics;
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
  for (const LOGFONTW* font : {&metrics.lfMenuFont, &metrics.lfMessageFont})
    EXPECT_TRUE(has_glyphs(*font, L"文件")) << "font " << font->lfFaceName;
}

}  // namespace
