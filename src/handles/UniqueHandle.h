#pragma once

#include <utility>

namespace kv {

// The one owner of every handle kind: it holds one handle and closes it
// exactly once, when it is reset, closed, replaced or goes out of scope. The
// kind's traits say what the handle is and how it ends:
//
//   struct Traits {
//     using Handle = ...;                // the handle's type
//     static Handle Invalid();           // what the opening call leaves on failure
//     Result Close(Handle handle) const; // frees it; static, or a member when
//   };                                   //   the close needs an object
//
// Traits with state (the interface whose call closes the handle) are given to
// the constructor. Header-only and free of any system header, so the core,
// the Win32 machine and the medium's components share it.
template <typename Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;

  UniqueHandle() = default;
  explicit UniqueHandle(Traits traits) : traits_(std::move(traits)) {}
  explicit UniqueHandle(Handle handle, Traits traits = Traits()) : traits_(std::move(traits)) {
    handle_ = handle;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : traits_(other.traits_) {
    handle_ = other.release();
  }
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) {
      reset(other.release());
      traits_ = other.traits_;
    }
    return *this;
  }
  ~UniqueHandle() { reset(); }

  Handle get() const { return handle_; }
  bool valid() const { return handle_ != Traits::Invalid(); }
  explicit operator bool() const { return valid(); }

  // The out-parameter receiver, for the calls that hand a handle back through
  // a pointer: the handle held is closed first.
  Handle* receive() {
    reset();
    return &handle_;
  }
  // Gives the handle up without closing it.
  Handle release() { return std::exchange(handle_, Traits::Invalid()); }
  // Closes the handle held (if any) and holds `handle` instead.
  void reset(Handle handle = Traits::Invalid()) {
    if (valid()) traits_.Close(handle_);
    handle_ = handle;
  }
  // Closes the handle held now and answers what the close answered; the
  // caller checks valid() first.
  auto close() { return traits_.Close(release()); }

 private:
  [[no_unique_address]] Traits traits_{};
  Handle handle_ = Traits::Invalid();
};

}  // namespace kv
