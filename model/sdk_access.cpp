#include "model/sdk_access.h"

#include <cmath>
#include <cstring>
#include <utility>

namespace lumeno {
namespace model {

std::mutex& sdk_lock() {
  static std::mutex lock;
  return lock;
}

namespace {

template <typename Ref>
SUDrawingElementRef upcast(SUDrawingElementRef (*fn)(Ref), Ref ref) {
  if (fn != nullptr) return fn(ref);
  return SUDrawingElementRef{ref.ptr};
}

// Names longer than this are not plausible; the text is cut to far less anyway.
constexpr size_t kLongestStringRead = 1 << 20;

}  // namespace

SUDrawingElementRef to_drawing_element(SUFaceRef face) {
  return upcast(SketchUpAPI::instance().SUFaceToDrawingElement, face);
}
SUDrawingElementRef to_drawing_element(SUEdgeRef edge) {
  return upcast(SketchUpAPI::instance().SUEdgeToDrawingElement, edge);
}
SUDrawingElementRef to_drawing_element(SUGroupRef group) {
  return upcast(SketchUpAPI::instance().SUGroupToDrawingElement, group);
}
SUDrawingElementRef to_drawing_element(SUComponentInstanceRef instance) {
  return upcast(SketchUpAPI::instance().SUComponentInstanceToDrawingElement, instance);
}

void cut_utf8(std::string& text, size_t max_bytes) {
  if (text.size() <= max_bytes) return;
  size_t end = max_bytes;
  // Step back over continuation bytes (10xxxxxx) to the start of the cut character.
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  text.resize(end);
}

bool read_string(SUStringRef string, size_t max_bytes, std::string& out) {
  const SketchUpAPI& api = SketchUpAPI::instance();
  if (api.SUStringGetUTF8Length == nullptr || api.SUStringGetUTF8 == nullptr) return false;
  size_t length = 0;
  if (api.SUStringGetUTF8Length(string, &length) != SU_ERROR_NONE) return false;
  if (length > kLongestStringRead) length = kLongestStringRead;
  // The vendor writes a terminated string: room for the terminator, then take strlen.
  std::vector<char> buffer(length + 1, '\0');
  size_t copied = 0;
  if (api.SUStringGetUTF8(string, buffer.size(), buffer.data(), &copied) != SU_ERROR_NONE) {
    return false;
  }
  buffer.back() = '\0';
  std::string text(buffer.data(), std::strlen(buffer.data()));
  cut_utf8(text, max_bytes);
  out = std::move(text);
  return true;
}

bool read_opacity(SUMaterialRef material, double& opacity) {
  const SketchUpAPI& api = SketchUpAPI::instance();
  double value = 1.0;
  if (api.SUMaterialGetAlpha != nullptr) {
    if (api.SUMaterialGetAlpha(material, &value) != SU_ERROR_NONE) return false;
  } else if (api.SUMaterialGetUseOpacity != nullptr && api.SUMaterialGetOpacity != nullptr) {
    bool use_opacity = false;
    if (api.SUMaterialGetUseOpacity(material, &use_opacity) != SU_ERROR_NONE) return false;
    if (use_opacity && api.SUMaterialGetOpacity(material, &value) != SU_ERROR_NONE) return false;
    if (!use_opacity) value = 1.0;
  } else {
    return false;
  }
  if (std::isnan(value)) return false;
  opacity = value < 0.0 ? 0.0 : (value > 1.0 ? 1.0 : value);
  return true;
}

SUByte opacity_alpha(double opacity) {
  return static_cast<SUByte>(static_cast<int>(opacity * 255.0));
}

bool colour_alpha_undefined() { return SketchUpAPI::instance().SUMaterialGetAlpha == nullptr; }

SUByte alpha_from_opacity(SUMaterialRef material) {
  double opacity = 1.0;
  return read_opacity(material, opacity) ? opacity_alpha(opacity) : SUByte{255};
}

}  // namespace model
}  // namespace lumeno
