#pragma once
// A small JSON writer for --json output: objects, arrays, strings (escaped
// for any byte below 0x20, quote and backslash; UTF-8 passes through),
// integers, booleans and null. Commas are placed by the writer.

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace quorlin::cli {

class JsonWriter {
 public:
  explicit JsonWriter(std::ostream& out) : out_(out) {}
  // Ends the output with a newline once the outermost value is closed.
  ~JsonWriter();
  JsonWriter(const JsonWriter&) = delete;
  JsonWriter& operator=(const JsonWriter&) = delete;

  JsonWriter& BeginObject();
  JsonWriter& EndObject();
  JsonWriter& BeginArray();
  JsonWriter& EndArray();
  // The name of the next member of the open object.
  JsonWriter& Key(std::string_view name);
  JsonWriter& String(std::string_view value);
  JsonWriter& Int(int64_t value);
  JsonWriter& Bool(bool value);
  JsonWriter& Null();

  // Key and value together.
  JsonWriter& Field(std::string_view name, std::string_view value) {
    return Key(name).String(value);
  }
  JsonWriter& Field(std::string_view name, const char* value) { return Key(name).String(value); }
  JsonWriter& Field(std::string_view name, int64_t value) { return Key(name).Int(value); }
  JsonWriter& Field(std::string_view name, int value) { return Key(name).Int(value); }
  JsonWriter& Field(std::string_view name, bool value) { return Key(name).Bool(value); }

 private:
  void BeforeValue();

  std::ostream& out_;
  // Per open container: whether it already holds an element.
  std::vector<bool> has_element_;
  bool after_key_ = false;
  bool wrote_any_ = false;
};

// The text as the inside of a JSON string. Bytes that are not UTF-8 (a file
// name in another encoding) become U+FFFD, so the output is always JSON.
std::string JsonEscape(std::string_view text);

}  // namespace quorlin::cli
