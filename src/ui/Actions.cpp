#include "ui/Actions.h"

#include "ui/Control.h"

namespace quolin {

TActionLink::TActionLink(TAction* action) : action_(action) {
  if (action_)
    action_->links_.push_back(this);
}

TActionLink::~TActionLink() {
  if (action_)
    std::erase(action_->links_, this);
}

bool TActionLink::Execute() {
  return action_ && action_->Execute();
}

bool TAction::Execute() {
  if (!OnExecute || Destroying())
    return false;
  OnExecute(this);
  return true;
}

// Clients told by free notification drop their links first; the rest lose the action.
void TAction::BeforeDestruction() {
  TComponent::BeforeDestruction();
  for (TActionLink* link : links_)
    link->action_ = nullptr;
  links_.clear();
}

void TControlActionLink::ActionChanged() {
  TAction* action = Action();
  if (!action)
    return;
  control_->SetCaption(action->Caption());
  control_->SetEnabled(action->Enabled());
  control_->SetHint(action->Hint());
  control_->SetVisible(action->Visible());
}

} // namespace quolin
