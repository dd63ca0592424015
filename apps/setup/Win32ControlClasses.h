#pragma once

#include <memory>
#include <vector>

#include "CEditEx.h"
#include "ColorLabel.h"
#include "wizard/ControlClasses.h"

namespace kv {

// The program's control classes on real windows: the one edit object of the
// licence text and a label object per bound label, all living until the
// program ends (each lets its window go when the window is destroyed first).
class Win32ControlClasses : public ControlClasses {
 public:
  void BindEdit(Controls& controls, int id) override;
  void BindColorLabel(Controls& controls, int id, Color text, Color background, int characterHeight,
                      std::string_view face) override;

 private:
  CEditEx edit_;
  std::vector<std::unique_ptr<ColorLabel>> labels_;
};

}  // namespace kv
