#include "stub_glyphs.h"

#include <GL/gl.h>

#include <vector>

StubGlyphs::~StubGlyphs() {
  for (const auto& entry : lists_) glDeleteLists(entry.second, 1);
}

unsigned int StubGlyphs::glyph_list(char32_t code_point, bool make) {
  const auto found = lists_.find(code_point);
  if (found != lists_.end()) return found->second;
  if (!make || !ready_ || missing.count(code_point) != 0) return 0;
  const int width = code_point < 0x3000 ? 8 : 14;
  const int ink = code_point == U' ' ? 0 : width - 1;  // one column of space between boxes
  std::vector<GLubyte> bits(12 * 4, 0);                // rows of 4 bytes, `ink` bits set
  for (int row = 0; row < 12; ++row)
    for (int col = 0; col < ink; ++col) bits[row * 4 + col / 8] |= GLubyte(0x80u >> (col % 8));
  const GLuint list = glGenLists(1);
  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glNewList(list, GL_COMPILE);
  glBitmap(ink, 12, 0.0f, 3.0f, static_cast<GLfloat>(width), 0.0f, bits.data());
  glEndList();
  glPopClientAttrib();
  lists_[code_point] = list;
  ++built;
  return list;
}
