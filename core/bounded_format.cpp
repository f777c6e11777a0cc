#include "core/bounded_format.h"

#include <cstdio>
#include <cwchar>

namespace lumeno {
namespace {

// Accumulates output, dropping everything past the capacity.
class Sink {
 public:
  Sink(wchar_t* dst, size_t capacity) : dst_(dst), capacity_(capacity) {}
  void put(wchar_t c) {
    if (dst_ != nullptr && capacity_ > 0 && written_ + 1 < capacity_) dst_[written_++] = c;
    else if (dst_ == nullptr) str_.push_back(c);
  }
  void put(const wchar_t* s) {
    for (; s != nullptr && *s; ++s) put(*s);
  }
  void put_ascii(const char* s) {
    for (; *s; ++s) put(static_cast<wchar_t>(static_cast<unsigned char>(*s)));
  }
  size_t finish() {
    if (dst_ != nullptr && capacity_ > 0) dst_[written_] = L'\0';
    return dst_ != nullptr ? written_ : str_.size();
  }
  std::wstring take() { return std::move(str_); }

 private:
  wchar_t* dst_;
  size_t capacity_;
  size_t written_ = 0;
  std::wstring str_;
};

void format_into(Sink& out, const wchar_t* format, va_list args) {
  for (const wchar_t* p = format; p != nullptr && *p; ++p) {
    if (*p != L'%') {
      out.put(*p);
      continue;
    }
    ++p;
    if (*p == L'\0') break;
    if (*p == L'%') {
      out.put(L'%');
      continue;
    }
    int precision = -1;
    if (*p == L'.') {
      precision = 0;
      for (++p; *p >= L'0' && *p <= L'9'; ++p) precision = precision * 10 + (*p - L'0');
    }
    int longs = 0;
    bool size_t_arg = false;
    while (*p == L'l') {
      ++longs;
      ++p;
    }
    if (*p == L'z') {
      size_t_arg = true;
      ++p;
    }
    char buf[64];
    switch (*p) {
      case L's':
        if (longs > 0) {
          const wchar_t* s = va_arg(args, const wchar_t*);
          out.put(s != nullptr ? s : L"(null)");
        } else {
          const char* s = va_arg(args, const char*);
          out.put_ascii(s != nullptr ? s : "(null)");
        }
        break;
      case L'c':
        out.put(static_cast<wchar_t>(va_arg(args, int)));
        break;
      case L'u':
        if (size_t_arg) std::snprintf(buf, sizeof buf, "%zu", va_arg(args, size_t));
        else if (longs >= 2) std::snprintf(buf, sizeof buf, "%llu", va_arg(args, unsigned long long));
        else if (longs == 1) std::snprintf(buf, sizeof buf, "%lu", va_arg(args, unsigned long));
        else std::snprintf(buf, sizeof buf, "%u", va_arg(args, unsigned int));
        out.put_ascii(buf);
        break;
      case L'd':
      case L'i':
        if (size_t_arg) std::snprintf(buf, sizeof buf, "%lld", static_cast<long long>(va_arg(args, size_t)));
        else if (longs >= 2) std::snprintf(buf, sizeof buf, "%lld", va_arg(args, long long));
        else if (longs == 1) std::snprintf(buf, sizeof buf, "%ld", va_arg(args, long));
        else std::snprintf(buf, sizeof buf, "%d", va_arg(args, int));
        out.put_ascii(buf);
        break;
      case L'f':
        std::snprintf(buf, sizeof buf, "%.*f", precision < 0 ? 6 : (precision > 20 ? 20 : precision),
                      va_arg(args, double));
        out.put_ascii(buf);
        break;
      default:
        // Unknown conversion: shown as written, so a bad format is visible rather than fatal.
        out.put(L'%');
        out.put(*p);
        break;
    }
  }
}

}  // namespace

size_t vformat_bounded(wchar_t* dst, size_t capacity, const wchar_t* format, va_list args) {
  if (dst == nullptr || capacity == 0) return 0;
  Sink out(dst, capacity);
  format_into(out, format, args);
  return out.finish();
}

size_t format_bounded(wchar_t* dst, size_t capacity, const wchar_t* format, ...) {
  va_list args;
  va_start(args, format);
  size_t n = vformat_bounded(dst, capacity, format, args);
  va_end(args);
  return n;
}

std::wstring format_wide(const wchar_t* format, ...) {
  Sink out(nullptr, 0);
  va_list args;
  va_start(args, format);
  format_into(out, format, args);
  va_end(args);
  out.finish();
  return out.take();
}

}  // namespace lumeno
