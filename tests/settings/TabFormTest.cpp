// The table and matrix dialog shown for real and driven from a timer of its modal loop.
#include "settings/DialogFixture.h"
#include "settings/TabUnit.h"
#include "ui/Buttons.h"
#include "ui/CheckListBox.h"
#include "ui/Panels.h"
#include "ui/SpinEdit.h"
#include "ui/TabControls.h"

#include <gtest/gtest.h>

using namespace quolin;
using uitest::FormDriver;

namespace {

// Items in list order, "+" after a checked one.
std::string ListView(TCheckListBox& list) {
  std::string view;
  for (int index = 0; index < list.Items().Count(); ++index)
    view += list.Items()[index] + (list.Checked(index) ? "+ " : " ");
  return view;
}

struct TabView {
  std::string caption, placement;
  int helpContext = 0;
  bool shapeShown = false, separatorShown = false, shapeTab = false, placementTab = false;
  bool rowsFocused = false, okFocused = false, placementActive = false;
  bool alignmentEnabled = false, shapeEnabled = false, listEnabled = false;
  std::string checkedRadios;
  std::string hints;
};

TabView Read(TForm& dialog, FormDriver& driver) {
  TabView view;
  view.caption = dialog.Caption();
  view.helpContext = dialog.HelpContext;
  view.shapeShown = driver.Control("GroupBox1").Visible();
  view.separatorShown = driver.Control("GroupBox4").Visible();
  auto& shapePage = driver.Get<TTabSheet>("TabSheet1");
  auto& placementPage = driver.Get<TTabSheet>("TabSheet2");
  view.shapeTab = shapePage.TabVisible();
  view.placementTab = placementPage.TabVisible();
  view.placementActive = driver.Get<TPageControl>("PageControl1").ActivePage() == &placementPage;
  view.rowsFocused = GetFocus() == driver.Control("SpinEdit1").Handle();
  view.okFocused = GetFocus() == driver.Control("Button1").Handle();
  view.alignmentEnabled = driver.Control("RadioButton1").Enabled();
  view.shapeEnabled = driver.Control("SpinEdit1").Enabled() && driver.Control("CheckBox1").Enabled();
  view.listEnabled = driver.Control("CheckListBox1").Enabled();
  view.placement = ListView(driver.Get<TCheckListBox>("CheckListBox1"));
  view.hints = driver.Control("Button3").Hint() + " " + driver.Control("Button4").Hint();
  const char* radios[] = {"RadioButton1", "RadioButton2", "RadioButton3",
                          "RadioButton4", "RadioButton5", "RadioButton6"};
  for (const char* radio : radios)
    if (driver.Get<TRadioButton>(radio).Checked())
      view.checkedRadios += radio[11];
  return view;
}

TTabParams Full(bool placement) {
  TTabParams params;
  params.Columns = 7;
  params.Rows = 5;
  params.RowRules = false;
  params.Alignment = caRight;
  params.UseAlignment = true;
  params.UseShape = true;
  params.UsePlacement = placement;
  params.Placement = placement ? "[tp]" : "";
  return params;
}

using TabForm = uitest::DialogTest;

TEST_F(TabForm, RoundTripWithNewShape) {
  TabView view;
  WhenUp("TabForm", [&](TForm& dialog, FormDriver& driver) {
    view = Read(dialog, driver);
    FormDriver::Click(driver.Control("Button1"));
  });
  const TTabParams given = Full(true);
  TTabParams params = given;
  ASSERT_TRUE(ShowTabForm(params, true));
  EXPECT_EQ(params, given);
  EXPECT_EQ(view.caption, "表/行列");
  EXPECT_EQ(view.helpContext, 1201);
  EXPECT_TRUE(view.shapeShown);
  EXPECT_FALSE(view.separatorShown);
  EXPECT_TRUE(view.shapeTab && view.placementTab && !view.placementActive);
  EXPECT_TRUE(view.rowsFocused);
  EXPECT_TRUE(view.alignmentEnabled && view.shapeEnabled && view.listEnabled);
  EXPECT_EQ(view.checkedRadios, "3");
  EXPECT_EQ(view.placement, "Top+ Page+ Here Bottom ");
  EXPECT_EQ(view.hints, "優先順位を上げる 優先順位を下げる");
}

TEST_F(TabForm, RoundTripWithSelectionShowsTheSeparators) {
  for (uint8_t separator : {csTab, csComma, csBlank}) {
    TabView view;
    WhenUp("TabForm", [&](TForm& dialog, FormDriver& driver) {
      view = Read(dialog, driver);
      FormDriver::Click(driver.Control("Button1"));
    });
    TTabParams given = Full(false);
    given.Separator = separator;
    given.Alignment = separator == csComma ? caCentre : caLeft;
    given.ColumnRules = separator != csBlank;
    TTabParams params = given;
    ASSERT_TRUE(ShowTabForm(params, false));
    EXPECT_EQ(params, given);
    EXPECT_FALSE(view.shapeShown);
    EXPECT_TRUE(view.separatorShown);
    EXPECT_FALSE(view.placementTab);
    EXPECT_EQ(view.checkedRadios, std::string(separator == csComma ? "2" : "1") +
                                      std::to_string(4 + separator));
  }
}

TEST_F(TabForm, PlacementOnlyActivatesItsPageAndFocusesOk) {
  TabView view, unchecked;
  WhenUp("TabForm", [&](TForm& dialog, FormDriver& driver) {
    view = Read(dialog, driver);
    FormDriver::Click(driver.Control("CheckBox3"));
    unchecked = Read(dialog, driver);
    FormDriver::Click(driver.Control("Button1"));
  });
  TTabParams params;
  params.UsePlacement = true;
  params.Placement = "[H]";
  ASSERT_TRUE(ShowTabForm(params, true));
  EXPECT_FALSE(view.shapeTab);
  EXPECT_TRUE(view.placementTab && view.placementActive);
  EXPECT_TRUE(view.okFocused);
  EXPECT_FALSE(view.alignmentEnabled || view.shapeEnabled);
  EXPECT_EQ(view.placement, "Here+ Top Bottom Page ");
  EXPECT_FALSE(unchecked.listEnabled);
  EXPECT_EQ(params.Placement, "") << "the placement switch off";
}

TEST_F(TabForm, OrderButtonsKeepSelectionAndChecksAndStopAtTheEnds) {
  std::vector<std::string> views;
  std::vector<int> selected;
  WhenUp("TabForm", [&](TForm&, FormDriver& driver) {
    auto& list = driver.Get<TCheckListBox>("CheckListBox1");
    auto press = [&](const char* button) {
      FormDriver::Click(driver.Control(button));
      views.push_back(ListView(list));
      selected.push_back(list.ItemIndex());
    };
    list.SetItemIndex(0);
    press("Button3");
    press("Button4");
    press("Button4");
    press("Button4");
    press("Button4");
    press("Button3");
    FormDriver::Click(driver.Control("Button1"));
  });
  TTabParams params;
  params.UsePlacement = true;
  params.Placement = "[bt]";
  ASSERT_TRUE(ShowTabForm(params, true));
  EXPECT_EQ(views, (std::vector<std::string>{
                       "Bottom+ Top+ Here Page ", "Top+ Bottom+ Here Page ",
                       "Top+ Here Bottom+ Page ", "Top+ Here Page Bottom+ ",
                       "Top+ Here Page Bottom+ ", "Top+ Here Bottom+ Page "}));
  EXPECT_EQ(selected, (std::vector<int>{0, 1, 2, 3, 3, 2}));
  EXPECT_EQ(params.Placement, "[tb]");
}

TEST_F(TabForm, EnterAndEscapeInTheSpinBoxes) {
  const struct {
    const char* spin;
    WORD key;
    bool ok;
  } cases[] = {{"SpinEdit1", VK_RETURN, true}, {"SpinEdit2", VK_RETURN, true},
               {"SpinEdit1", VK_ESCAPE, false}, {"SpinEdit2", VK_ESCAPE, false}};
  for (const auto& step : cases) {
    WhenUp("TabForm", [&](TForm&, FormDriver& driver) {
      auto& spin = driver.Get<TSpinEdit>(step.spin);
      spin.SetFocus();
      spin.SetValue(9);
      uitest::PressKey(spin.Handle(), step.key);
    });
    TTabParams params = Full(false);
    EXPECT_EQ(ShowTabForm(params, true), step.ok) << step.spin;
    EXPECT_EQ(std::string(step.spin) == "SpinEdit1" ? params.Rows : params.Columns,
              step.ok ? 9 : std::string(step.spin) == "SpinEdit1" ? 5 : 7)
        << step.spin;
  }
}

} // namespace
