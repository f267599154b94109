#pragma once
// The macro list's identifiers and the names the editor generates.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "macros/macro_record.h"
#include "text/text_source.h"

namespace quorlin::macros {

inline constexpr uint16_t kFirstMacroIdentifier = 1;
inline constexpr uint16_t kLastMacroIdentifier = 100;

// The smallest identifier 1..100 no macro of `list` uses; 0 when all are used.
uint16_t SmallestFreeIdentifier(const MacroList& list);

// A record zeroed in all its bytes but the name, play count 1, new flag 1,
// the smallest free identifier and no events.
MacroRecord NewMacroRecord(std::string_view name, const MacroList& list);

// The position of the first macro with `identifier`, or 0 when none has it
// (the key table then plays the first macro).
std::size_t MacroPositionOf(uint32_t identifier, const MacroList& list);

// The first macro with `identifier`, or nullptr.
const MacroRecord* FindMacro(uint32_t identifier, const MacroList& list);
MacroRecord* FindMacro(uint32_t identifier, MacroList& list);

// The identifiers in list order, the form in which key table encoding
// takes the applied list.
std::vector<uint32_t> MacroIdentifiers(const MacroList& list);

// The editor's counter of generated names. A confirmed editor commits the
// counter for its next opening; a cancelled one goes back to what it had.
class MacroNameCounter {
 public:
  int value() const { return value_; }
  int committed() const { return committed_; }

  // Returns the number of the next generated name and counts it.
  int Take() { return ++value_; }
  void Commit() { committed_ = value_; }
  void Revert() { value_ = committed_; }
  // Adding to an empty list starts the numbers again. The committed value
  // stays until Commit, so a cancelled editor still gets its opening
  // numbers back.
  void Reset() { value_ = 0; }

 private:
  int value_ = 0;
  int committed_ = 0;
};

// The "MACRO_NEW_PREFIX" text followed by the next number.
std::string NextMacroName(MacroNameCounter& counter, const text::TextSource& texts);

// What happens between two tries when a generated name is taken. The editor
// waits a little; tests pass nothing.
using PauseBetweenTries = std::function<void()>;
inline constexpr std::chrono::milliseconds kTakenNamePause{16};
void SleepTakenNamePause();

// A name is taken when a name of `names` begins with it, case ignored.
bool IsNameTaken(std::string_view name, const std::vector<std::string>& names);

// Generated names until one is not taken by `names`.
std::string NextFreeMacroName(MacroNameCounter& counter, const text::TextSource& texts,
                              const std::vector<std::string>& names,
                              const PauseBetweenTries& pause = SleepTakenNamePause);

// The names of the list as UTF-8, in order.
std::vector<std::string> MacroNames(const MacroList& list);

}  // namespace quorlin::macros
