// Closing the outside tools by their window titles.
#include "support/ToolWindows.h"
#include "texchain/TexCtrl.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quolin;
using namespace quolin::test_support;

namespace {

using Captions = std::vector<std::string>;

class ToolClosing : public ::testing::Test {
protected:
  TOwned<TTexCtrl> ctrl{TComponent::Create<TTexCtrl>(nullptr)};
};

TEST_F(ToolClosing, EachKindClosesItsToolsWindows) {
  ToolWindows windows({"bwpvtex", "winmkidx", "wbibtex", "JBibTeX", "dviout", "other"});
  ctrl->Module(mtTeX).CloseCaption = "other";
  ctrl->CloseModules(mtBibTeX);
  EXPECT_EQ(windows.Closed(), (Captions{"wbibtex", "JBibTeX"}));
  ctrl->CloseModules(mtTeX);
  EXPECT_EQ(windows.Closed(), Captions{"bwpvtex"}) << "by its DDE service's name";
  EXPECT_EQ(ctrl->Module(mtTeX).CloseCaption, "bwpvtex") << "kept";
  ctrl->CloseModules(mtMakeIndex);
  EXPECT_EQ(windows.Closed(), Captions{"winmkidx"});
  ctrl->CloseModules(mtPreview);
  ctrl->CloseModules(mtPrint);
  EXPECT_EQ(windows.Closed(), Captions{}) << "the previewer closes by DDE";
  ctrl->CloseModules(5);
  EXPECT_EQ(windows.Closed(), (Captions{"bwpvtex", "winmkidx", "wbibtex", "JBibTeX"}));
}

TEST_F(ToolClosing, ModulesThatCloseByDdeLeaveTheirWindows) {
  ToolWindows windows({"winmkidx"});
  ctrl->Module(mtMakeIndex).CloseUseDDE = true;
  ctrl->CloseModules(mtMakeIndex);
  EXPECT_EQ(windows.Closed(), Captions{});
}

TEST_F(ToolClosing, AnEmptyCaptionClosesNothing) {
  ToolWindows windows({"", "bwpvtex"});
  ctrl->Module(mtTeX).DdeService.clear();
  ctrl->Module(mtMakeIndex).CloseCaption.clear();
  ctrl->CloseModules(mtTeX);
  ctrl->CloseModules(mtMakeIndex);
  EXPECT_EQ(windows.Closed(), Captions{});
  CloseWindowByCaption("");
  EXPECT_EQ(windows.Closed(), Captions{});
}

} // namespace
