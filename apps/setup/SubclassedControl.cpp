#include "SubclassedControl.h"

namespace kv {
namespace {
constexpr char kProperty[] = "KvControlObject";
}

bool SubclassedControl::Attach(HWND window) {
  if (window == nullptr || window_ != nullptr || ::GetPropA(window, kProperty) != nullptr) {
    return false;
  }
  window_ = window;
  ::SetPropA(window, kProperty, this);
  previous_ = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure)));
  return true;
}

void SubclassedControl::Detach() {
  if (window_ == nullptr) return;
  ::SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
  ::RemovePropA(window_, kProperty);
  window_ = nullptr;
  previous_ = nullptr;
}

LRESULT SubclassedControl::Default(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::CallWindowProcA(previous_, window_, message, wParam, lParam);
}

LRESULT CALLBACK SubclassedControl::Procedure(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
  auto* control = static_cast<SubclassedControl*>(::GetPropA(window, kProperty));
  if (control == nullptr) return ::DefWindowProcA(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    const WNDPROC previous = control->previous_;
    control->Detach();
    return ::CallWindowProcA(previous, window, message, wParam, lParam);
  }
  return control->Handle(message, wParam, lParam);
}

}  // namespace kv
