#include "Win32ControlClasses.h"

#include <string>

namespace kv {
namespace {

HWND ControlWindow(Controls& controls, int id) {
  return ::GetDlgItem(reinterpret_cast<HWND>(controls.Handle()), id);
}

}  // namespace

void Win32ControlClasses::BindEdit(Controls& controls, int id) {
  edit_.Attach(ControlWindow(controls, id));
}

void Win32ControlClasses::BindColorLabel(Controls& controls, int id, Color text, Color background,
                                         int characterHeight, std::string_view face) {
  auto label = std::make_unique<ColorLabel>();
  if (!label->Attach(ControlWindow(controls, id))) return;
  label->SetTextColor(ResolveColor(text, ::GetSysColor));
  label->SetBackgroundColor(ResolveColor(background, ::GetSysColor));
  label->SetCharHeight(characterHeight);
  label->SetFaceName(std::string(face).c_str());
  labels_.push_back(std::move(label));
}

}  // namespace kv
