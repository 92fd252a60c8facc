// The group box and the frame: containers that group radio buttons, and that own their
// components so that names repeat from frame to frame.
#include "FormFixture.h"
#include "ui/Buttons.h"
#include "ui/Edits.h"
#include "ui/Panels.h"

#include <gtest/gtest.h>

using namespace quolin;
using uitest::FormDriver;

namespace {

POINT Middle(TControl& control) {
  return POINT{control.Width() / 2, control.Height() / 2};
}

using UiGroupBox = uitest::FormTest;

TEST_F(UiGroupBox, RadioButtonsInTwoBoxesFormTwoGroups) {
  form->Show();
  TRadioButton* radios[4] = {};
  for (int box = 0; box < 2; ++box) {
    auto* group = Add<TGroupBox>(box == 0 ? "GroupBox1" : "GroupBox2");
    group->SetBounds(10 + 200 * box, 10, 180, 100);
    group->SetCaption(box == 0 ? "行列" : "罫線");
    for (int i = 0; i < 2; ++i) {
      radios[box * 2 + i] =
          Add<TRadioButton>(("Radio" + std::to_string(box * 2 + i)).c_str(), group);
      radios[box * 2 + i]->SetBounds(10, 20 + 30 * i, 100, 20);
    }
  }
  radios[0]->SetChecked(true);
  radios[2]->SetChecked(true);
  FormDriver::Click(*radios[1]);
  EXPECT_TRUE(radios[1]->Checked());
  EXPECT_FALSE(radios[0]->Checked());
  EXPECT_TRUE(radios[2]->Checked()) << "the other box's group keeps its check";
  FormDriver::Click(*radios[3]);
  EXPECT_FALSE(radios[2]->Checked());
  EXPECT_TRUE(radios[1]->Checked());
}

TEST_F(UiGroupBox, ACheckBoxInsideGetsItsClickAndAlignedChildrenStayBelowTheCaption) {
  form->Show();
  auto* group = Add<TGroupBox>("GroupBox1");
  group->SetBounds(10, 10, 200, 120);
  group->SetCaption("書式");
  auto* check = Add<TCheckBox>("CheckBox1", group);
  check->SetBounds(10, 30, 120, 20);
  int clicks = 0;
  check->OnClick = [&](TObject*) { ++clicks; };
  FormDriver::ClickAt(check->Handle(), Middle(*check));
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(check->Checked());

  auto* panel = Add<TPanel>("Panel1", group);
  panel->SetAlign(alBottom);
  panel->SetHeight(30);
  EXPECT_EQ(panel->Top() + panel->Height(), group->ClientHeight() - 2) << "inside the frame";
  panel->SetAlign(alClient);
  EXPECT_GT(panel->Top(), 8) << "below the caption";
}

// Counts its Loaded calls and its instances.
class TLoadProbe : public TComponent {
public:
  int loads = 0;
  static inline int alive = 0;

protected:
  explicit TLoadProbe(TComponent* owner) : TComponent(owner) { ++alive; }
  ~TLoadProbe() override { --alive; }
  void Loaded() override {
    TComponent::Loaded();
    ++loads;
  }
};

class TProbeFrame : public TFrame {
public:
  TEdit* edit = nullptr;
  TLoadProbe* probe = nullptr;
  int loads = 0;

protected:
  explicit TProbeFrame(TComponent* owner) : TFrame(owner) {
    edit = Create<TEdit>(this, "Edit1");
    edit->SetParent(this);
    probe = Create<TLoadProbe>(this, "Probe");
  }
  void Loaded() override {
    TFrame::Loaded();
    ++loads;
  }
};

class TOuterFrame : public TProbeFrame {
public:
  TProbeFrame* inner = nullptr;

protected:
  explicit TOuterFrame(TComponent* owner) : TProbeFrame(owner) {
    inner = Create<TProbeFrame>(this, "Inner");
    inner->SetParent(this);
  }
};

class TFramedForm : public TForm {
public:
  TProbeFrame* first = nullptr;
  TProbeFrame* second = nullptr;
  TOuterFrame* outer = nullptr;

protected:
  explicit TFramedForm(TComponent* owner) : TForm(owner) {
    first = Create<TProbeFrame>(this, "Frame1");
    first->SetParent(this);
    second = Create<TProbeFrame>(this, "Frame2");
    second->SetParent(this);
    second->SetLeft(320);
    outer = Create<TOuterFrame>(this, "Outer");
    outer->SetParent(this);
  }
};

// Loaded ran exactly once on the frame and on its component.
void ExpectLoadedOnce(const TProbeFrame& frame, const char* which) {
  EXPECT_EQ(frame.loads, 1) << which;
  EXPECT_EQ(frame.probe->loads, 1) << which;
  EXPECT_FALSE(frame.Loading()) << which;
  EXPECT_FALSE(frame.probe->Loading()) << which;
}

TEST(UiFrame, TwoFramesOnOneFormEachHoldAnEdit1) {
  auto form = uitest::MakeForm<TFramedForm>();
  FormDriver driver(*form);
  EXPECT_EQ(&driver.Control("Frame1.Edit1"), form->first->edit);
  EXPECT_EQ(&driver.Control("Frame2.Edit1"), form->second->edit);
  EXPECT_EQ(&driver.Control("Outer.Inner.Edit1"), form->outer->inner->edit);
  EXPECT_EQ(&driver.Control("Outer.Edit1"), form->outer->edit);
  EXPECT_EQ(&driver.Control("Edit1"), form->first->edit) << "depth first";
  EXPECT_EQ(form->first->edit->Parent(), form->first);
  EXPECT_THROW(driver.Control("Frame1.Edit2"), std::invalid_argument);
  EXPECT_THROW(driver.Get<TButton>("Frame1.Edit1"), std::invalid_argument);

  // A notification reaches the control through its parent, as Windows sends it.
  auto& edit = driver.Get<TEdit>("Frame2.Edit1");
  int changes = 0;
  edit.OnChange = [&](TObject*) { ++changes; };
  FormDriver::Notify(edit, EN_CHANGE);
  EXPECT_EQ(changes, 1);
  FormDriver::Notify(edit, EN_SETFOCUS);
  EXPECT_EQ(changes, 1);
}

TEST(UiFrame, LoadedRunsOnceInEveryFrame) {
  auto form = uitest::MakeForm<TFramedForm>();
  ExpectLoadedOnce(*form->first, "made in the form's constructor");
  ExpectLoadedOnce(*form->outer, "outer frame");
  ExpectLoadedOnce(*form->outer->inner, "a frame inside a frame");

  auto* later = TComponent::Create<TProbeFrame>(form.get(), "Later");
  ExpectLoadedOnce(*later, "made later");
  auto* nested = TComponent::Create<TOuterFrame>(form.get(), "LaterOuter");
  ExpectLoadedOnce(*nested, "made later, outer");
  ExpectLoadedOnce(*nested->inner, "made later, inner");
}

TEST(UiFrame, FreeingAFrameFreesItsComponents) {
  auto form = uitest::MakeForm<TFramedForm>();
  int before = TLoadProbe::alive;
  form->outer->Free();
  EXPECT_EQ(TLoadProbe::alive, before - 2);
  EXPECT_EQ(form->FindComponent("Outer"), nullptr);
  form->first->Free();
  EXPECT_EQ(TLoadProbe::alive, before - 3);
  EXPECT_EQ(form->ControlCount(), 1);
}

} // namespace
