#pragma once

#include <string>
#include <string_view>

#include "wizard/ControlClasses.h"

namespace kv {

// The program's control classes as the colours and fonts they draw with, for
// the in-memory model of the dialogs, which has no window classes.
class PlainControlClasses : public ControlClasses {
 public:
  void BindEdit(Controls& controls, int id) override {
    controls.SetColors(id, kColorWindowText, kColorWindow);
  }
  void BindColorLabel(Controls& controls, int id, Color text, Color background, int characterHeight,
                      std::string_view face) override {
    controls.SetColors(id, text, background);
    controls.SetFont(id, Font{std::string(face), -characterHeight, 400});
  }
};

}  // namespace kv
