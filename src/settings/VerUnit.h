// The about box: the program's picture and version, links to its pages, and the credits that
// play once when Ctrl+V, R, I, M are typed. Modal, made for each showing and freed.
#pragma once

#include "core/AboutSteps.h"
#include "ui/Forms.h"

#include <functional>
#include <memory>
#include <string>

namespace quolin {

class TButton;
class TImage;
class TLabel;
class TPanel;
class TTimer;

// Opens an address through the shell ("OPEN", shown normally); tests replace it.
using TOpenAddressHook = std::function<void(const std::string& address)>;
// Sets the hook; an empty one restores the shell. Gives the previous hook.
TOpenAddressHook SetOpenAddressHook(TOpenAddressHook hook);
void OpenAddress(const std::string& address);

// The address of the version check page.
std::string VersionCheckAddress();

class TVerForm : public TForm {
public:
  TImage* Image1;
  TLabel* Label1;
  TImage* Image2;
  TLabel *Label2, *Label3, *Label4, *Label5, *Label6;
  TPanel* Panel1;
  TButton* Button1;
  // Drives the credits, one step per tick.
  TTimer* Timer1;

  int SequenceIndex() const { return keys_.Index(); }

protected:
  explicit TVerForm(TComponent* owner);
  void DoShow() override;
  void DoHide() override;

private:
  TAboutKeys keys_;
  std::unique_ptr<TAboutAnimation> animation_;

  void BuildLinks();
  void FormKeyDown(WORD& key, TShiftState shift);
  void StartAnimation();
  void AnimationStep();
  void StopAnimation();
};

void ShowVerForm();

} // namespace quolin
