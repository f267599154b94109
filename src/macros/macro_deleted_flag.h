#pragma once
// Set when the user deletes a macro that keys use: those keys may sit in
// any of the three profiles, so the next apply writes all three key tables.
// The program state owns one; the next apply clears it when it ends.

#include <atomic>

namespace quorlin::macros {

class MacroDeletedFlag {
 public:
  void Set() { set_.store(true); }
  void Clear() { set_.store(false); }
  bool IsSet() const { return set_.load(); }

 private:
  std::atomic<bool> set_{false};
};

}  // namespace quorlin::macros
