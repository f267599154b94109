#pragma once
// A value that is only reached while its own mutex is held.

#include <mutex>
#include <optional>
#include <utility>

namespace quorlin::keys {

template <typename T>
class Guarded {
 public:
  // Holds the lock for as long as it lives, so a caller can keep it across a
  // whole flow (an apply keeps the applied store locked through its writes).
  class Access {
   public:
    T& operator*() const { return *value_; }
    T* operator->() const { return value_; }

   private:
    friend class Guarded;
    Access(std::mutex& mutex, T& value) : lock_(mutex), value_(&value) {}
    std::unique_lock<std::mutex> lock_;
    T* value_;
  };

  Guarded() = default;
  Guarded(const Guarded&) = delete;
  Guarded& operator=(const Guarded&) = delete;

  Access Lock() { return Access(mutex_, value_); }

  template <typename F>
  decltype(auto) With(F&& f) {
    std::lock_guard<std::mutex> lock(mutex_);
    return std::forward<F>(f)(value_);
  }

  // As With, but only when nobody holds the value now: for a thread that
  // must never wait for a long writer (the user-interface thread).
  template <typename F>
  auto TryWith(F&& f) -> std::optional<decltype(std::forward<F>(f)(std::declval<T&>()))> {
    std::unique_lock<std::mutex> lock(mutex_, std::try_to_lock);
    if (!lock.owns_lock()) return std::nullopt;
    return std::forward<F>(f)(value_);
  }

 private:
  std::mutex mutex_;
  T value_{};
};

}  // namespace quorlin::keys
