// The component model: every component has an owner that frees it, a name its owner can find
// it by, and a place in its owner's ordered list. Components are made only by Create<T>, so
// that a form's finishing steps (Loaded, OnCreate) always run, and end only by Free().
#pragma once

#include "core/Persistent.h"

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quolin {

enum class TOperation { opInsert, opRemove };

enum TComponentStateFlag : unsigned { csLoading = 1, csDestroying = 2 };

class TComponent : public TPersistent {
  // The one class that may run the protected constructors of components.
  template <typename T> struct Constructed final : T {
    template <typename... Args>
    explicit Constructed(Args&&... args) : T(std::forward<Args>(args)...) {}
  };

public:
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  // Makes a component owned by owner (which frees it) and gives it its name.
  template <typename T, typename... Args>
  static T* Create(TComponent* owner, std::string_view name = {}, Args&&... args) {
    T* component = new Constructed<T>(owner, std::forward<Args>(args)...);
    try {
      component->SetName(name);
      static_cast<TComponent*>(component)->AfterConstruction();
    } catch (...) {
      component->Free();
      throw;
    }
    return component;
  }

  // BeforeDestruction, then the destructor. Owned components go with it.
  void Free();

  TComponent* Owner() const { return owner_; }
  const std::string& Name() const { return name_; }
  // Raises EInvalidOperation when the owner already has a component of that name.
  void SetName(std::string_view name);

  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* Components(int index) const { return components_.at(static_cast<size_t>(index)); }
  int ComponentIndex() const;
  // Compares names ignoring ASCII case; nullptr when there is none.
  TComponent* FindComponent(std::string_view name) const;

  unsigned ComponentState() const { return state_; }
  bool Loading() const { return (state_ & csLoading) != 0; }
  bool Destroying() const { return (state_ & csDestroying) != 0; }

  // component gets Notification(this, opRemove) when this one is freed, and the other way round.
  void FreeNotification(TComponent* component);
  void RemoveFreeNotification(TComponent* component);

  int Tag = 0;

protected:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;

  // Told when a component is inserted into or removed from this one's owner, and when a
  // component asked to be told of this one's end goes. Passes it on to the owned components.
  virtual void Notification(TComponent* component, TOperation operation);
  // Runs once a form's constructor has built its components (see EndLoading).
  virtual void Loaded();
  // Runs after the constructor, inside Create.
  virtual void AfterConstruction();
  // csDestroying, free notifications, owned components freed last to first.
  virtual void BeforeDestruction();

  // Marks this component as loading; components it comes to own meanwhile are loading too.
  void BeginLoading();
  // Clears csLoading here and on the owned components, then runs Loaded on each of them in
  // component order, and last on this one.
  void EndLoading();
  // Clears csLoading on the owned components that have it and runs Loaded on each of them.
  void EndLoadingComponents();
  // Frees the owned components, last to first.
  void DestroyComponents();
  // Sets csDestroying here and on everything owned, so that no events run meanwhile.
  virtual void MarkDestroying();

private:
  TComponent* owner_ = nullptr;
  std::string name_;
  std::vector<TComponent*> components_;
  std::vector<TComponent*> freeNotifies_;
  unsigned state_ = 0;
  bool destructionStarted_ = false;

  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);
};

// Frees through Free(): for components without an owner.
struct TComponentFree {
  void operator()(TComponent* component) const {
    if (component)
      component->Free();
  }
};
template <typename T> using TOwned = std::unique_ptr<T, TComponentFree>;

// Frees the component and clears the pointer.
template <typename T> void FreeAndNil(T*& component) {
  T* old = component;
  component = nullptr;
  if (old)
    old->Free();
}

} // namespace quolin
