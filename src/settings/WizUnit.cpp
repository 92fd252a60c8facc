#include "settings/WizUnit.h"

#include "app/SettingsBlock.h"
#include "app/TopUnit.h"
#include "common/FileDialogs.h"
#include "common/FileHelpers.h"
#include "common/IniFile.h"
#include "core/Exceptions.h"
#include "core/Format.h"
#include "core/ModuleEntry.h"
#include "core/Paths.h"
#include "settings/DialogLayout.h"
#include "texchain/TexCtrl.h"
#include "ui/Application.h"
#include "ui/Dialogs.h"
#include "ui/FolderDlg.h"
#include "ui/MessageBoxes.h"

#include <windows.h>

#include <optional>

namespace quolin {

namespace {

constexpr int WizHelpContext = 1216;

constexpr char NoDefinitionFile[] = "モジュール定義ファイルが見つかりませんでした.";
constexpr char NoProgramFound[] =
    "実行ファイルが一つも見つからなかったため, モジュールの設定は変更していません.";
constexpr char SetUpDone[] = "%s モジュールの設定が完了しました.";
constexpr char AskForProgram[] =
    "ファイル \"%s\" が見つかりませんでした.\r\nこのファイルを直接指定しますか？";
constexpr char ProgramFilter[] = "実行ファイル(*.exe)|*.exe|全て(*.*)|*.*";
constexpr char AskAdd[] = "現在のモジュール設定を自動設定リストに追加します.";
constexpr char AddCaption[] = "追加 - 自動設定";
constexpr char AddPrompt[] = "名称を入力してください.";
constexpr char AskReplace[] = "現在のモジュール設定で、選択された項目を置き換えていいですか？";
constexpr char AskDelete[] = "選択された項目を削除していいですか？";
constexpr char WriteFailed[] =
    "定義ファイルの書き換えに失敗しました.\r\nファイルのアクセス権を確認してください.";
constexpr char EditShow[] = "編集(&E) >>";
constexpr char EditHide[] = "編集(&E) <<";

std::string& DefinitionFileSetting() {
  static std::string path;
  return path;
}

HWND ActiveFormHandle() {
  TForm* form = Screen->ActiveForm();
  return form && form->HandleAllocated() ? form->Handle() : nullptr;
}

std::optional<std::string> ExistingProgram(const std::string& path) {
  std::string longName = GetLongFileName(path);
  if (longName.empty() || !FileExistsNoWildcard(longName))
    return std::nullopt;
  return longName;
}

bool ChooseProgram(const std::string& folder, std::string& program) {
  TFileDialogParams params;
  params.Filter = ProgramFilter;
  params.InitialDir = folder;
  bool readOnly = false;
  return ShowOpenDialog(params, nullptr, program, readOnly);
}

TButton* AddButton(TForm& form, TControl& parent, const char* name, const char* caption, int left,
                   int top) {
  TButton* button = AddDialogButton(form, name, caption, left, top);
  button->SetParent(&parent);
  return button;
}

} // namespace

std::string ModuleDefinitionFile() {
  if (!DefinitionFileSetting().empty())
    return DefinitionFileSetting();
  char path[MAX_PATH] = {};
  DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  return ChangeFileExt(std::string(path, length), ".twz");
}

void SetModuleDefinitionFile(const std::string& path) {
  DefinitionFileSetting() = path;
}

bool FindToolFile(const std::string& folder, const std::vector<std::string>& candidates, bool quiet,
                  std::string& program) {
  if (candidates.empty())
    return false;
  if (std::optional<std::string> found = FindCandidate(folder, candidates, ExistingProgram)) {
    program = *found;
    return true;
  }
  if (quiet)
    return false;
  const std::string last = CandidateFolder(folder) + candidates.back();
  return MsgBoxFmt(AskForProgram, {last}, "Iyn") == 'y' && ChooseProgram(folder, program);
}

bool RunModuleSetup(const std::string& definitionFile, const std::string& entry,
                    TModules& modules) {
  if (!FileExists(definitionFile)) {
    MsgBox(NoDefinitionFile, "WoB");
    return false;
  }
  const TIniFile ini(definitionFile);
  const TEntryLookup lookup = [&](const std::string& key) -> std::optional<std::string> {
    if (!ini.ValueExists(entry, key))
      return std::nullopt;
    return ini.ReadString(entry, key, "");
  };
  const TEntryTexts texts = ReadEntryTexts(lookup);
  std::string folder = texts.RootDir;
  if (!folder.empty() && !SelectFolderDialog(texts.FolderMsg, ActiveFormHandle(), folder))
    return false;
  // Into a copy: a set-up that finds nothing leaves the modules as they were.
  TModules setUp = modules;
  const std::string labels = SetUpModules(
      lookup, !texts.RootDir.empty(),
      [&](const TModuleEntryPrefix&, const std::vector<std::string>& candidates, bool quiet) {
        std::string program;
        return FindToolFile(folder, candidates, quiet, program) ? program : std::string();
      },
      setUp);
  if (labels.empty()) {
    MsgBox(NoProgramFound, "WoB");
    return false;
  }
  modules = setUp;
  std::string message = Format(SetUpDone, labels);
  if (!texts.EndMsg.empty())
    message += "\r\n\r\n" + texts.EndMsg;
  MsgBox(message, "Io");
  return true;
}

void WriteModuleEntry(const std::string& definitionFile, const std::string& entry,
                      const TModules& modules) {
  TIniFile ini(definitionFile);
  ini.EraseSection(entry);
  for (const auto& [key, value] : ModuleEntryValues(modules))
    ini.WriteString(entry, key, value);
}

void EraseModuleEntry(const std::string& definitionFile, const std::string& entry) {
  TIniFile(definitionFile).EraseSection(entry);
}

TWizForm::TWizForm(TComponent* owner, TTexCtrl& texCtrl)
    : TForm(owner), DefinitionFile(ModuleDefinitionFile()), texCtrl_(texCtrl) {
  SetCaption("モジュール自動設定");
  HelpContext = WizHelpContext;
  SetUpDialog(*this, 0, 300);
  OnShow = [this](TObject* sender) { FormShow(sender); };

  Label1 = Create<TLabel>(this, "Label1");
  Label1->SetCaption("設定環境(&L) :");
  Label1->SetBounds(8, 8, 200, 16);
  Label1->SetParent(this);
  ListBox1 = Create<TListBox>(this, "ListBox1");
  ListBox1->SetBounds(8, 26, 296, 196);
  ListBox1->SetParent(this);
  Label1->FocusControl = ListBox1;
  Button1 = AddDialogButton(*this, "Button1", "設定(&S)", 8, 232);
  Button2 = AddDialogButton(*this, "Button2", "閉じる", 112, 232);
  Button2->ModalResult = mrCancel;
  Button2->SetCancel(true);
  Button3 = AddDialogButton(*this, "Button3", EditShow, 216, 232);

  GroupBox1 = Create<TGroupBox>(this, "GroupBox1");
  GroupBox1->SetCaption("編集");
  GroupBox1->SetBounds(312, 20, 104, 124);
  GroupBox1->SetParent(this);
  GroupBox1->SetVisible(false);
  Button4 = AddButton(*this, *GroupBox1, "Button4", "追加(&A)", 8, 22);
  Button5 = AddButton(*this, *GroupBox1, "Button5", "置換(&R)", 8, 54);
  Button6 = AddButton(*this, *GroupBox1, "Button6", "削除(&D)", 8, 86);

  SetWidth(ListBox1->Width() + 3 * ListBox1->Left());

  Button1->OnClick = [this](TObject* sender) { Button1Click(sender); };
  ListBox1->OnDblClick = Button1->OnClick;
  Button3->OnClick = [this](TObject* sender) { Button3Click(sender); };
  Button4->OnClick = [this](TObject* sender) { Button4Click(sender); };
  Button5->OnClick = [this](TObject* sender) { Button5Click(sender); };
  Button6->OnClick = [this](TObject* sender) { Button6Click(sender); };
}

void TWizForm::FormShow(TObject*) {
  ListEntries();
}

void TWizForm::ListEntries() {
  ListBox1->Items().Clear();
  if (FileExists(DefinitionFile))
    TIniFile(DefinitionFile).ReadSections(ListBox1->Items());
}

std::string TWizForm::SelectedEntry() {
  const int index = ListBox1->ItemIndex();
  return index < 0 ? std::string() : ListBox1->Items()[index];
}

void TWizForm::Button1Click(TObject*) {
  const std::string entry = SelectedEntry();
  if (entry.empty())
    return;
  TModules modules = texCtrl_.Modules();
  if (!RunModuleSetup(DefinitionFile, entry, modules))
    return;
  for (int type = 0; type < ModuleCount; ++type)
    texCtrl_.Module(static_cast<TModuleType>(type)).Assign(modules[type]);
  SaveTexModules(texCtrl_.Modules());
  SetModalResult(mrOk);
}

void TWizForm::Button3Click(TObject*) {
  const int change = GroupBox1->Width() + ListBox1->Left();
  const bool show = !GroupBox1->Visible();
  SetWidth(Width() + (show ? change : -change));
  GroupBox1->SetVisible(show);
  Button3->SetCaption(show ? EditHide : EditShow);
}

void TWizForm::Button4Click(TObject*) {
  if (MsgBox(AskAdd, "Ioc") != 'o')
    return;
  std::string entry;
  if (!InputQuery(AddCaption, AddPrompt, entry) || entry.empty())
    return;
  // Writing over an entry of that name erases it: not without asking.
  if (TIniFile(DefinitionFile).SectionExists(entry) && MsgBox(AskReplace, "Qyn") != 'y')
    return;
  Rewrite([&] { WriteModuleEntry(DefinitionFile, entry, texCtrl_.Modules()); });
}

void TWizForm::Button5Click(TObject*) {
  const std::string entry = SelectedEntry();
  if (entry.empty() || MsgBox(AskReplace, "Qyn") != 'y')
    return;
  Rewrite([&] { WriteModuleEntry(DefinitionFile, entry, texCtrl_.Modules()); });
}

void TWizForm::Button6Click(TObject*) {
  const std::string entry = SelectedEntry();
  if (entry.empty() || MsgBox(AskDelete, "QynB") != 'y')
    return;
  Rewrite([&] { EraseModuleEntry(DefinitionFile, entry); });
}

void TWizForm::Rewrite(const std::function<void()>& change) {
  try {
    change();
  } catch (const EIniFileException&) {
    MsgBox(WriteFailed, "WoB");
    return;
  }
  ListEntries();
}

void ShowWizForm() {
  TOwned<TWizForm> form(TComponent::Create<TWizForm>(Application, "WizForm", *TopForm->TexCtrl1));
  form->ShowModal();
}

} // namespace quolin
