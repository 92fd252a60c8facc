// The component model: ownership order, names, free notification, loading and the order of
// Free, with and without windows.
#include "ui/Component.h"
#include "FormFixture.h"
#include "core/Exceptions.h"
#include "ui/Edits.h"
#include "ui/Forms.h"
#include "ui/Panels.h"

#include <gtest/gtest.h>

using namespace quolin;

namespace {

std::vector<std::string>* freeLog = nullptr;

// Logs its notifications, Loaded and its end.
class TProbe : public TComponent {
public:
  std::vector<std::string> notes;
  bool loadingInConstructor = false;
  int loadedCount = 0;

protected:
  explicit TProbe(TComponent* owner) : TComponent(owner), loadingInConstructor(Loading()) {}
  ~TProbe() override {
    if (freeLog)
      freeLog->push_back("free " + Name());
  }
  void BeforeDestruction() override {
    if (freeLog)
      freeLog->push_back(std::string(Destroying() ? "" : "begin ") + Name());
    TComponent::BeforeDestruction();
  }
  void Notification(TComponent* component, TOperation operation) override {
    TComponent::Notification(component, operation);
    notes.push_back((operation == TOperation::opInsert ? "+" : "-") + component->Name());
  }
  void Loaded() override {
    ++loadedCount;
    if (freeLog)
      freeLog->push_back("loaded " + Name());
  }
};

class TRaising : public TComponent {
protected:
  explicit TRaising(TComponent* owner) : TComponent(owner) { throw EConvertError("no"); }
};

// A form whose constructor builds components, as a form resource would.
class TBuiltForm : public TForm {
public:
  TProbe* first;
  TProbe* second;

protected:
  explicit TBuiltForm(TComponent* owner) : TForm(owner) {
    first = Create<TProbe>(this, "First");
    second = Create<TProbe>(this, "Second");
    OnCreate = [this](TObject*) {
      if (freeLog)
        freeLog->push_back("create");
    };
    OnDestroy = [this](TObject*) {
      if (freeLog)
        freeLog->push_back(std::string("destroy, first ") +
                           (first->Destroying() ? "destroying" : "alive"));
    };
  }
};

struct LogScope {
  std::vector<std::string> log;
  LogScope() { freeLog = &log; }
  ~LogScope() { freeLog = nullptr; }
};

TEST(UiComponent, ComponentsKeepCreationOrderAndAreFoundByNameIgnoringCase) {
  TOwned<TProbe> owner(TComponent::Create<TProbe>(nullptr, "Owner"));
  TProbe* a = TComponent::Create<TProbe>(owner.get(), "Editor1");
  TProbe* b = TComponent::Create<TProbe>(owner.get(), "mn0_0000001010001");
  TProbe* c = TComponent::Create<TProbe>(owner.get());
  TProbe* d = TComponent::Create<TProbe>(owner.get());
  ASSERT_EQ(owner->ComponentCount(), 4);
  EXPECT_EQ(owner->Components(0), a);
  EXPECT_EQ(owner->Components(3), d);
  EXPECT_EQ(c->ComponentIndex(), 2);
  EXPECT_EQ(owner->FindComponent("EDITOR1"), a);
  EXPECT_EQ(owner->FindComponent("MN0_0000001010001"), b);
  EXPECT_EQ(owner->FindComponent(""), nullptr);
  EXPECT_EQ(owner->FindComponent("Editor2"), nullptr);
  EXPECT_THROW(TComponent::Create<TProbe>(owner.get(), "editor1"), EInvalidOperation);
  EXPECT_EQ(owner->ComponentCount(), 4) << "a refused component is gone again";
  EXPECT_THROW(c->SetName("Editor1"), EInvalidOperation);
  c->SetName("Editor2");
  EXPECT_EQ(owner->FindComponent("editor2"), c);
  EXPECT_THROW(TComponent::Create<TRaising>(owner.get(), "R"), EConvertError);
  EXPECT_EQ(owner->ComponentCount(), 4) << "a component whose constructor raises leaves nothing";
}

TEST(UiComponent, OwnerFreesItsComponentsLastToFirstAfterMarkingThemDestroying) {
  LogScope scope;
  TProbe* owner = TComponent::Create<TProbe>(nullptr, "Owner");
  TComponent::Create<TProbe>(owner, "A");
  TComponent::Create<TProbe>(owner, "B");
  TComponent::Create<TProbe>(owner, "C");
  owner->Free();
  EXPECT_EQ(scope.log, (std::vector<std::string>{"begin Owner", "C", "free C", "B", "free B", "A",
                                                 "free A", "free Owner"}))
      << "every component is already destroying when its own BeforeDestruction runs";
}

TEST(UiComponent, FreeingOneComponentTakesItOutOfItsOwnerAndFreeAndNilClearsThePointer) {
  TOwned<TProbe> owner(TComponent::Create<TProbe>(nullptr, "Owner"));
  TProbe* a = TComponent::Create<TProbe>(owner.get(), "A");
  TProbe* b = TComponent::Create<TProbe>(owner.get(), "B");
  a->Free();
  ASSERT_EQ(owner->ComponentCount(), 1);
  EXPECT_EQ(owner->Components(0), b);
  EXPECT_EQ(owner->FindComponent("A"), nullptr);
  // Inserted before their names are given.
  EXPECT_EQ(owner->notes, (std::vector<std::string>{"+", "+", "-A"}));
  EXPECT_EQ(b->notes, (std::vector<std::string>{"-A"})) << "siblings hear of removals";
  TProbe* probe = b;
  FreeAndNil(probe);
  EXPECT_EQ(probe, nullptr);
  EXPECT_EQ(owner->ComponentCount(), 0);
  FreeAndNil(probe); // nothing to free
}

TEST(UiComponent, FreeNotificationTellsTheOtherSideOnceAndCanBeWithdrawn) {
  TOwned<TProbe> watcher(TComponent::Create<TProbe>(nullptr, "Watcher"));
  TProbe* watched = TComponent::Create<TProbe>(nullptr, "Watched");
  TProbe* dropped = TComponent::Create<TProbe>(nullptr, "Dropped");
  watched->FreeNotification(watcher.get());
  watched->FreeNotification(watcher.get());
  dropped->FreeNotification(watcher.get());
  dropped->RemoveFreeNotification(watcher.get());
  dropped->Free();
  EXPECT_TRUE(watcher->notes.empty());
  watched->Free();
  EXPECT_EQ(watcher->notes, (std::vector<std::string>{"-Watched"}));

  // Both ways: the watcher's end is told to a watched component too.
  TProbe* other = TComponent::Create<TProbe>(nullptr, "Other");
  TProbe* leaving = TComponent::Create<TProbe>(nullptr, "Leaving");
  other->FreeNotification(leaving);
  leaving->Free();
  EXPECT_EQ(other->notes, (std::vector<std::string>{"-Leaving"}));
  other->Free();
}

TEST(UiComponent, LoadedRunsInComponentOrderAfterTheFormConstructorThenOnCreateOnDestroyFirst) {
  LogScope scope;
  auto form = uitest::MakeForm<TBuiltForm>();
  EXPECT_TRUE(form->first->loadingInConstructor);
  EXPECT_FALSE(form->first->Loading());
  EXPECT_FALSE(form->Loading());
  EXPECT_EQ(form->second->loadedCount, 1);
  EXPECT_EQ(scope.log, (std::vector<std::string>{"loaded First", "loaded Second", "create"}));
  TProbe* later = TComponent::Create<TProbe>(form.get(), "Later");
  EXPECT_FALSE(later->loadingInConstructor);
  EXPECT_EQ(later->loadedCount, 0) << "only components built by the constructor are loaded";

  // Free runs OnDestroy before the components go.
  later->Free();
  scope.log.clear();
  form.reset();
  EXPECT_EQ(scope.log, (std::vector<std::string>{"destroy, first destroying", "Second",
                                                 "free Second", "First", "free First"}));
}

TEST(UiComponent, NoEventsRunWhileAFormIsDestroyed) {
  auto form = uitest::MakeForm();
  form->Show();
  auto* panel = uitest::AddTo<TPanel>(*form, "Panel");
  panel->SetAlign(alClient);
  auto* edit = uitest::AddTo<TEdit>(*form, "Edit", panel);
  auto* other = uitest::AddTo<TEdit>(*form, "Other", panel);
  other->SetTop(40);
  int events = 0;
  edit->OnExit = [&](TObject*) { ++events; };
  edit->OnChange = [&](TObject*) { ++events; };
  panel->OnResize = [&](TObject*) { ++events; };
  edit->SetFocus();
  uitest::Pump();
  other->SetFocus();
  uitest::Pump();
  ASSERT_EQ(events, 1) << "OnExit runs while the form lives";
  edit->SetFocus();
  uitest::Pump();
  events = 0;
  form.reset();
  EXPECT_EQ(events, 0);
}

TEST(UiComponent, ChildControlsGoWithTheirParentWhoeverOwnsThem) {
  TOwned<TProbe> otherOwner(TComponent::Create<TProbe>(nullptr, "OtherOwner"));
  auto form = uitest::MakeForm();
  auto* panel = uitest::AddTo<TPanel>(*form, "Panel");
  auto* edit = TComponent::Create<TEdit>(otherOwner.get(), "Edit");
  edit->SetParent(panel);
  ASSERT_TRUE(edit->HandleAllocated());
  HWND window = edit->Handle();
  ASSERT_EQ(otherOwner->ComponentCount(), 1);
  panel->Free();
  EXPECT_EQ(otherOwner->ComponentCount(), 0);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(form->ControlCount(), 0);
}

TEST(UiComponent, MessageObserversSeeMessagesFirstAndMayStopThem) {
  auto form = uitest::MakeForm();
  std::vector<std::string> seen;
  int keyDowns = 0;
  form->OnKeyDown = [&](TObject*, WORD&, TShiftState) { ++keyDowns; };
  int watcher = form->AddMessageObserver([&](TMessage& message) {
    if (message.Msg == WM_KEYDOWN)
      seen.push_back("watcher");
    return false;
  });
  int stopper = form->AddMessageObserver([&](TMessage& message) {
    if (message.Msg != WM_KEYDOWN)
      return false;
    seen.push_back("stopper");
    message.Result = 7;
    return true;
  });
  EXPECT_EQ(SendMessageA(form->Handle(), WM_KEYDOWN, 'A', 1), 7);
  EXPECT_EQ(keyDowns, 0);
  form->RemoveMessageObserver(stopper);
  SendMessageA(form->Handle(), WM_KEYDOWN, 'A', 1);
  EXPECT_EQ(keyDowns, 1);
  form->RemoveMessageObserver(watcher);
  SendMessageA(form->Handle(), WM_KEYDOWN, 'A', 1);
  EXPECT_EQ(seen, (std::vector<std::string>{"watcher", "stopper", "watcher"}));
}

} // namespace
