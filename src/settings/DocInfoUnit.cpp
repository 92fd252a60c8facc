#include "settings/DocInfoUnit.h"

#include "app/DocOps.h"
#include "app/DocUnit.h"
#include "common/DateTime.h"
#include "settings/FormLayout.h"
#include "ui/Application.h"
#include "ui/Buttons.h"
#include "ui/Clipboard.h"
#include "ui/HourGlass.h"
#include "ui/ListView.h"

#include <cstdio>

namespace quolin {

TDocInfoForm* DocInfoForm = nullptr;

namespace {

std::string Counted(int32_t count, const char* unit) {
  return std::to_string(count) + " " + unit;
}

} // namespace

std::string DocInfoTimeText(double time) {
  const SYSTEMTIME parts = DateTimeToSystemTime(time);
  char text[32];
  std::snprintf(text, sizeof text, "%u/%u/%u %02u:%02u", parts.wYear, parts.wMonth, parts.wDay,
                parts.wHour, parts.wMinute);
  return text;
}

std::vector<TDocInfoRow> DocInfoRows(const TDocumentInfo& info) {
  std::vector<TDocInfoRow> rows = {
      {"ファイル名", info.FileName},
      {"ファイル名(8.3)", info.ShortFileName},
      {"オーナーファイル", info.OwnerFile},
      {"オーナーファイル(8.3)", info.ShortOwnerFile},
      {"変更", info.Modified ? "あり" : "なし"},
      {"サイズ", Counted(info.Bytes, "バイト")},
      {"文字数(改行含)", Counted(info.Chars, "文字")},
      {"文字数", Counted(info.CharsWithoutBreaks, "文字")},
      {"行数", Counted(info.Lines, "行")},
      {"選択サイズ", Counted(info.SelBytes, "バイト")},
      {"選択文字数(改行含)", Counted(info.SelChars, "文字")},
      {"選択文字数", Counted(info.SelCharsWithoutBreaks, "文字")},
      {"選択行数", Counted(info.SelLines, "行")},
      {"オープン時刻", DocInfoTimeText(info.OpenTime)},
  };
  if (info.FileTime != info.OpenTime)
    rows.push_back({"最終保存時刻", DocInfoTimeText(info.FileTime)});
  return rows;
}

TDocInfoForm::TDocInfoForm(TComponent* owner) : TForm(owner) {
  SetCaption("文章情報");
  SetBorderStyle(TFormBorderStyle::bsDialog);
  SetBorderIcons(biSystemMenu);
  SetPosition(TPosition::poScreenCenter);
  ListView1 = PlaceControl<TListView>(this, "ListView1", this, {8, 8, 376, 260});
  ListView1->AddColumn("項目", 130);
  ListView1->AddColumn("値", 220);
  Button2 = PlaceControl<TButton>(this, "Button2", this, {8, 276, 150, 25}, "選択値のコピー(&C)");
  Button2->OnClick = [this](TObject*) { CopySelectedValue(); };
  Button1 = PlaceControl<TButton>(this, "Button1", this, {309, 276, 75, 25}, "閉じる");
  Button1->ModalResult = mrCancel;
  Button1->SetCancel(true);
  SetClientSize(392, 309);
}

void TDocInfoForm::DoShow() {
  FillRows();
  TForm::DoShow();
}

void TDocInfoForm::FillRows() {
  ListView1->ClearItems();
  TDocForm* doc = ActiveDoc();
  if (!doc)
    return;
  TBusyCursor busy;
  for (const TDocInfoRow& row : DocInfoRows(doc->GetDocumentInfo())) {
    TListItem* item = ListView1->AddItem();
    item->Caption = row.Item;
    item->SubItems.Add(row.Value);
  }
}

void TDocInfoForm::CopySelectedValue() {
  const int index = ListView1->ItemIndex();
  if (index < 0)
    return;
  const TStringList& values = ListView1->Items(index)->SubItems;
  const std::string value = values.Count() > 0 ? values[0] : "";
  if (!value.empty())
    SetClipboardText(value);
}

void ShowDocInfoForm() {
  if (!DocInfoForm)
    DocInfoForm = TComponent::Create<TDocInfoForm>(Application, "DocInfoForm");
  DocInfoForm->ShowModal();
}

} // namespace quolin
