// A small action: properties its linked clients show and OnExecute that their clicks run.
// Every change of the action is told to each link; a link goes when its client or the action
// goes.
#pragma once

#include "ui/Component.h"
#include "ui/Types.h"

#include <string>
#include <vector>

namespace quolin {

class TAction;
class TControl;

// A client's side of an action.
class TActionLink {
public:
  explicit TActionLink(TAction* action);
  virtual ~TActionLink();
  TActionLink(const TActionLink&) = delete;
  TActionLink& operator=(const TActionLink&) = delete;

  // nullptr once the action has gone.
  TAction* Action() const { return action_; }
  // Runs the action's OnExecute; false when there is none.
  bool Execute();
  // The action changed, or was just linked: the client takes its properties.
  virtual void ActionChanged() = 0;

private:
  friend class TAction;
  TAction* action_;
};

class TAction : public TComponent {
public:
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption) { Change(caption_, caption); }
  bool Checked() const { return checked_; }
  void SetChecked(bool checked) { Change(checked_, checked); }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled) { Change(enabled_, enabled); }
  int HelpContext() const { return helpContext_; }
  void SetHelpContext(int context) { Change(helpContext_, context); }
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint) { Change(hint_, hint); }
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int index) { Change(imageIndex_, index); }
  bool Visible() const { return visible_; }
  void SetVisible(bool visible) { Change(visible_, visible); }

  // OnExecute; false when there is none.
  bool Execute();
  TNotifyEvent OnExecute;

protected:
  using TComponent::TComponent;
  void BeforeDestruction() override;

private:
  friend class TActionLink;
  std::string caption_;
  bool checked_ = false;
  bool enabled_ = true;
  int helpContext_ = 0;
  std::string hint_;
  int imageIndex_ = -1;
  bool visible_ = true;
  std::vector<TActionLink*> links_;

  template <typename T> void Change(T& field, const T& value) {
    if (field == value)
      return;
    field = value;
    // A link may change the action back meanwhile: each is told of the state it then finds.
    std::vector<TActionLink*> links = links_;
    for (TActionLink* link : links)
      link->ActionChanged();
  }
};

// A control's link: caption, enabled, hint and visible follow the action.
class TControlActionLink : public TActionLink {
public:
  TControlActionLink(TControl* control, TAction* action)
      : TActionLink(action), control_(control) {}
  void ActionChanged() override;

protected:
  TControl* Control() const { return control_; }

private:
  TControl* control_;
};

} // namespace quolin
