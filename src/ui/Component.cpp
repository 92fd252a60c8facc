#include "ui/Component.h"

#include "core/Exceptions.h"
#include "core/Format.h"
#include "core/Sjis.h"

#include <algorithm>

namespace quolin {

namespace {

void Erase(std::vector<TComponent*>& list, TComponent* component) {
  list.erase(std::remove(list.begin(), list.end(), component), list.end());
}

} // namespace

TComponent::TComponent(TComponent* owner) {
  if (owner) {
    if (owner->Loading())
      state_ |= csLoading;
    owner->InsertComponent(this);
  }
}

TComponent::~TComponent() {
  // Free() has already done this; a component ended otherwise (a static object, or one whose
  // constructor raised) does it here.
  if (!destructionStarted_)
    DestroyComponents();
  for (TComponent* other : freeNotifies_)
    Erase(other->freeNotifies_, this);
  if (owner_)
    owner_->RemoveComponent(this);
}

void TComponent::Free() {
  if (destructionStarted_)
    return;
  destructionStarted_ = true;
  BeforeDestruction();
  delete this;
}

void TComponent::SetName(std::string_view name) {
  if (name == name_)
    return;
  if (owner_ && !name.empty()) {
    TComponent* other = owner_->FindComponent(name);
    if (other && other != this)
      throw EInvalidOperation(Format("A component named %s already exists", std::string(name)));
  }
  name_ = name;
}

int TComponent::ComponentIndex() const {
  if (!owner_)
    return -1;
  auto& list = owner_->components_;
  auto found = std::find(list.begin(), list.end(), this);
  return found == list.end() ? -1 : static_cast<int>(found - list.begin());
}

TComponent* TComponent::FindComponent(std::string_view name) const {
  if (name.empty())
    return nullptr;
  for (TComponent* component : components_)
    if (sjis::EqualIgnoreAsciiCase(component->name_, name))
      return component;
  return nullptr;
}

void TComponent::FreeNotification(TComponent* component) {
  if (!component || component == this)
    return;
  if (std::find(freeNotifies_.begin(), freeNotifies_.end(), component) == freeNotifies_.end())
    freeNotifies_.push_back(component);
  if (std::find(component->freeNotifies_.begin(), component->freeNotifies_.end(), this) ==
      component->freeNotifies_.end())
    component->freeNotifies_.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
  if (!component)
    return;
  Erase(freeNotifies_, component);
  Erase(component->freeNotifies_, this);
}

void TComponent::Notification(TComponent* component, TOperation operation) {
  if (operation == TOperation::opRemove)
    Erase(freeNotifies_, component);
  // Last to first, by index: a notified component may free others meanwhile.
  for (size_t i = components_.size(); i > 0;) {
    --i;
    if (i >= components_.size()) {
      i = components_.size();
      continue;
    }
    if (components_[i] != component)
      components_[i]->Notification(component, operation);
  }
}

void TComponent::Loaded() {}

void TComponent::AfterConstruction() {}

void TComponent::BeforeDestruction() {
  MarkDestroying();
  while (!freeNotifies_.empty()) {
    TComponent* other = freeNotifies_.back();
    freeNotifies_.pop_back();
    Erase(other->freeNotifies_, this);
    other->Notification(this, TOperation::opRemove);
  }
  DestroyComponents();
  if (owner_)
    owner_->RemoveComponent(this);
}

void TComponent::BeginLoading() {
  state_ |= csLoading;
}

void TComponent::EndLoading() {
  state_ &= ~csLoading;
  EndLoadingComponents();
  Loaded();
}

void TComponent::EndLoadingComponents() {
  std::vector<TComponent*> loaded;
  for (TComponent* component : components_)
    if (component->Loading()) {
      component->state_ &= ~csLoading;
      loaded.push_back(component);
    }
  for (TComponent* component : loaded)
    component->Loaded();
}

void TComponent::DestroyComponents() {
  // A component whose Free is already running leaves the list by itself.
  for (;;) {
    auto next = std::find_if(components_.rbegin(), components_.rend(),
                             [](const TComponent* c) { return !c->destructionStarted_; });
    if (next == components_.rend())
      return;
    (*next)->Free();
  }
}

void TComponent::MarkDestroying() {
  state_ |= csDestroying;
  for (TComponent* component : components_)
    component->MarkDestroying();
}

void TComponent::InsertComponent(TComponent* component) {
  components_.push_back(component);
  component->owner_ = this;
  Notification(component, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
  Notification(component, TOperation::opRemove);
  Erase(components_, component);
  component->owner_ = nullptr;
}

} // namespace quolin
