#pragma once

#include <string_view>

#include "platform/Controls.h"

namespace kv {

// The program's own control classes, bound to controls of a dialog: the
// Windows build subclasses the controls, the in-memory model records the
// colours and fonts they draw with.
class ControlClasses {
 public:
  virtual ~ControlClasses() = default;

  // The process-wide edit class with its default colours: window text on the
  // window background, also when the edit is read-only.
  virtual void BindEdit(Controls& controls, int id) = 0;
  // A coloured label: text colour, background, character height and face.
  virtual void BindColorLabel(Controls& controls, int id, Color text, Color background,
                              int characterHeight, std::string_view face) = 0;
};

}  // namespace kv
