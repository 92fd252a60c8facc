// The picture insertion dialog: a picture file chosen and previewed, returned with its size in
// centimetres, its scales, a caption and a label. Made once and kept.
#pragma once

#include "ui/Forms.h"

#include <string>

namespace quolin {

class TButton;
class TCheckBox;
class TEdit;
class TGroupBox;
class TImage;
class TLabel;
class TSpinEdit;

// The picture placeholder's arguments, from its comma text.
struct TPictureArgs {
  bool ShortName = false;
  bool FullPath = false;
  std::string Title = "画像ファイル指定";
  std::string Filter = "全ての画像ファイル|*.jpg;*.jpeg;*.bmp;*.emf;*.wmf;*.ps|EPSファイル(*.ps)|*.ps|"
                       "JPEGファイル(*.jpg;*.jpeg)|*.jpg;*.jpeg|ビットマップ(*.bmp)|*.bmp|"
                       "メタファイル(*.wmf;*.emf)|*.wmf;*.emf";
  bool Slash = true;
};
TPictureArgs ParsePictureArgs(const std::string& arguments);

// The chosen path as the command wants it: the extension in lower case; with ShortName the 8.3
// form (the document's too); unless FullPath, relative to the document's folder (a document
// without a folder, untitled, keeps the full path); with Slash "\" turned to "/".
std::string PictureResultPath(const std::string& chosen, const std::string& documentFile,
                              const TPictureArgs& args);

class TBmpForm : public TForm {
public:
  // Sets the form for one showing: the open dialog's title and filter, the caption and label
  // edits cleared and enabled as asked.
  void Prepare(const TPictureArgs& args, bool labelEnabled, bool captionEnabled);
  // The picture's size at the two scales, in centimetres.
  void UpdatePictureSizes();
  // The chosen file, or empty.
  const std::string& FileName() const { return fileName_; }

  TImage* Image1;
  TLabel* Label7;
  TEdit *Edit1, *Edit2, *Edit3, *Edit4;
  TSpinEdit *SpinEdit1, *SpinEdit2;
  TCheckBox* CheckBox3;
  TButton *Button1, *Button2, *Button3;

protected:
  TBmpForm(TComponent* owner, const std::string& documentFile);
  void AfterShow() override;

private:
  TGroupBox *GroupBox1, *GroupBox2, *GroupBox3;
  TLabel *Label3, *Label4;
  std::string fileName_;
  std::string initialDir_;
  std::string title_, filter_;
  int pictureWidth_ = 0, pictureHeight_ = 0;

  void BuildPreview();
  void BuildSizes();
  void BuildTexts();
  void BuildButtons();
  void Browse();
  void ShowPicture(const std::string& fileName);
  void ScaleChanged(TSpinEdit* changed, TSpinEdit* other);
};

// None until first shown.
extern TBmpForm* BmpForm;

// Shows the dialog; true with OK and a chosen file, the outputs then set.
bool ShowBmpForm(const std::string& arguments, const std::string& documentFile,
                 std::string& fileName, bool labelEnabled, bool captionEnabled, std::string& label,
                 std::string& caption, std::string& verticalScale, std::string& horizontalScale,
                 std::string& height, std::string& width);

} // namespace quolin
