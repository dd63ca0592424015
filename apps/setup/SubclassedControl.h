#pragma once

#include "win32/Win32Api.h"

namespace kv {

// A control class that takes over an existing control window by subclassing
// it: the window's messages go to Handle first, the rest to the control's own
// procedure. The window is let go when it is destroyed or when the object
// is, whichever comes first.
class SubclassedControl {
 public:
  SubclassedControl() = default;
  SubclassedControl(const SubclassedControl&) = delete;
  SubclassedControl& operator=(const SubclassedControl&) = delete;
  virtual ~SubclassedControl() { Detach(); }

  // False when the window is missing or already has a control object.
  bool Attach(HWND window);
  void Detach();
  HWND window() const { return window_; }

 protected:
  virtual LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    return Default(message, wParam, lParam);
  }
  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND window_ = nullptr;
  WNDPROC previous_ = nullptr;
};

}  // namespace kv
