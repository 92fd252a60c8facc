// Forms: the order of their events, close actions, MDI frames and children, modal forms,
// minimising the main form and the application's activation.
#include "ui/Forms.h"
#include "FormFixture.h"
#include "core/Exceptions.h"
#include "ui/Application.h"
#include "ui/Buttons.h"
#include "ui/Timer.h"

#include <gtest/gtest.h>

using namespace quolin;

namespace {

uitest::EventLog* formLog = nullptr;

// Logs every form event from its creation on.
class TLoggedForm : public TForm {
protected:
  explicit TLoggedForm(TComponent* owner) : TForm(owner) {
    OnCreate = formLog->Notify("create");
    OnShow = formLog->Notify("show");
    OnActivate = formLog->Notify("activate");
    OnDeactivate = formLog->Notify("deactivate");
    OnHide = formLog->Notify("hide");
    OnDestroy = formLog->Notify("destroy");
    OnCloseQuery = [](TObject*, bool&) { formLog->entries.push_back("closequery"); };
    OnClose = [](TObject*, TCloseAction&) { formLog->entries.push_back("close"); };
  }
};

TForm* MakeChild(TForm& frame, const char* name) {
  auto* child = TComponent::Create<TForm>(&frame, name);
  child->SetFormStyle(TFormStyle::fsMDIChild);
  child->SetCaption(name);
  child->Show();
  return child;
}

TOwned<TForm> MakeFrame() {
  auto frame = uitest::MakeForm();
  frame->SetFormStyle(TFormStyle::fsMDIForm);
  frame->Show();
  return frame;
}

using uitest::Later;

TEST(UiForms, EventsRunInOrderFromCreateToDestroy) {
  uitest::EventLog log;
  formLog = &log;
  TLoggedForm* form = TComponent::Create<TLoggedForm>(nullptr);
  form->Show();
  uitest::Pump();
  form->Close();
  uitest::Pump();
  EXPECT_FALSE(form->Visible());
  form->Free();
  formLog = nullptr;
  EXPECT_EQ(log.Joined(), "create,show,activate,closequery,close,hide,deactivate,destroy");
}

TEST(UiForms, CloseActionsHideFreeOrKeepTheForm) {
  auto form = uitest::MakeForm();
  form->Show();
  form->Close();
  EXPECT_FALSE(form->Visible()) << "caHide by default";

  form->Show();
  form->OnCloseQuery = [](TObject*, bool& canClose) { canClose = false; };
  bool closed = false;
  form->OnClose = [&](TObject*, TCloseAction&) { closed = true; };
  form->Close();
  EXPECT_TRUE(form->Visible());
  EXPECT_FALSE(closed) << "a refused close query stops there";

  form->OnCloseQuery = nullptr;
  form->OnClose = [](TObject*, TCloseAction& action) { action = TCloseAction::caNone; };
  form->Close();
  EXPECT_TRUE(form->Visible());

  TForm* freed = TComponent::Create<TForm>(nullptr);
  bool destroyed = false;
  freed->OnDestroy = [&](TObject*) { destroyed = true; };
  freed->OnClose = [](TObject*, TCloseAction& action) { action = TCloseAction::caFree; };
  freed->Show();
  freed->Close();
  EXPECT_FALSE(destroyed) << "freed once the current message is done";
  EXPECT_TRUE(uitest::PumpUntil([&] { return destroyed; }));
}

TEST(UiForms, MdiChildNeedsAFrameAndMinimisesOnCloseOrStaysWithoutAMinimiseBox) {
  auto frame = MakeFrame();
  TForm* child = MakeChild(*frame, "Child");
  child->Close();
  EXPECT_EQ(child->WindowState(), TWindowState::wsMinimized);
  child->SetWindowState(TWindowState::wsNormal);
  child->SetBorderIcons(biSystemMenu);
  child->Close();
  EXPECT_EQ(child->WindowState(), TWindowState::wsNormal);
  EXPECT_TRUE(child->Visible());

  auto lone = uitest::MakeForm();
  EXPECT_THROW(lone->SetFormStyle(TFormStyle::fsMDIChild), EInvalidOperation) << "no frame";
  EXPECT_EQ(lone->FormStyle(), TFormStyle::fsNormal);
}

TEST(UiForms, MdiFrameAsksEachChildFirstAndChildrenGetNoOnClose) {
  auto frame = MakeFrame();
  TForm* first = MakeChild(*frame, "First");
  TForm* second = MakeChild(*frame, "Second");
  uitest::EventLog log;
  bool secondAgrees = false;
  first->OnCloseQuery = [&](TObject*, bool&) { log.entries.push_back("first"); };
  second->OnCloseQuery = [&](TObject*, bool& canClose) {
    log.entries.push_back("second");
    canClose = secondAgrees;
  };
  frame->OnCloseQuery = [&](TObject*, bool&) { log.entries.push_back("frame"); };
  first->OnClose = [&](TObject*, TCloseAction&) { log.entries.push_back("first closed"); };
  second->OnClose = [&](TObject*, TCloseAction&) { log.entries.push_back("second closed"); };

  frame->Close();
  EXPECT_TRUE(frame->Visible());
  EXPECT_EQ(log.Joined(), "second") << "the active child is asked first and refuses";
  log.entries.clear();
  secondAgrees = true;
  frame->Close();
  EXPECT_FALSE(frame->Visible());
  EXPECT_EQ(log.Joined(), "second,first,frame");

  // A child closed to be freed is not asked again when the frame closes before the child's
  // release is handled.
  frame->Show();
  TForm* freed = MakeChild(*frame, "Freed");
  int asked = 0;
  freed->OnCloseQuery = [&](TObject*, bool&) { ++asked; };
  freed->OnClose = [](TObject*, TCloseAction& action) { action = TCloseAction::caFree; };
  freed->Close();
  frame->Close();
  EXPECT_EQ(asked, 1);
  EXPECT_FALSE(frame->Visible());
}

TEST(UiForms, MdiChildrenComeInZOrderWithTheActiveOneFirst) {
  auto frame = MakeFrame();
  TForm* a = MakeChild(*frame, "A");
  TForm* b = MakeChild(*frame, "B");
  TForm* c = MakeChild(*frame, "C");
  ASSERT_EQ(frame->MDIChildCount(), 3);
  EXPECT_EQ(frame->MDIChildren(0), c);
  EXPECT_EQ(frame->ActiveMDIChild(), c);
  a->Show();
  EXPECT_EQ(frame->ActiveMDIChild(), a);
  EXPECT_EQ(frame->MDIChildren(0), a);
  EXPECT_EQ(frame->MDIChildren(1), c);
  EXPECT_EQ(frame->MDIChildren(2), b);
  EXPECT_TRUE(a->Active());
  EXPECT_FALSE(c->Active());
  b->Free();
  EXPECT_EQ(frame->MDIChildCount(), 2);
  EXPECT_EQ(frame->MDIChildren(3), nullptr);
}

TEST(UiForms, MdiClientShowsTheFrameColour) {
  auto frame = MakeFrame();
  auto clientPixel = [&] {
    HWND client = frame->ClientHandle();
    RedrawWindow(client, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW);
    HDC dc = GetDC(client);
    COLORREF pixel = GetPixel(dc, 10, 10);
    ReleaseDC(client, dc);
    return pixel;
  };
  frame->SetColor(0x204060);
  EXPECT_EQ(clientPixel(), static_cast<COLORREF>(0x204060));
  frame->SetColor(clRed);
  EXPECT_EQ(clientPixel(), static_cast<COLORREF>(clRed));
}

TEST(UiForms, ShowModalDisablesTheOtherWindowsGivesThemBackAndEndsOnlyWhenTheFormCloses) {
  auto owner = uitest::MakeForm();
  owner->Show();
  ASSERT_TRUE(uitest::PumpUntil([&] { return GetActiveWindow() == owner->Handle(); }));
  auto dialog = uitest::MakeForm();
  auto* ok = uitest::AddTo<TButton>(*dialog, "OK");
  ok->ModalResult = mrOk;
  bool ownerEnabledWhileModal = true;
  bool modalWhileShown = false;
  Later(dialog.get(), [&] {
    ownerEnabledWhileModal = IsWindowEnabled(owner->Handle());
    modalWhileShown = dialog->Modal();
    ok->Click();
  });
  EXPECT_EQ(dialog->ShowModal(), mrOk);
  EXPECT_FALSE(ownerEnabledWhileModal);
  EXPECT_TRUE(modalWhileShown);
  EXPECT_TRUE(IsWindowEnabled(owner->Handle()));
  EXPECT_FALSE(dialog->Visible());
  EXPECT_EQ(GetActiveWindow(), owner->Handle());

  Later(dialog.get(), [&] { dialog->Close(); });
  EXPECT_EQ(dialog->ShowModal(), mrCancel) << "closing a modal form gives mrCancel";

  // A close action of caNone keeps the form up.
  int closes = 0;
  dialog->OnClose = [&](TObject*, TCloseAction& action) {
    if (++closes == 1)
      action = TCloseAction::caNone;
  };
  Later(dialog.get(), [&] {
    dialog->SetModalResult(mrOk);
    Later(dialog.get(), [&] { dialog->SetModalResult(mrYes); });
  });
  EXPECT_EQ(dialog->ShowModal(), mrYes);
  EXPECT_EQ(closes, 2);

  dialog->Show();
  EXPECT_THROW(dialog->ShowModal(), EInvalidOperation) << "a shown form";
}

TEST(UiForms, MinimisingTheMainFormHidesTheFormsAndRestoreBringsThemBack) {
  TForm* main = Application->CreateForm<TForm>("MinimisedMain");
  ASSERT_EQ(Application->MainForm(), main);
  auto other = uitest::MakeForm();
  other->Show();
  main->Show();
  auto* events = TComponent::Create<TApplicationEvents>(main, "Events");
  uitest::EventLog log;
  events->OnMinimize = log.Notify("minimize");
  events->OnRestore = log.Notify("restore");

  SendMessageA(main->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(IsIconic(Application->Handle()));
  EXPECT_TRUE(Application->Minimized());
  EXPECT_FALSE(IsWindowVisible(main->Handle()));
  EXPECT_FALSE(IsWindowVisible(other->Handle())) << "owned forms are hidden by hand";
  EXPECT_TRUE(main->Visible());

  SendMessageA(Application->Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_FALSE(Application->Minimized());
  EXPECT_TRUE(IsWindowVisible(main->Handle()));
  EXPECT_TRUE(IsWindowVisible(other->Handle()));
  EXPECT_EQ(log.Joined(), "minimize,restore");
  main->Free();
  EXPECT_EQ(Application->MainForm(), nullptr);
}

const COLORREF ownerColour = RGB(0, 200, 0), ownedColour = RGB(200, 0, 0);

// A form at a place of its own, painted in one colour, not shown yet.
TOwned<TForm> MakePlainForm(const RECT& bounds, COLORREF colour) {
  auto form = uitest::MakeForm();
  form->SetPosition(TPosition::poDesigned);
  form->SetBounds(bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top);
  form->SetColor(static_cast<TColor>(colour));
  return form;
}

// What the screen shows: Wine can raise an activated form alone, over the forms it owns.
TEST(UiForms, OwnedFormsStayOverTheirOwnerWhenItComesToTheFront) {
  auto owner = MakePlainForm({100, 100, 500, 400}, ownerColour);
  owner->Show();
  auto owned = MakePlainForm({200, 200, 360, 300}, ownedColour);
  owned->SetPopupParent(owner.get());
  owned->Show();
  ASSERT_EQ(GetWindow(owned->Handle(), GW_OWNER), owner->Handle());
  uitest::Pump();
  POINT centre = uitest::ScreenCentre(owned->Handle());
  ASSERT_EQ(uitest::ScreenPixel(centre), ownedColour);
  {
    uitest::ForeignActiveWindow foreign;
    ASSERT_TRUE(uitest::PumpUntil([&] {
      HWND foreground = GetForegroundWindow();
      return foreground && foreground != owner->Handle() && foreground != owned->Handle();
    }));
  }
  SetForegroundWindow(owner->Handle());
  // The activation may go on to the owned form, as to a modeless dialog.
  ASSERT_TRUE(uitest::PumpUntil([&] {
    HWND foreground = GetForegroundWindow();
    return foreground == owner->Handle() || foreground == owned->Handle();
  }));
  uitest::Pump();
  EXPECT_EQ(uitest::ScreenPixel(centre), ownedColour);
  EXPECT_FALSE(GetWindowLongA(owned->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

// As at start-up: the owner comes to the front under a stay-on-top splash, and its owned form
// shows only then, without activation, as a floating tool window does.
TEST(UiForms, OwnedFormsShowOverTheirOwnerOnceAStayOnTopFormOverThemHides) {
  auto owner = MakePlainForm({100, 100, 500, 400}, ownerColour);
  auto owned = MakePlainForm({200, 200, 360, 300}, ownedColour);
  owned->SetPopupParent(owner.get());
  auto splash = MakePlainForm({600, 100, 700, 200}, RGB(255, 255, 255));
  splash->SetFormStyle(TFormStyle::fsStayOnTop);
  splash->Show();
  owner->Show();
  ASSERT_TRUE(uitest::PumpUntil([&] { return GetForegroundWindow() == owner->Handle(); }));
  ShowWindow(owned->Handle(), SW_SHOWNA);
  uitest::Pump();
  POINT centre = uitest::ScreenCentre(owned->Handle());
  splash->Hide();
  EXPECT_TRUE(uitest::PumpUntil([&] { return uitest::ScreenPixel(centre) == ownedColour; }));
}

TEST(UiForms, ClosingTheMainFormEndsRun) {
  TForm* main = Application->CreateForm<TForm>("RunMain");
  bool closeAsked = false;
  main->OnClose = [&](TObject*, TCloseAction&) { closeAsked = true; };
  Later(main, [&] { main->Close(); });
  Application->Run();
  EXPECT_TRUE(closeAsked);
  EXPECT_FALSE(Application->Terminated());
  main->Free();
}

TEST(UiForms, ApplicationActivationChangesOnlyOnARealChange) {
  auto first = uitest::MakeForm();
  auto second = uitest::MakeForm();
  auto* events = TComponent::Create<TApplicationEvents>(first.get(), "Events");
  uitest::EventLog log;
  events->OnActivate = log.Notify("activate");
  events->OnDeactivate = log.Notify("deactivate");
  bool wasActive = Application->Active();
  for (bool active : {!wasActive, wasActive}) {
    SendMessageA(first->Handle(), WM_ACTIVATEAPP, active, 0);
    SendMessageA(second->Handle(), WM_ACTIVATEAPP, active, 0);
    EXPECT_EQ(Application->Active(), active);
  }
  EXPECT_EQ(log.Joined(), wasActive ? "deactivate,activate" : "activate,deactivate");
}

} // namespace
