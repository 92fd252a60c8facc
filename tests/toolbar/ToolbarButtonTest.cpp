// The toolbar button driven by messages sent to it: groups and Down, press tracking, repeat,
// drop-down decisions and placement, painting, the glyph cache and dialog keys.
#include "ButtonFixture.h"
#include "DockFixture.h"

#include "ui/FormFixture.h"
#include "ui/Menus.h"

using namespace buttontest;

namespace {

class ButtonGroups : public ButtonForm {};
class ButtonMouse : public ButtonForm {};
class ButtonRepeat : public ButtonForm {};
class ButtonDropdown : public ButtonForm {};
class ButtonPaint : public ButtonForm {};
class GlyphCache : public ButtonForm {};
class ButtonKeys : public ButtonForm {};

TEST_F(ButtonGroups, NewButtonsAndTheDownCases) {
  TToolbarButton* a = Add();
  EXPECT_EQ(a->Width(), 22);
  EXPECT_EQ(a->Height(), 23);
  EXPECT_TRUE(a->Flat() && a->DropdownArrow() && a->HighlightWhenDown() && a->Opaque());
  EXPECT_EQ(a->Spacing(), 4);
  EXPECT_EQ(a->ImageIndex(), -1);
  EXPECT_EQ(a->NumGlyphs(), 1);

  a->SetDown(true);
  EXPECT_FALSE(a->Down()) << "no group";
  TToolbarButton* b = Add(40);
  TToolbarButton* c = Add(70);
  for (TToolbarButton* button : {a, b, c})
    button->SetGroupIndex(1);
  a->SetDown(true);
  b->SetDown(true);
  EXPECT_FALSE(a->Down());
  EXPECT_TRUE(b->Down());
  EXPECT_EQ(b->State(), bsExclusive);
  b->SetDown(false);
  EXPECT_TRUE(b->Down()) << "up only with AllowAllUp";
  b->Click();
  EXPECT_TRUE(b->Down()) << "a click leaves it down";
  EXPECT_EQ(clicks[b], 1);

  c->SetAllowAllUp(true);
  EXPECT_TRUE(a->AllowAllUp() && b->AllowAllUp()) << "the group shares it";
  a->SetAllowAllUp(false);
  TToolbarButton* d = Add(100);
  d->SetAllowAllUp(true);
  d->SetGroupIndex(1);
  d->SetDown(true);
  EXPECT_FALSE(b->Down());
  EXPECT_TRUE(c->AllowAllUp()) << "going down spreads the button's own";
  d->SetGroupIndex(0);
  EXPECT_FALSE(d->Down()) << "group 0 puts it up";
}

TEST_F(ButtonGroups, ActionCheckedFollowsDown) {
  TToolbarButton* button = Add();
  button->SetGroupIndex(2);
  button->SetAllowAllUp(true);
  button->SetDown(true);
  auto* action = TComponent::Create<TAction>(form.get());
  action->SetCaption("Act");
  action->SetImageIndex(3);
  action->SetHelpContext(7);
  button->SetAction(action);
  EXPECT_TRUE(action->Checked()) << "taken from Down";
  EXPECT_EQ(button->Caption(), "Act");
  EXPECT_EQ(button->ImageIndex(), 3);
  EXPECT_EQ(button->HelpContext, 7);
  action->SetChecked(false);
  EXPECT_FALSE(button->Down());
  button->SetDown(true);
  EXPECT_TRUE(action->Checked());
  action->SetEnabled(false);
  EXPECT_FALSE(button->Enabled());
  int executed = 0;
  action->OnExecute = [&](TObject*) { ++executed; };
  button->OnClick = nullptr;
  action->SetEnabled(true);
  button->Click();
  EXPECT_EQ(executed, 1);
  action->Free();
  EXPECT_EQ(button->Action(), nullptr);
}

TEST_F(ButtonMouse, PressTrackingClicksOnlyOnReleaseOverTheButton) {
  TToolbarButton* button = Add();
  Press(button);
  EXPECT_EQ(button->State(), bsDown);
  MoveHeld(button, 40);
  EXPECT_EQ(button->State(), bsUp);
  MoveHeld(button, 5);
  Release(button);
  EXPECT_EQ(clicks[button], 1);
  Press(button);
  MoveHeld(button, 40);
  Release(button, 40);
  EXPECT_EQ(clicks[button], 1) << "released outside";

  Press(button);
  Mouse(button, WM_RBUTTONUP, 5, 5, MK_LBUTTON);
  EXPECT_NE(button->State(), bsDown) << "right release";
  Release(button);
  Press(button);
  SendMessageA(button->Handle(), WM_CANCELMODE, 0, 0);
  EXPECT_NE(button->State(), bsDown) << "cancel mode";
  Release(button);
  EXPECT_EQ(clicks[button], 1);

  int doubles = 0;
  button->OnDblClick = [&](TObject*) { ++doubles; };
  Mouse(button, WM_LBUTTONDBLCLK, 5, 5, MK_LBUTTON);
  Release(button);
  EXPECT_EQ(doubles, 0) << "not down";
  button->SetGroupIndex(1);
  button->SetDown(true);
  Mouse(button, WM_LBUTTONDBLCLK, 5, 5, MK_LBUTTON);
  Release(button);
  EXPECT_EQ(doubles, 1);
}

TEST_F(ButtonRepeat, ClicksAtOnceThenEachTickWhileHeldOverTheButton) {
  TToolbarButton* button = Add();
  button->Repeating = true;
  Press(button);
  EXPECT_EQ(clicks[button], 1);
  TTimer* timer = button->RepeatTimer();
  ASSERT_NE(timer, nullptr);
  EXPECT_TRUE(timer->Enabled());
  EXPECT_EQ(timer->Interval(), 400u);
  FireTimer(timer);
  EXPECT_EQ(timer->Interval(), 100u);
  EXPECT_EQ(clicks[button], 2);
  FireTimer(timer);
  EXPECT_EQ(clicks[button], 3);
  MoveHeld(button, 40);
  FireTimer(timer);
  EXPECT_EQ(clicks[button], 3) << "off the button";
  MoveHeld(button, 5);
  FireTimer(timer);
  EXPECT_EQ(clicks[button], 4);
  Release(button);
  EXPECT_FALSE(timer->Enabled());
  EXPECT_EQ(clicks[button], 4) << "the release does not click again";

  Press(button);
  EXPECT_EQ(timer->Interval(), 400u);
  SendMessageA(button->Handle(), WM_CANCELMODE, 0, 0);
  EXPECT_FALSE(timer->Enabled());
  FireTimer(timer);
  EXPECT_EQ(clicks[button], 5) << "one for the press only";
  Release(button);
}

TEST_F(ButtonDropdown, ArrowWidthComboPressesAndDropdownEvent) {
  TToolbarButton* button = Add();
  button->SetDropdownArrowWidth(3);
  EXPECT_EQ(button->DropdownArrowWidth(), 7);
  button->SetDropdownArrowWidth(9);
  button->SetDropdownCombo(true);
  EXPECT_EQ(button->Width(), 33);
  button->SetDropdownAlways(true);
  int dropdowns = 0;
  bool menuOffered = true;
  button->OnDropdown = [&](TObject*, bool& showMenu, bool&) {
    ++dropdowns;
    menuOffered = showMenu;
  };
  Press(button, 5);
  Release(button, 5);
  EXPECT_EQ(clicks[button], 1);
  EXPECT_EQ(dropdowns, 0) << "the main part clicks";
  Press(button, 25);
  Release(button, 25);
  EXPECT_EQ(dropdowns, 1) << "the arrow part opens";
  EXPECT_FALSE(menuOffered) << "no menu";
  EXPECT_EQ(clicks[button], 1) << "a combo's arrow does not click";

  auto* menu = TComponent::Create<TPopupMenu>(form.get());
  int popups = 0;
  menu->OnPopup = [&](TObject*) { ++popups; };
  button->SetDropdownMenu(menu);
  button->SetDropdownCombo(false);
  EXPECT_EQ(button->Width(), 22);
  button->OnDropdown = [&](TObject*, bool& showMenu, bool&) {
    ++dropdowns;
    menuOffered = showMenu;
    showMenu = false;
  };
  Press(button, 5);
  Release(button, 5);
  EXPECT_EQ(dropdowns, 2);
  EXPECT_TRUE(menuOffered);
  EXPECT_EQ(popups, 0) << "ShowMenu cleared";
  EXPECT_EQ(clicks[button], 2) << "a whole drop-down button clicks first";
  EXPECT_EQ(button->State(), bsUp);
}

class ButtonDropdownPlacement : public docktest::DockedForm {};

TEST_F(ButtonDropdownPlacement, MenuPlacePerDock) {
  // The menu opens at the button's corner on the side away from the dock's edge.
  struct Case {
    TDock* dock;
    bool rightAligned, atRightEdge, atBottom;
  };
  for (Case entry : {Case{top, false, false, true}, Case{left, false, true, false},
                     Case{right, true, false, false}, Case{nullptr, false, false, true}}) {
    SCOPED_TRACE(entry.dock ? entry.dock->Name() : "floating");
    TToolWindow* window = Window(60, 30, entry.dock);
    auto* button = TComponent::Create<TToolbarButton>(form.get());
    button->SetParent(window);
    uitest::Pump();
    RECT rect;
    GetWindowRect(button->Handle(), &rect);
    TDropdownPlace place = button->DropdownPlace();
    EXPECT_EQ(place.rightAligned, entry.rightAligned);
    EXPECT_EQ(place.point.x, entry.atRightEdge ? rect.right : rect.left);
    EXPECT_EQ(place.point.y, entry.atBottom ? rect.bottom : rect.top);
  }
}

TEST_F(ButtonPaint, BorderCheckerAndDisabledColours) {
  TToolbarButton* button = Add();
  EXPECT_EQ(Painted(*button).At(0, 0), Rgb(clBtnFace)) << "flat, not hot";
  form->SetColor(clYellow);
  button->SetOpaque(false);
  EXPECT_EQ(Painted(*button).At(0, 0), Rgb(clYellow)) << "the form shows through";
  button->SetOpaque(true);
  button->MouseEntered();
  EXPECT_EQ(Painted(*button).At(0, 0), Rgb(clBtnHighlight)) << "hot";
  button->MouseLeft();
  button->SetGroupIndex(1);
  button->SetDown(true);
  Painted down(*button);
  EXPECT_EQ(down.At(0, 0), Rgb(clBtnShadow));
  EXPECT_EQ(down.At(4, 4), Rgb(clBtnHighlight)) << "same parity";
  EXPECT_EQ(down.At(4, 5), Rgb(clBtnFace));
  EXPECT_EQ(down.At(9, 7), Rgb(clBtnHighlight));
  button->SetHighlightWhenDown(false);
  EXPECT_EQ(Painted(*button).At(4, 5), Rgb(clBtnFace));
  EXPECT_EQ(Painted(*button).At(4, 4), Rgb(clBtnFace));

  TToolbarButton* text = Add(40);
  text->SetWidth(60);
  text->SetCaption("Ab");
  text->SetDropdownAlways(true);
  text->Font().SetColor(clBlack);
  EXPECT_GT(Painted(*text).Count(clBlack), 0);
  text->SetEnabled(false);
  Painted disabled(*text);
  EXPECT_EQ(disabled.Count(clBlack), 0);
  EXPECT_GT(disabled.Count(clBtnHighlight), 0);
  EXPECT_GT(disabled.Count(clBtnShadow), 0);
  text->SetCaption("");
  Painted arrow(*text);
  EXPECT_EQ(arrow.Count(clBtnShadow), 9) << "the arrow's 5 + 3 + 1 pixels";
  EXPECT_EQ(arrow.Count(clBtnHighlight), 5) << "less the 4 the shadow covers";
}

// A strip of squares in each colour on a fuchsia ground.
void Strip(TBitmap& strip, std::initializer_list<TColor> colours) {
  strip.SetSize(8 * static_cast<int>(colours.size()), 8, clFuchsia);
  TMemoryDC dc(strip.Handle());
  int x = 0;
  for (TColor colour : colours) {
    HBRUSH brush = CreateSolidBrush(ColorToRGB(colour));
    RECT square{x + 2, 2, x + 6, 6};
    FillRect(dc.Get(), &square, brush);
    DeleteObject(brush);
    x += 8;
  }
}

TEST_F(ButtonPaint, GlyphsFromAStripAndFromAnImageList) {
  TToolbarButton* button = Add();
  TBitmap strip;
  Strip(strip, {clRed, clLime, clBlue});
  button->SetGlyph(strip);
  button->SetNumGlyphs(3);
  // 8 x 8 in 22 x 23: at (7, 8); the square at (9, 10) to (12, 13), 1 further when down.
  EXPECT_EQ(Painted(*button).At(11, 12), Rgb(clRed));
  EXPECT_EQ(Painted(*button).At(7, 8), Rgb(clBtnFace)) << "transparent";
  button->MouseEntered();
  EXPECT_EQ(Painted(*button).At(11, 12), Rgb(clRed)) << "mouse-in from the up image";
  button->MouseLeft();
  Press(button);
  EXPECT_EQ(Painted(*button).At(11, 12), Rgb(clBlue)) << "pressed";
  MoveHeld(button, 40);
  Release(button, 40);
  button->SetGroupIndex(1);
  button->SetDown(true);
  EXPECT_EQ(Painted(*button).At(11, 12), Rgb(clRed)) << "exclusive from the up image";
  button->SetEnabled(false);
  EXPECT_EQ(Painted(*button).At(11, 12), Rgb(clLime));
  button->SetNumGlyphs(9);
  EXPECT_EQ(button->NumGlyphs(), 5);
  button->SetNumGlyphs(0);
  EXPECT_EQ(button->NumGlyphs(), 1);
  Painted embossed(*button);
  EXPECT_EQ(embossed.At(11, 12), Rgb(clBtnShadow)) << "derived disabled image";
  EXPECT_EQ(embossed.At(13, 14), Rgb(clBtnHighlight));

  auto* images = TComponent::Create<TImageList>(form.get());
  images->SetSize(8, 8);
  TBitmap yellow;
  Strip(yellow, {clYellow});
  images->AddMasked(yellow, clFuchsia);
  TToolbarButton* listed = Add(40);
  listed->SetImages(images);
  listed->SetImageIndex(0);
  listed->SetNumGlyphs(3);
  EXPECT_EQ(listed->NumGlyphs(), 1) << "always 1 with a list";
  EXPECT_EQ(Painted(*listed).At(11, 12), Rgb(clYellow));
  EXPECT_EQ(Painted(*listed).At(7, 8), Rgb(clBtnFace));
  listed->SetEnabled(false);
  Painted listedEmbossed(*listed);
  EXPECT_EQ(listedEmbossed.At(11, 12), Rgb(clBtnShadow)) << "the list's image embossed";
  EXPECT_EQ(listedEmbossed.At(13, 14), Rgb(clBtnHighlight));
  EXPECT_EQ(listedEmbossed.At(7, 8), Rgb(clBtnFace)) << "only the image's shape";
  images->Free();
  EXPECT_EQ(listed->Images(), nullptr);
}

TEST_F(GlyphCache, ListsAreSharedSlotsReusedAndFreed) {
  const int lists = quolin::GlyphCache().ListCount();
  const int used = quolin::GlyphCache().UsedSlots();
  TBitmap strip;
  Strip(strip, {clRed});
  TToolbarButton* a = Add();
  TToolbarButton* b = Add(40);
  a->SetGlyph(strip);
  b->SetGlyph(strip);
  Painted{*a};
  Painted{*b};
  EXPECT_EQ(quolin::GlyphCache().ListCount(), lists + 1) << "one list for one size";
  EXPECT_EQ(quolin::GlyphCache().UsedSlots(), used + 2);
  const int first = a->ButtonGlyph().Index(bsUp);
  a->SetGlyph(strip);
  EXPECT_EQ(a->ButtonGlyph().Index(bsUp), -1);
  Painted{*a};
  EXPECT_EQ(a->ButtonGlyph().Index(bsUp), first) << "the freed slot again";

  SendMessageA(form->Handle(), WM_SYSCOLORCHANGE, 0, 0);
  EXPECT_EQ(b->ButtonGlyph().Index(bsUp), -1) << "the form passes a system colour change on";
  EXPECT_EQ(a->ButtonGlyph().Index(bsUp), -1);
  EXPECT_EQ(quolin::GlyphCache().UsedSlots(), used);
  Painted{*b};
  EXPECT_GE(b->ButtonGlyph().Index(bsUp), 0) << "and the next paint builds again";
  a->Free();
  b->Free();
  EXPECT_EQ(quolin::GlyphCache().ListCount(), lists) << "gone with its last slot";
}

TEST_F(ButtonKeys, EnterEscapeAndAccelerators) {
  TToolbarButton* ok = Add();
  ok->SetDefault(true);
  TToolbarButton* cancel = Add(40);
  cancel->SetCancel(true);
  HWND window = form->Handle();
  uitest::PressKey(window, VK_RETURN);
  uitest::PressKey(window, VK_ESCAPE);
  EXPECT_EQ(clicks[ok], 1);
  EXPECT_EQ(clicks[cancel], 1);
  uitest::PressKey(window, VK_RETURN, ssShift);
  ok->SetEnabled(false);
  uitest::PressKey(window, VK_RETURN);
  cancel->Hide();
  uitest::PressKey(window, VK_ESCAPE);
  EXPECT_EQ(clicks[ok], 1);
  EXPECT_EQ(clicks[cancel], 1);

  TToolbarButton* go = Add(70);
  go->SetCaption("&Go");
  uitest::TypeChar(window, 'g');
  EXPECT_EQ(clicks[go], 1);
  go->SetDisplayMode(TButtonDisplayMode::dmGlyphOnly);
  uitest::TypeChar(window, 'g');
  EXPECT_EQ(clicks[go], 1) << "glyph only";
}

TEST_F(ButtonKeys, ModalResultEndsAModalForm) {
  auto dialog = uitest::MakeForm();
  auto* button = TComponent::Create<TToolbarButton>(dialog.get());
  button->SetParent(dialog.get());
  button->ModalResult = mrYes;
  uitest::Later(dialog.get(), [&] { button->Click(); });
  EXPECT_EQ(dialog->ShowModal(), mrYes);
}

} // namespace
