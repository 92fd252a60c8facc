// The document information dialog: its rows as a function of the document's record, and the
// dialog on real documents with its copy button on the clipboard.
#include "common/DateTime.h"
#include "settings/InfoDialogFixture.h"
#include "ui/Buttons.h"
#include "ui/Clipboard.h"
#include "ui/ListView.h"

#include <vector>

namespace {

using namespace quolin;
using namespace quolin::test_support;

double Time(WORD year, WORD month, WORD day, WORD hour, WORD minute) {
  SYSTEMTIME parts{};
  parts.wYear = year;
  parts.wMonth = month;
  parts.wDay = day;
  parts.wHour = hour;
  parts.wMinute = minute;
  return SystemTimeToDateTime(parts);
}

TEST(DocInfo, RowsFollowTheRecordInOrderAndFormat) {
  TDocumentInfo info;
  info.FileName = "C:\\doc\\long name.tex";
  info.ShortFileName = "C:\\doc\\LONGNA~1.TEX";
  info.Modified = 1;
  info.Bytes = 120;
  info.Chars = 100;
  info.CharsWithoutBreaks = 90;
  info.Lines = 6;
  info.SelBytes = 7;
  info.SelChars = 5;
  info.SelCharsWithoutBreaks = 4;
  info.SelLines = 2;
  info.OpenTime = info.FileTime = Time(2024, 3, 5, 9, 7);
  const std::vector<TDocInfoRow> expected = {
      {"ファイル名", "C:\\doc\\long name.tex"},
      {"ファイル名(8.3)", "C:\\doc\\LONGNA~1.TEX"},
      {"オーナーファイル", ""},
      {"オーナーファイル(8.3)", ""},
      {"変更", "あり"},
      {"サイズ", "120 バイト"},
      {"文字数(改行含)", "100 文字"},
      {"文字数", "90 文字"},
      {"行数", "6 行"},
      {"選択サイズ", "7 バイト"},
      {"選択文字数(改行含)", "5 文字"},
      {"選択文字数", "4 文字"},
      {"選択行数", "2 行"},
      {"オープン時刻", "2024/3/5 09:07"},
  };
  EXPECT_EQ(DocInfoRows(info), expected);

  info.Modified = 0;
  info.FileTime = Time(2024, 12, 25, 23, 59);
  std::vector<TDocInfoRow> saved = DocInfoRows(info);
  ASSERT_EQ(saved.size(), expected.size() + 1);
  EXPECT_EQ(saved[4].Value, "なし");
  EXPECT_EQ(saved.back(), (TDocInfoRow{"最終保存時刻", "2024/12/25 23:59"}));
  // Any difference counts, even within the same minute.
  info.FileTime = info.OpenTime + 1.0 / (24 * 60 * 60);
  EXPECT_EQ(DocInfoRows(info).size(), expected.size() + 1);
}

class DocInfoDialog : public InfoDialogFixture {
protected:
  // The rows the dialog shows after act ran on it; act's last step closes it.
  std::vector<TDocInfoRow> Show(std::function<void(TDocInfoForm&)> act = {}) {
    std::vector<TDocInfoRow> rows;
    bool reached = false;
    WhenUp<TDocInfoForm>(
        "DocInfoForm",
        [&](TDocInfoForm& form) {
          for (int i = 0; i < form.ListView1->ItemCount(); ++i)
            rows.push_back({form.ListView1->Items(i)->Caption, form.ListView1->Items(i)->SubItems[0]});
          if (act)
            act(form);
          uitest::FormDriver::Click(*form.Button1);
        },
        &reached);
    EXPECT_TRUE(Run("$Sys_WinDocInfo"));
    EXPECT_TRUE(reached);
    return rows;
  }
  static void CopyRow(TDocInfoForm& form, int index) {
    form.ListView1->SetItemIndex(index);
    uitest::FormDriver::Click(*form.Button2);
  }
};

TEST_F(DocInfoDialog, ShowsTheActiveDocumentAndTheSaveTimeOnlyAfterASave) {
  OpenLines("a.tex", 3);
  View().SetSelStart(0);
  View().SetSelLength(6);
  std::vector<TDocInfoRow> rows = Show();
  ASSERT_EQ(rows.size(), 14u);
  EXPECT_EQ(rows[0].Value, files / "a.tex");
  EXPECT_EQ(rows[4].Value, "なし");
  EXPECT_EQ(rows[5].Value, "22 バイト");
  EXPECT_EQ(rows[8].Value, "3 行");
  EXPECT_EQ(rows[9].Value, "6 バイト");
  EXPECT_EQ(rows[13].Value, DocInfoTimeText(ActiveDoc()->OpenTime));

  // An hour back, so that the save's clock reading differs for certain.
  ActiveDoc()->OpenTime -= 1.0 / 24;
  ASSERT_TRUE(ActiveDoc()->SaveFile(ActiveDoc()->FileName));
  rows = Show();
  ASSERT_EQ(rows.size(), 15u);
  EXPECT_EQ(rows.back().Item, "最終保存時刻");
}

TEST_F(DocInfoDialog, UntitledDocumentHasEmptyNames) {
  ASSERT_TRUE(Run("$Sys_FileNew"));
  ASSERT_TRUE(HasDoc());
  std::vector<TDocInfoRow> rows = Show();
  ASSERT_EQ(rows.size(), 14u);
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(rows[static_cast<size_t>(i)].Value, "") << rows[static_cast<size_t>(i)].Item;
}

TEST_F(DocInfoDialog, CopiesTheSelectedValueOnlyWhenThereIsOne) {
  OpenLines("b.tex", 2);
  std::vector<std::string> clipboard;
  Show([&](TDocInfoForm& form) {
    SetClipboardText("before");
    form.ListView1->SetItemIndex(-1);
    uitest::FormDriver::Click(*form.Button2);
    clipboard.push_back(GetClipboardText());
    CopyRow(form, 2); // the owner file: empty
    clipboard.push_back(GetClipboardText());
    CopyRow(form, 8);
    clipboard.push_back(GetClipboardText());
    CopyRow(form, 0);
    clipboard.push_back(GetClipboardText());
  });
  EXPECT_EQ(clipboard, (std::vector<std::string>{"before", "before", "2 行", files / "b.tex"}));
}

} // namespace
