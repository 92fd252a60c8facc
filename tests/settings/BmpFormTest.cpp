// The picture insertion dialog shown for real, its open dialog answered by the test hook.
#include "common/FileDialogs.h"
#include "common/FileHelpers.h"
#include "core/Paths.h"
#include "settings/BmpUnit.h"
#include "settings/DialogFixture.h"
#include "support/TestPictures.h"
#include "ui/Buttons.h"
#include "ui/Edits.h"
#include "ui/Panels.h"
#include "ui/SpinEdit.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace quolin;
using namespace quolin::test_support;
using uitest::FormDriver;

namespace {

struct Outputs {
  std::string file, label, caption, vertical, horizontal, height, width;
};

struct Shown {
  std::string sizes, bounds, caption;
  bool imageShown = false, noPreview = false, scalesEnabled = false;
};

Shown Read(TBmpForm& form) {
  Shown shown;
  shown.sizes = form.Edit1->Text() + " " + form.Edit2->Text() + " " + form.SpinEdit1->Text() +
                " " + form.SpinEdit2->Text();
  shown.bounds = std::to_string(form.Image1->Width()) + "x" + std::to_string(form.Image1->Height());
  shown.caption = form.Caption();
  shown.imageShown = form.Image1->Visible();
  shown.noPreview = form.Label7->Visible();
  shown.scalesEnabled = form.SpinEdit1->Enabled() && form.SpinEdit2->Enabled();
  return shown;
}

class BmpForm : public uitest::DialogTest {
protected:
  TempFolder folder{"bmp"};
  std::vector<TFileDialogFields> opened;
  std::vector<std::string> answers;

  void SetUp() override {
    uitest::DialogTest::SetUp();
    CreateDirectoryA((folder / "fig").c_str(), nullptr);
    SetFileDialogHook([this](const TFileDialogFields& fields) {
      opened.push_back(fields);
      TFileDialogAnswer answer;
      if (answers.empty())
        return answer;
      answer.Confirmed = !answers.front().empty();
      answer.FileNames = {answers.front()};
      answers.erase(answers.begin());
      return answer;
    });
  }
  void TearDown() override {
    SetFileDialogHook({});
    FreeAndNil(quolin::BmpForm);
  }

  // Shows the dialog for the document in the test folder; act runs on the form once it is up.
  bool Show(const std::string& arguments, Outputs& out, std::function<void(TBmpForm&)> act,
            const std::string& document = "", bool label = true, bool caption = true) {
    WhenUp("BmpForm", [act](TForm& form, FormDriver&) { act(static_cast<TBmpForm&>(form)); });
    return ShowBmpForm(arguments, document.empty() ? folder / "doc.tex" : document, out.file,
                       label, caption, out.label, out.caption, out.vertical, out.horizontal,
                       out.height, out.width);
  }

