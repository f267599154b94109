#pragma once
// A small JSON reader for checking --json output: objects, arrays, strings
// (with the escapes the writer produces), integers, booleans. Throws on
// anything malformed, which fails the test.

#include <cstdint>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

namespace quorlin::cli::testing {

struct Json {
  std::variant<std::nullptr_t, bool, int64_t, std::string, std::vector<Json>,
               std::map<std::string, Json>>
      value;

  const Json& operator[](const std::string& key) const {
    return std::get<std::map<std::string, Json>>(value).at(key);
  }
  const Json& operator[](std::size_t i) const { return std::get<std::vector<Json>>(value).at(i); }
  std::size_t size() const { return std::get<std::vector<Json>>(value).size(); }
  int64_t Int() const { return std::get<int64_t>(value); }
  const std::string& Str() const { return std::get<std::string>(value); }
  bool Bool() const { return std::get<bool>(value); }
};

class JsonReader {
 public:
  explicit JsonReader(const std::string& text) : s_(text) {}

  Json ParseDocument() {
    // JSON text is UTF-8 (RFC 8259); a decoder refuses anything else.
    if (!ValidUtf8(s_)) Fail("not UTF-8");
    Json v = Parse();
    Blanks();
    if (i_ != s_.size()) Fail("trailing text");
    return v;
  }

 private:
  static bool ValidUtf8(const std::string& s) {
    for (std::size_t i = 0; i < s.size();) {
      const auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[i + k]); };
      std::size_t n = 0;
      unsigned lo = 0x80, hi = 0xBF;
      if (b(0) < 0x80) {
        n = 1;
      } else if (b(0) >= 0xC2 && b(0) <= 0xDF) {
        n = 2;
      } else if (b(0) >= 0xE0 && b(0) <= 0xEF) {
        n = 3;
        lo = b(0) == 0xE0 ? 0xA0 : 0x80;
        hi = b(0) == 0xED ? 0x9F : 0xBF;
      } else if (b(0) >= 0xF0 && b(0) <= 0xF4) {
        n = 4;
        lo = b(0) == 0xF0 ? 0x90 : 0x80;
        hi = b(0) == 0xF4 ? 0x8F : 0xBF;
      } else {
        return false;
      }
      if (i + n > s.size()) return false;
      if (n > 1 && (b(1) < lo || b(1) > hi)) return false;
      for (std::size_t k = 2; k < n; ++k) {
        if (b(k) < 0x80 || b(k) > 0xBF) return false;
      }
      i += n;
    }
    return true;
  }
  [[noreturn]] void Fail(const char* why) { throw std::runtime_error(std::string("json: ") + why); }
  void Blanks() {
    while (i_ < s_.size() && (s_[i_] == ' ' || s_[i_] == '\n' || s_[i_] == '\t')) ++i_;
  }
  char Next() {
    Blanks();
    if (i_ >= s_.size()) Fail("unexpected end");
    return s_[i_];
  }
  void Expect(char c) {
    if (Next() != c) Fail("unexpected character");
    ++i_;
  }
  bool Literal(const char* word) {
    const std::string w = word;
    if (s_.compare(i_, w.size(), w) != 0) return false;
    i_ += w.size();
    return true;
  }
  std::string String() {
    Expect('"');
    std::string out;
    while (i_ < s_.size() && s_[i_] != '"') {
      char c = s_[i_++];
      if (c == '\\') {
        if (i_ >= s_.size()) Fail("bad escape");
        c = s_[i_++];
        if (c == 'n')
          c = '\n';
        else if (c == 't')
          c = '\t';
        else if (c == 'r')
          c = '\r';
        else if (c == 'u') {
          c = static_cast<char>(std::stoi(s_.substr(i_, 4), nullptr, 16));
          i_ += 4;
        }
      } else if (static_cast<unsigned char>(c) < 0x20) {
        Fail("raw control character");
      }
      out += c;
    }
    Expect('"');
    return out;
  }
  Json Parse() {
    const char c = Next();
    if (c == '{') {
      ++i_;
      std::map<std::string, Json> members;
      if (Next() == '}') return ++i_, Json{members};
      for (;;) {
        std::string key = String();
        Expect(':');
        members[key] = Parse();
        if (Next() == '}') return ++i_, Json{members};
        Expect(',');
      }
    }
    if (c == '[') {
      ++i_;
      std::vector<Json> items;
      if (Next() == ']') return ++i_, Json{items};
      for (;;) {
        items.push_back(Parse());
        if (Next() == ']') return ++i_, Json{items};
        Expect(',');
      }
    }
    if (c == '"') return Json{String()};
    if (Literal("true")) return Json{true};
    if (Literal("false")) return Json{false};
    if (Literal("null")) return Json{nullptr};
    std::size_t used = 0;
    const int64_t n = std::stoll(s_.substr(i_), &used);
    i_ += used;
    return Json{n};
  }

  std::string s_;
  std::size_t i_ = 0;
};

inline Json ParseJson(const std::string& text) {
  return JsonReader(text).ParseDocument();
}

}  // namespace quorlin::cli::testing
