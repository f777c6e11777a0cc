#include "ui/win32_glyph_source.h"

#include "render/gl/gl_api.h"

namespace {

constexpr unsigned kListCount = 65536;

HFONT create_font(const wchar_t* face) {
  return CreateFontW(-14, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, 0, face);
}

}  // namespace

Win32GlyphSource::~Win32GlyphSource() { cleanup(); }

bool Win32GlyphSource::init(HDC dc) {
  if (font_ready) return true;
  dc_ = dc;
  if (font_base == 0) font_base = glGenLists(kListCount);
  font_ = create_font(L"Microsoft YaHei");
  if (font_ == nullptr) font_ = create_font(L"Arial");
  if (font_ == nullptr || font_base == 0) return false;
  built_.assign(kListCount, 0);
  widths_.assign(kListCount, 0);
  HGDIOBJ previous = SelectObject(dc_, font_);
  TEXTMETRICW metrics = {};
  if (GetTextMetricsW(dc_, &metrics)) line_height_ = metrics.tmHeight;
  SelectObject(dc_, previous);
  font_ready = true;
  preload_glyphs(*this);
  return true;
}

void Win32GlyphSource::cleanup() {
  // The lists belong to the GL context: delete them only while one is current (the window
  // deletes them before it releases its context).
  if (font_base != 0 && wglGetCurrentContext() != nullptr) {
    glDeleteLists(font_base, kListCount);
  }
  font_base = 0;
  if (font_ != nullptr) {
    DeleteObject(font_);
    font_ = nullptr;
  }
  font_ready = false;
  built_.clear();
  widths_.clear();
}

bool Win32GlyphSource::build(wchar_t unit) {
  HGDIOBJ previous = SelectObject(dc_, font_);
  bool ok = wglUseFontBitmapsW(dc_, unit, 1, font_base + unit) != FALSE;
  if (!ok) {
    // Some drivers fail the first call after a context switch; one retry is enough.
    ok = wglUseFontBitmapsW(dc_, unit, 1, font_base + unit) != FALSE;
  }
  INT width = 0;
  if (GetCharWidth32W(dc_, unit, unit, &width)) widths_[unit] = width;
  SelectObject(dc_, previous);
  built_[unit] = ok ? 1 : 2;
  return ok;
}

unsigned int Win32GlyphSource::glyph_list(char32_t code_point, bool make) {
  if (!font_ready || code_point >= kListCount) return 0;
  const wchar_t unit = static_cast<wchar_t>(code_point);
  if (built_[unit] == 0 && make) build(unit);
  return built_[unit] == 1 ? font_base + unit : 0;
}

int Win32GlyphSource::advance(char32_t code_point) {
  if (!font_ready || code_point >= kListCount) return 0;
  return built_[code_point] == 1 ? widths_[code_point] : 0;
}