  // Chooses path with the browse button; an empty one cancels the open dialog.
  void Choose(TBmpForm& form, const std::string& path) {
    answers.push_back(path);
    FormDriver::Click(*form.Button3);
  }
};

TEST_F(BmpForm, SizesScalesAndTheAspectLock) {
  WriteJpegFile(folder / "fig\\a.jpg", {379, 190});
  Shown full, half, unlocked;
  bool browseFocused = false;
  Outputs out;
  ASSERT_TRUE(Show("", out, [&](TBmpForm& form) {
    browseFocused = GetFocus() == form.Button3->Handle();
    Choose(form, folder / "fig\\a.jpg");
    full = Read(form);
    form.SpinEdit1->SetValue(50);
    half = Read(form);
    FormDriver::Click(*form.CheckBox3);
    form.SpinEdit2->SetValue(100);
    unlocked = Read(form);
    FormDriver::Click(*form.Button1);
  }));
  EXPECT_TRUE(browseFocused);
  EXPECT_EQ(full.sizes, "10.00 5.01 100 100");
  EXPECT_EQ(full.bounds, "150x75");
  EXPECT_EQ(full.caption, folder / "fig\\a.jpg");
  EXPECT_TRUE(full.imageShown && !full.noPreview && full.scalesEnabled);
  EXPECT_EQ(half.sizes, "4.99 2.51 50 50");
  EXPECT_EQ(unlocked.sizes, "4.99 5.01 50 100");
  EXPECT_EQ(out.file, "fig/a.jpg");
  EXPECT_EQ(out.width, "4.99cm");
  EXPECT_EQ(out.height, "5.01cm");
  EXPECT_EQ(out.horizontal, "0.50");
  EXPECT_EQ(out.vertical, "1.00");
}

TEST_F(BmpForm, PreviewAtNaturalSizeOrStretched) {
  WriteBmp(folder / "small.bmp", 100, 100);
  WriteBmp(folder / "wide.bmp", 300, 150);
  WriteBmp(folder / "edge.bmp", 150, 150);
  std::vector<std::string> bounds;
  Outputs out;
  ASSERT_TRUE(Show("", out, [&](TBmpForm& form) {
    for (const char* name : {"small.bmp", "wide.bmp", "edge.bmp"}) {
      Choose(form, folder / name);
      bounds.push_back(Read(form).bounds);
    }
    FormDriver::Click(*form.Button1);
  }));
  EXPECT_EQ(bounds, (std::vector<std::string>{"100x100", "150x75", "150x150"}));
  EXPECT_EQ(out.file, "edge.bmp");
}

TEST_F(BmpForm, UnpreviewablePicturesCanStillBeReturned) {
  TempFolder::WriteFile(folder / "a.ps", "%!PS-Adobe-3.0 EPSF-3.0\n");
  TempFolder::WriteFile(folder / "b.jpg", "not a picture");
  WriteBmp(folder / "c.bmp", 20, 10);
  Shown eps, garbage;
  Outputs out;
  ASSERT_TRUE(Show("", out, [&](TBmpForm& form) {
    Choose(form, folder / "c.bmp");
    form.SpinEdit1->SetValue(40);
    Choose(form, folder / "a.ps");
    eps = Read(form);
    Choose(form, folder / "b.jpg");
    garbage = Read(form);
    FormDriver::Click(*form.Button1);
  }));
  for (const Shown& shown : {eps, garbage}) {
    EXPECT_EQ(shown.sizes, "0.00 0.00 100 100");
    EXPECT_FALSE(shown.imageShown);
    EXPECT_TRUE(shown.noPreview);
    EXPECT_FALSE(shown.scalesEnabled);
  }
  EXPECT_EQ(out.file, "b.jpg");
  EXPECT_EQ(out.width, "0.00cm");
}

TEST_F(BmpForm, PathForms) {
  CreateDirectoryA((folder / "FIG").c_str(), nullptr);
  WriteJpegFile(folder / "FIG\\Photo.JPG", {8, 8});
  TempFolder::WriteFile(folder / "doc.tex", "");
  const std::string chosen = folder / "FIG\\Photo.JPG";
  const std::string lowered = folder / "FIG\\Photo.jpg";
  const struct {
    std::string arguments, document, expected;
  } cases[] = {
      {"", "", "FIG/Photo.jpg"},
      {"False,False,,,,False", "", "FIG\\Photo.jpg"},
      {",,,,,0", "無題", lowered},
      {"True,True,,,,False", "", GetShortPath(lowered)},
      {"True,False,,,,False", "",
       GetRelativePath(GetShortPath(lowered), GetShortPath(folder / "doc.tex"))},
  };
  for (const auto& step : cases) {
    Outputs out;
    ASSERT_TRUE(Show(step.arguments, out, [&](TBmpForm& form) {
      Choose(form, chosen);
      FormDriver::Click(*form.Button1);
    }, step.document));
    EXPECT_EQ(out.file, step.expected) << step.arguments << " " << step.document;
  }
  EXPECT_FALSE(GetShortPath(lowered).empty());
}

TEST_F(BmpForm, PathWithoutShortFormStaysLong) {
  TPictureArgs args;
  args.ShortName = true;
  args.Slash = false;
  const std::string missing = folder / "none\\Picture.JPEG";
  EXPECT_TRUE(GetShortPath(missing).empty());
  EXPECT_EQ(PictureResultPath(missing, "無題", args), folder / "none\\Picture.jpeg");
  args.FullPath = true;
  EXPECT_EQ(PictureResultPath(missing, folder / "doc.tex", args), folder / "none\\Picture.jpeg");
}

// The folder's name begins with "表" (95 5C): its trail byte is no separator.
TEST_F(BmpForm, FullPathWithSlashesKeepsDoubleByteCharacters) {
  WriteBmp(folder / "a.BMP", 4, 4);
  Outputs out;
  ASSERT_TRUE(Show("f,1", out, [&](TBmpForm& form) {
    Choose(form, folder / "a.BMP");
    FormDriver::Click(*form.Button1);
  }));
  auto withoutTable = [](const std::string& text) {
    const std::string table = "表";
    std::string replaced;
    for (size_t pos = 0; pos < text.size();) {
      const bool found = text.compare(pos, table.size(), table) == 0;
      replaced += found ? 'X' : text[pos];
      pos += found ? table.size() : 1;
    }
    return replaced;
  };
  std::string expected = withoutTable(folder / "a.bmp");
  std::replace(expected.begin(), expected.end(), '\\', '/');
  ASSERT_NE(out.file.find("表示"), std::string::npos);
  EXPECT_EQ(withoutTable(out.file), expected);
}

TEST_F(BmpForm, MissingFileTitleFilterAndInitialFolder) {
  WriteBmp(folder / "fig\\a.bmp", 4, 4);
  uitest::DialogRecorder boxes;
  std::string captionAfterMissing;
  Outputs out;
  ASSERT_TRUE(Show("0,0,写真を選ぶ,写真|*.jpg", out, [&](TBmpForm& form) {
    Choose(form, folder / "fig\\a.bmp");
    Choose(form, folder / "fig\\missing.bmp");
    captionAfterMissing = form.Caption();
    Choose(form, "");
    FormDriver::Click(*form.Button1);
  }));
  ASSERT_EQ(boxes.calls.size(), 1u);
  EXPECT_EQ(boxes.calls[0].text, "指定されたファイルが見つかりません.");
  EXPECT_EQ(captionAfterMissing, folder / "fig\\a.bmp");
  EXPECT_EQ(out.file, "fig/a.bmp");
  ASSERT_GE(opened.size(), 2u);
  EXPECT_EQ(opened[0].Title, "写真を選ぶ");
  EXPECT_EQ(opened[0].Filter, "写真|*.jpg");
  EXPECT_EQ(opened[0].InitialDir, folder.Path());
  EXPECT_EQ(opened[1].InitialDir, folder / "fig\\");
  EXPECT_TRUE(opened[0].HistoryKey.empty());
}

TEST_F(BmpForm, DefaultTitleAndFilter) {
  Outputs out;
  EXPECT_FALSE(Show("", out, [&](TBmpForm& form) {
    Choose(form, "");
    FormDriver::Click(*form.Button1);
  }));
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0].Title, "画像ファイル指定");
  EXPECT_EQ(opened[0].Filter,
            "全ての画像ファイル|*.jpg;*.jpeg;*.bmp;*.emf;*.wmf;*.ps|EPSファイル(*.ps)|*.ps|"
            "JPEGファイル(*.jpg;*.jpeg)|*.jpg;*.jpeg|ビットマップ(*.bmp)|*.bmp|"
            "メタファイル(*.wmf;*.emf)|*.wmf;*.emf");
}

TEST_F(BmpForm, LabelAndCaptionEnablingAndCancel) {
  WriteBmp(folder / "a.bmp", 4, 4);
  bool labelOn = true, captionOn = true, cleared = false;
  Outputs out;
  ASSERT_TRUE(Show("", out, [&](TBmpForm& form) {
    Choose(form, folder / "a.bmp");
    form.Edit3->SetText("表題 $S");
    form.Edit4->SetText("fig:a");
    FormDriver::Click(*form.Button1);
  }, "", true, true));
  EXPECT_EQ(out.caption, "表題 $S");
  EXPECT_EQ(out.label, "fig:a");
  EXPECT_FALSE(Show("", out, [&](TBmpForm& form) {
    labelOn = form.Edit4->Enabled();
    captionOn = form.Edit3->Enabled();
    cleared = form.Edit3->Text().empty() && form.Edit4->Text().empty();
    FormDriver::Click(*form.Button2);
  }, "", false, false));
  EXPECT_FALSE(labelOn);
  EXPECT_FALSE(captionOn);
  EXPECT_TRUE(cleared);
}

} // namespace
