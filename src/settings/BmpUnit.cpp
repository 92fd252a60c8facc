#include "settings/BmpUnit.h"

#include "settings/FormLayout.h"
#include "common/FileDialogs.h"
#include "common/FileHelpers.h"
#include "core/CommandExpander.h"
#include "core/Paths.h"
#include "core/PictureSizes.h"
#include "core/Sjis.h"
#include "ui/Application.h"
#include "ui/Buttons.h"
#include "ui/Edits.h"
#include "ui/MessageBoxes.h"
#include "ui/Panels.h"
#include "ui/SpinEdit.h"


namespace quolin {

TBmpForm* BmpForm = nullptr;

namespace {

std::string SlashPath(const std::string& path) {
  std::string result = path;
  for (size_t pos = 0; pos < result.size(); pos += sjis::CharLength(result, pos))
    if (result[pos] == '\\')
      result[pos] = '/';
  return result;
}

// The short form, or the path itself when it has none.
std::string ShortOrSame(const std::string& path) {
  std::string shortPath = GetShortPath(path);
  return shortPath.empty() ? path : shortPath;
}

constexpr int PreviewLeft = 10, PreviewTop = 20;

} // namespace

TPictureArgs ParsePictureArgs(const std::string& arguments) {
  auto item = [&](int index, const std::string& fallback) {
    return GetCommaTextArg(arguments, "\r\n", index, fallback);
  };
  TPictureArgs args;
  args.ShortName = IsTrueArg(item(0, "False"));
  args.FullPath = IsTrueArg(item(1, "False"));
  args.Title = item(2, args.Title);
  args.Filter = item(3, args.Filter);
  args.Slash = IsTrueArg(item(5, "True"));
  return args;
}

std::string PictureResultPath(const std::string& chosen, const std::string& documentFile,
                              const TPictureArgs& args) {
  std::string path = ChangeFileExt(chosen, sjis::LowerAscii(ExtractFileExt(chosen)));
  std::string document = documentFile;
  if (args.ShortName) {
    path = ShortOrSame(path);
    if (!ExtractFilePath(document).empty())
      document = ShortOrSame(document);
  }
  if (!args.FullPath && !ExtractFilePath(document).empty())
    path = GetRelativePath(path, document);
  return args.Slash ? SlashPath(path) : path;
}

TBmpForm::TBmpForm(TComponent* owner, const std::string& documentFile)
    : TForm(owner), initialDir_(ExtractFilePath(documentFile)) {
  SetCaption("画像ファイル");
  HelpContext = 1208;
  SetBorderStyle(TFormBorderStyle::bsDialog);
  SetBorderIcons(biSystemMenu);
  SetPosition(TPosition::poScreenCenter);
  BuildPreview();
  BuildSizes();
  BuildTexts();
  BuildButtons();
  SetClientSize(440, 290);
}

void TBmpForm::BuildPreview() {
  GroupBox1 = PlaceControl<TGroupBox>(this, "GroupBox1", this, {8, 8, 170, 184}, "プレビュー");
  Image1 = PlaceControl<TImage>(this, "Image1", GroupBox1, {PreviewLeft, PreviewTop, PreviewBoxSide,
                                                     PreviewBoxSide});
  Label7 = PlaceControl<TLabel>(this, "Label7", GroupBox1, {30, 88, 120, 13}, "プレビューできません");
  Label7->SetVisible(false);
}

void TBmpForm::BuildSizes() {
  GroupBox2 = PlaceControl<TGroupBox>(this, "GroupBox2", this, {186, 8, 246, 122}, "サイズ");
  PlaceControl<TLabel>(this, "Label5", GroupBox2, {70, 18, 70, 13}, "寸法[cm]");
  PlaceControl<TLabel>(this, "Label6", GroupBox2, {156, 18, 70, 13}, "倍率[%]");
  auto* widthLabel = PlaceControl<TLabel>(this, "Label1", GroupBox2, {10, 40, 56, 13}, "幅(&W) :");
  Edit1 = PlaceControl<TEdit>(this, "Edit1", GroupBox2, {70, 36, 76, 21});
  SpinEdit1 = PlaceControl<TSpinEdit>(this, "SpinEdit1", GroupBox2, {156, 36, 76, 21});
  auto* heightLabel = PlaceControl<TLabel>(this, "Label2", GroupBox2, {10, 68, 56, 13}, "高さ(&H) :");
  Edit2 = PlaceControl<TEdit>(this, "Edit2", GroupBox2, {70, 64, 76, 21});
  SpinEdit2 = PlaceControl<TSpinEdit>(this, "SpinEdit2", GroupBox2, {156, 64, 76, 21});
  widthLabel->FocusControl = Edit1;
  heightLabel->FocusControl = Edit2;
  for (TSpinEdit* spin : {SpinEdit1, SpinEdit2}) {
    spin->SetMinValue(1);
    spin->SetMaxValue(9999);
    spin->SetValue(100);
  }
  SpinEdit1->OnChange = [this](TObject*) { ScaleChanged(SpinEdit1, SpinEdit2); };
  SpinEdit2->OnChange = [this](TObject*) { ScaleChanged(SpinEdit2, SpinEdit1); };
  CheckBox3 = PlaceControl<TCheckBox>(this, "CheckBox3", GroupBox2, {10, 94, 220, 18}, "縦横比を固定(&A)");
  CheckBox3->SetChecked(true);
}

void TBmpForm::BuildTexts() {
  GroupBox3 = PlaceControl<TGroupBox>(this, "GroupBox3", this, {186, 136, 246, 84}, "書式");
  Label3 = PlaceControl<TLabel>(this, "Label3", GroupBox3, {10, 26, 70, 13}, "表題(&C) :");
  Edit3 = PlaceControl<TEdit>(this, "Edit3", GroupBox3, {84, 22, 150, 21});
  Label4 = PlaceControl<TLabel>(this, "Label4", GroupBox3, {10, 54, 70, 13}, "ラベル(&L) :");
  Edit4 = PlaceControl<TEdit>(this, "Edit4", GroupBox3, {84, 50, 150, 21});
  Label3->FocusControl = Edit3;
  Label4->FocusControl = Edit4;
}

void TBmpForm::BuildButtons() {
  Button3 = PlaceControl<TButton>(this, "Button3", this, {8, 200, 90, 25}, "参照(&F)");
  Button3->OnClick = [this](TObject*) { Browse(); };
  Button1 = PlaceControl<TButton>(this, "Button1", this, {272, 256, 75, 25}, "OK");
  Button1->ModalResult = mrOk;
  Button1->SetDefault(true);
  Button2 = PlaceControl<TButton>(this, "Button2", this, {357, 256, 75, 25}, "キャンセル");
  Button2->ModalResult = mrCancel;
  Button2->SetCancel(true);
}

void TBmpForm::Prepare(const TPictureArgs& args, bool labelEnabled, bool captionEnabled) {
  title_ = args.Title;
  filter_ = args.Filter;
  Edit3->SetText("");
  Edit4->SetText("");
  Edit3->SetEnabled(captionEnabled);
  Label3->SetEnabled(captionEnabled);
  Edit4->SetEnabled(labelEnabled);
  Label4->SetEnabled(labelEnabled);
  if (TForm* active = Screen->ActiveForm(); active && active != this && active->Visible())
    SetPopupParent(active);
}

void TBmpForm::AfterShow() { Button3->SetFocus(); }

void TBmpForm::Browse() {
  TFileDialogParams params;
  params.Title = title_;
  params.Filter = filter_;
  params.InitialDir = initialDir_;
  std::string chosen;
  bool readOnly = false;
  if (!ShowOpenDialog(params, nullptr, chosen, readOnly))
    return;
  if (!FileExistsNoWildcard(chosen)) {
    MsgBox("指定されたファイルが見つかりません.", "WoB");
    return;
  }
  initialDir_ = ExtractFilePath(chosen);
  ShowPicture(chosen);
}

void TBmpForm::ShowPicture(const std::string& fileName) {
  Image1->SetStretch(false);
  Image1->SetAutoSize(true);
  Image1->SetVisible(true);
  const bool loaded = Image1->Picture().LoadFromFile(fileName);
  Image1->SetVisible(loaded);
  Label7->SetVisible(!loaded);
  fileName_ = fileName;
  SetCaption(fileName);
  pictureWidth_ = Image1->Picture().Width();
  pictureHeight_ = Image1->Picture().Height();
  const bool sized = loaded && pictureWidth_ > 0 && pictureHeight_ > 0;
  SpinEdit1->SetEnabled(sized);
  SpinEdit2->SetEnabled(sized);
  if (!sized) {
    SpinEdit1->SetValue(100);
    SpinEdit2->SetValue(100);
    Edit1->SetText("0.00");
    Edit2->SetText("0.00");
    return;
  }
  const TPreviewSize preview = PreviewSize(pictureWidth_, pictureHeight_);
  if (preview.Stretched) {
    Image1->SetAutoSize(false);
    Image1->SetStretch(true);
    Image1->SetBounds(PreviewLeft, PreviewTop, preview.Width, preview.Height);
  }
  UpdatePictureSizes();
}

void TBmpForm::UpdatePictureSizes() {
  Edit1->SetText(PictureCentimetres(pictureWidth_, SpinEdit1->Value()));
  Edit2->SetText(PictureCentimetres(pictureHeight_, SpinEdit2->Value()));
}

void TBmpForm::ScaleChanged(TSpinEdit* changed, TSpinEdit* other) {
  if (CheckBox3->Checked())
    other->SetValue(changed->Value());
  UpdatePictureSizes();
}

bool ShowBmpForm(const std::string& arguments, const std::string& documentFile,
                 std::string& fileName, bool labelEnabled, bool captionEnabled, std::string& label,
                 std::string& caption, std::string& verticalScale, std::string& horizontalScale,
                 std::string& height, std::string& width) {
  if (!BmpForm)
    BmpForm = TComponent::Create<TBmpForm>(Application, "BmpForm", documentFile);
  const TPictureArgs args = ParsePictureArgs(arguments);
  BmpForm->Prepare(args, labelEnabled, captionEnabled);
  if (BmpForm->ShowModal() != mrOk || BmpForm->FileName().empty())
    return false;
  fileName = PictureResultPath(BmpForm->FileName(), documentFile, args);
  caption = BmpForm->Edit3->Text();
  label = BmpForm->Edit4->Text();
  width = BmpForm->Edit1->Text() + "cm";
  height = BmpForm->Edit2->Text() + "cm";
  horizontalScale = ScaleFactorText(BmpForm->SpinEdit1->Value());
  verticalScale = ScaleFactorText(BmpForm->SpinEdit2->Value());
  return true;
}

} // namespace quolin
