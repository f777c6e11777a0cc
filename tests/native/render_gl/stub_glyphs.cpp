#include "stub_glyphs.h"

#include <GL/gl.h>

StubGlyphs::~StubGlyphs() {
  for (const auto& entry : lists_) glDeleteLists(entry.second, 1);
}

unsigned int StubGlyphs::glyph_list(char32_t code_point, bool make) {
  const auto found = lists_.find(code_point);
  if (found != lists_.end()) return found->second;
  if (!make || !ready_ || missing.count(code_point) != 0) return 0;

  const int advance = width_of(code_point);
  const int ink = code_point == U' ' ? 0 : advance - 1;  // one column of space between boxes
  // Rows of 4 bytes (the default unpack alignment), the leftmost `ink` bits set.
  std::vector<GLubyte> bits(static_cast<size_t>(kHeight) * 4, 0);
  for (int row = 0; row < kHeight; ++row)
    for (int col = 0; col < ink; ++col)
      bits[static_cast<size_t>(row) * 4 + static_cast<size_t>(col / 8)] |=
          static_cast<GLubyte>(0x80u >> (col % 8));

  const GLuint list = glGenLists(1);
  if (list == 0) return 0;
  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glNewList(list, GL_COMPILE);
  glBitmap(ink, kHeight, 0.0f, static_cast<GLfloat>(kBelowBaseline), static_cast<GLfloat>(advance),
           0.0f, bits.data());
  glEndList();
  glPopClientAttrib();
  lists_[code_point] = list;
  built.push_back(code_point);
  return list;
}

int StubGlyphs::advance(char32_t code_point) {
  if (lists_.count(code_point) == 0) return 0;
  return width_of(code_point);
}
