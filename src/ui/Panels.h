// Containers and static pictures: the bevelled panel, the group box, the frame, the label and
// the image.
#pragma once

#include "ui/Control.h"
#include "ui/Picture.h"

namespace quolin {

class TBitmap;

enum class TBevelCut { bvNone, bvLowered, bvRaised };
enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

class TPanel : public TCustomControl {
public:
  TBevelCut BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TBevelCut bevel);
  TBevelCut BevelInner() const { return bevelInner_; }
  void SetBevelInner(TBevelCut bevel);
  TAlignment Alignment = TAlignment::taCenter;
  void SetText(const std::string& text) override;

protected:
  explicit TPanel(TComponent* owner);
  void Paint(HDC dc) override;

private:
  TBevelCut bevelOuter_ = TBevelCut::bvRaised;
  TBevelCut bevelInner_ = TBevelCut::bvNone;
};

// A captioned container of the layer's own: an etched frame with the caption over its top
// line. Radio buttons inside form a group of their own.
class TGroupBox : public TCustomControl {
public:
  void SetText(const std::string& text) override;

protected:
  explicit TGroupBox(TComponent* owner);
  void CreateParams(TCreateParams& params) override;
  void Paint(HDC dc) override;
  // Aligned children stay inside the frame, below the caption.
  void AlignControls(RECT& rect) override;

private:
  SIZE CaptionExtent();
};

// A container that owns the components its constructor makes, so that their names need to be
// unique only within the frame. They get Loaded once: with the owner's when the frame is made
// while its owner loads (in a form's or a frame's constructor), else when the frame's
// construction ends.
class TFrame : public TCustomControl {
protected:
  explicit TFrame(TComponent* owner);
  void AfterConstruction() override;
  void Loaded() override;

private:
  bool loadsItself_;
};

// A static text. Its mnemonic focuses FocusControl.
class TLabel : public TControl {
public:
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool autoSize);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool wordWrap);
  // Off: "&" is shown as it stands.
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool show);
  TControl* FocusControl = nullptr;

  void SetText(const std::string& text) override;
  bool AcceleratorKey(char key) override;
  // The size the text takes in the label's font; wrapped at maxWidth when WordWrap is on.
  SIZE TextExtent(int maxWidth);

protected:
  explicit TLabel(TComponent* owner);
  void CreateParams(TCreateParams& params) override;
  void FontChanged() override;

private:
  bool autoSize_ = true;
  bool wordWrap_ = false;
  bool showAccelChar_ = true;

  void AdjustSize();
  UINT DrawFlags() const;
};

// A picture: a bitmap or an icon, centred; or a loaded Picture, drawn at its size or
// stretched over the image.
class TImage : public TControl {
public:
  // Loading it shows it in place of a bitmap or an icon.
  TPicture& Picture() { return picture_; }
  // On: the image takes the Picture's size whenever it changes.
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool autoSize);
  bool Stretch() const { return stretch_; }
  void SetStretch(bool stretch);
  void SetBounds(int left, int top, int width, int height) override;

  // The image keeps a copy of the bitmap.
  void SetBitmap(const TBitmap& bitmap);
  // A shared or program-owned icon (not destroyed here).
  void SetIcon(HICON icon);
  HICON Icon() const { return icon_; }

protected:
  explicit TImage(TComponent* owner);
  ~TImage() override;
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;

private:
  HBITMAP bitmap_ = nullptr;
  HICON icon_ = nullptr;
  TPicture picture_;
  bool autoSize_ = false;
  bool stretch_ = false;
  // Set by a change of Picture, cleared by SetBitmap and SetIcon: resizing then redraws it.
  bool showsPicture_ = false;

  void ApplyPicture();
  void CopyBitmap(const TBitmap& bitmap);
  // The Picture drawn into a bitmap of the image's size.
  void RenderPicture();
};

} // namespace quolin
