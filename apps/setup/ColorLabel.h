#pragma once

#include <string>

#include "SubclassedControl.h"
#include "handles/WindowsHandles.h"

namespace kv {

// A static text with its own colours and font that can flash its text or its
// background and act as a link (with SS_NOTIFY, a click opens its text).
class ColorLabel : public SubclassedControl {
 public:
  ColorLabel();
  ~ColorLabel() override;

  void SetTextColor(COLORREF color);
  // Takes effect at the next repaint.
  void SetBackgroundColor(COLORREF color);
  void SetBold(bool bold);
  void SetItalic(bool italic);
  void SetUnderline(bool underline);
  void SetCharHeight(int height);
  // At most 31 characters are kept.
  void SetFaceName(const char* face);
  void SetSunken(bool sunken);
  void SetBorder(bool border);
  void SetText(const char* text);
  void FlashText(bool flash);
  void FlashBackground(bool flash);
  void SetLinkMode(bool link);
  void SetLinkCursor(HCURSOR cursor) { linkCursor_ = cursor; }

  const LOGFONTA& fontDescription() const { return description_; }
  COLORREF textColor() const { return text_; }

 protected:
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  enum class Flash { None = 0, Text = 1, Background = 2 };

  void RebuildFont();
  void Redraw();
  void StopTimer();

  COLORREF text_;
  BrushHandle background_;
  BrushHandle flashBrush_;
  LOGFONTA description_{};
  FontHandle font_;
  std::string savedText_;
  bool phase_ = false;
  bool timerRunning_ = false;
  bool linkMode_ = true;
  Flash flash_ = Flash::None;
  HCURSOR linkCursor_ = nullptr;
};

}  // namespace kv
