// The splitter that resizes its aligned neighbour, and the status bar with its panels.
#pragma once

#include "ui/Control.h"
#include "ui/Panels.h"

#include <memory>
#include <vector>

namespace quolin {

// Sits beside an aligned control of the same Align and resizes it by dragging.
class TSplitter : public TCustomControl {
public:
  // Without OnCanResize a size below this is raised to it.
  int MinSize = 30;
  // Asked at every step of a drag with the size the control would get; refusing keeps it.
  TCanResizeEvent OnCanResize;
  // After a drag that changed the size.
  TNotifyEvent OnMoved;
  // The control it resizes now (nullptr when there is none beside it).
  TControl* ResizedControl() const;

protected:
  explicit TSplitter(TComponent* owner);
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void WndProc(TMessage& message) override;
  void Notification(TComponent* component, TOperation operation) override;

private:
  TControl* control_ = nullptr;
  POINT downPoint_{};
  int downSize_ = 0;
  bool moved_ = false;

  bool Vertical() const { return Align() == alLeft || Align() == alRight; }
};

class TStatusBar;

class TStatusPanel {
public:
  const std::string& Text() const { return text_; }
  void SetText(const std::string& text);
  int Width() const { return width_; }
  void SetWidth(int width);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);
  // A new text is painted with the bar's next paint instead of at once: for a panel that
  // changes with every keystroke. The window takes it when it paints or is asked for it.
  void SetPaintLater(bool later) { paintLater_ = later; }

private:
  friend class TStatusBar;
  TStatusPanel(TStatusBar& bar, int index) : bar_(bar), index_(index) {}
  TStatusBar& bar_;
  int index_;
  std::string text_;
  int width_ = 50;
  TAlignment alignment_ = TAlignment::taLeftJustify;
  bool paintLater_ = false;
  bool waiting_ = false; // a text the window has not taken yet
};

// The native status bar, placed by Align only. The last panel takes the rest of the width.
class TStatusBar : public TControl {
public:
  int PanelCount() const { return static_cast<int>(panels_.size()); }
  TStatusPanel& Panels(int index) { return *panels_.at(static_cast<size_t>(index)); }
  TStatusPanel& AddPanel(int width, TAlignment alignment = TAlignment::taLeftJustify);
  // The text the window shows in a panel, as it reads it back.
  std::string WindowPanelText(int index);
  bool SimplePanel() const { return simplePanel_; }
  void SetSimplePanel(bool simple);
  const std::string& SimpleText() const { return simpleText_; }
  void SetSimpleText(const std::string& text);

protected:
  explicit TStatusBar(TComponent* owner);
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void FontChanged() override;
  void WndProc(TMessage& message) override;

private:
  friend class TStatusPanel;
  std::vector<std::unique_ptr<TStatusPanel>> panels_;
  bool simplePanel_ = false;
  std::string simpleText_;

  void UpdateParts();
  void UpdatePanelText(int index);
  std::string PanelWindowText(const TStatusPanel& panel) const;
  RECT PanelBounds(int index);
  void GiveWaitingTexts();
  int DefaultHeight();
};

} // namespace quolin
