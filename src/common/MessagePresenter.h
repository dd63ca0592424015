#pragma once

#include <string>
#include <string_view>

#include "platform/Desktop.h"

namespace kv {

// Shows a message to the user and waits until it is acknowledged. Operations
// that speak to the user themselves take one, so each program supplies its
// own kind of box.
class MessagePresenter {
 public:
  virtual ~MessagePresenter() = default;
  virtual void Show(std::string_view text) = 0;
};

// The program's standard message box: application-level, OK button,
// exclamation icon, captioned with the application name.
class StandardMessageBox : public MessagePresenter {
 public:
  StandardMessageBox(Desktop& desktop, std::string applicationName)
      : desktop_(desktop), applicationName_(std::move(applicationName)) {}

  void Show(std::string_view text) override {
    desktop_.MessageBox(0, text, applicationName_, kMbOk | kMbIconExclamation);
  }

 private:
  Desktop& desktop_;
  std::string applicationName_;
};

}  // namespace kv
