#include "text/format.h"

#include <algorithm>
#include <cstddef>

namespace quorlin::text {
namespace {

// A width from a language file is outside data: "%999999999d" must not be
// able to ask for a gigabyte of padding.
constexpr std::size_t kMaxWidth = 256;

struct IntPlaceholder {
  bool left_align = false;
  bool zero_pad = false;
  std::size_t width = 0;
  char conversion = 0;
  std::size_t length = 0;  // characters of the placeholder after the '%'
};

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool IsIntConversion(char c) {
  return c == 'd' || c == 'i' || c == 'u' || c == 'x' || c == 'X';
}

// Reads "[flags][width]conv" starting just after a '%'.
bool ParseIntPlaceholder(std::string_view rest, IntPlaceholder* placeholder) {
  std::size_t i = 0;
  for (; i < rest.size() && (rest[i] == '0' || rest[i] == '-'); ++i) {
    if (rest[i] == '-') {
      placeholder->left_align = true;
    } else {
      placeholder->zero_pad = true;
    }
  }
  for (; i < rest.size() && IsDigit(rest[i]); ++i) {
    placeholder->width =
        std::min(kMaxWidth, placeholder->width * 10 + static_cast<std::size_t>(rest[i] - '0'));
  }
  if (i >= rest.size() || !IsIntConversion(rest[i])) return false;
  placeholder->conversion = rest[i];
  placeholder->length = i + 1;
  return true;
}

std::string Digits(unsigned long long magnitude, unsigned base, bool upper) {
  const char* digits = upper ? "0123456789ABCDEF" : "0123456789abcdef";
  std::string out;
  do {
    out.push_back(digits[magnitude % base]);
    magnitude /= base;
  } while (magnitude != 0);
  std::reverse(out.begin(), out.end());
  return out;
}

std::string FormatInt(const IntPlaceholder& placeholder, long long value) {
  const bool is_signed = placeholder.conversion == 'd' || placeholder.conversion == 'i';
  const bool negative = is_signed && value < 0;
  // Negating in unsigned arithmetic keeps LLONG_MIN well defined.
  const auto bits = static_cast<unsigned long long>(value);
  const unsigned long long magnitude = negative ? 0ULL - bits : bits;
  const bool hex = placeholder.conversion == 'x' || placeholder.conversion == 'X';
  std::string body = Digits(magnitude, hex ? 16 : 10, placeholder.conversion == 'X');
  const std::string sign = negative ? "-" : "";
  const std::size_t used = sign.size() + body.size();
  if (used >= placeholder.width) return sign + body;
  const std::size_t pad = placeholder.width - used;
  if (placeholder.left_align) return sign + body + std::string(pad, ' ');
  if (placeholder.zero_pad) return sign + std::string(pad, '0') + body;
  return std::string(pad, ' ') + sign + body;
}

// Walks the template once; `try_substitute` is offered every '%' that is not
// part of "%%" until it reports a substitution, and returns how many
// characters after the '%' it consumed.
template <typename Substitute>
std::string Expand(std::string_view tmpl, Substitute try_substitute) {
  std::string out;
  out.reserve(tmpl.size());
  bool done = false;
  for (std::size_t i = 0; i < tmpl.size(); ++i) {
    if (tmpl[i] != '%') {
      out.push_back(tmpl[i]);
      continue;
    }
    const std::string_view rest = tmpl.substr(i + 1);
    if (!rest.empty() && rest.front() == '%') {
      out.push_back('%');
      ++i;
      continue;
    }
    if (!done) {
      const std::size_t consumed = try_substitute(rest, &out);
      if (consumed > 0) {
        done = true;
        i += consumed;
        continue;
      }
    }
    out.push_back('%');
  }
  return out;
}

}  // namespace

std::string FormatWithInt(std::string_view tmpl, long long value) {
  return Expand(tmpl, [value](std::string_view rest, std::string* out) -> std::size_t {
    IntPlaceholder placeholder;
    if (!ParseIntPlaceholder(rest, &placeholder)) return 0;
    *out += FormatInt(placeholder, value);
    return placeholder.length;
  });
}

std::string FormatWithText(std::string_view tmpl, std::string_view value) {
  return Expand(tmpl, [value](std::string_view rest, std::string* out) -> std::size_t {
    if (rest.empty() || rest.front() != 's') return 0;
    out->append(value);
    return 1;
  });
}

}  // namespace quorlin::text
