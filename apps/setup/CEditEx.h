#pragma once

#include <memory>

#include "SubclassedControl.h"
#include "handles/WindowsHandles.h"

namespace kv {

// Decides for each typed character whether an edit control takes it.
class CharFilter {
 public:
  virtual ~CharFilter() = default;
  virtual bool Accepts(UINT character) const = 0;
};

// An edit control with its own colours, font, character filter and context
// menu. It answers the colour request its parent reflects to it, so a
// read-only edit is drawn on its background colour instead of grey.
class CEditEx : public SubclassedControl {
 public:
  CEditEx();
  ~CEditEx() override;

  // Each returns the previous colour.
  COLORREF SetBackgroundColor(COLORREF color);
  COLORREF SetTextColor(COLORREF color);
  // A null description is ignored.
  void SetFont(const LOGFONTA* description);
  // Height, weight 400, the pitch and family and the face; the rest zero.
  void SetFont(int height, BYTE pitchAndFamily, const char* face);
  // The colours and, when the other has one, the font of another edit.
  void CopyAppearance(const CEditEx& other);
  void SetCharFilter(std::unique_ptr<CharFilter> filter) { filter_ = std::move(filter); }
  // A menu resource whose first submenu pops up on the context-menu request;
  // 0 for the control's own menu.
  void SetContextMenu(UINT menuId) { contextMenu_ = menuId; }

  // Registers the window class "CEditEx": an edit control whose every window
  // gets its own CEditEx with the default colours, so that a dialog template
  // can name the class. False when the class cannot be registered.
  static bool RegisterWindowClass(HINSTANCE instance);

  COLORREF backgroundColor() const { return background_; }
  COLORREF textColor() const { return text_; }

 protected:
  virtual HBRUSH CreateBackgroundBrush(COLORREF color) { return ::CreateSolidBrush(color); }
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Redraw();

  BrushHandle brush_;
  COLORREF background_;
  COLORREF text_;
  std::unique_ptr<CharFilter> filter_;
  FontHandle font_;
  UINT contextMenu_ = 0;
};

}  // namespace kv
