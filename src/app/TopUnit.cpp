#include "app/TopUnit.h"

#include "app/CommandHelper.h"
#include "app/DocOps.h"
#include "app/DocUnit.h"
#include "app/LogPane.h"
#include "app/Outline.h"
#include "app/SpUnit.h"
#include "app/Startup.h"
#include "app/UserFolders.h"
#include "commands/CommandRouter.h"
#include "commands/ListWindows.h"
#include "commands/MenuBuilder.h"
#include "commands/ToolbarBuilder.h"
#include "commands/TopFormData.h"
#include "common/Registry.h"
#include "common/StringHelpers.h"
#include "common/UserDataFile.h"
#include "core/CommandExpander.h"
#include "core/CommandLookup.h"
#include "core/CommandRecords.h"
#include "core/Format.h"
#include "core/GeneratedNames.h"
#include "core/IndexList.h"
#include "core/Paths.h"
#include "core/ResConst.h"
#include "core/ReserveWordList.h"
#include "core/Sjis.h"
#include "settings/FindOpenUnit.h"
#include "toolbar/TbToolWindow.h"
#include "toolbar/TbToolbar.h"
#include "ui/FormPlacement.h"
#include "ui/HelpFile.h"
#include "ui/MessageBoxes.h"

#include <algorithm>
#include <utility>

namespace quolin {

TTopForm* TopForm = nullptr;

namespace {

// Value names and subkeys of the settings the main window reads and writes itself.
constexpr char SecPanelWidthName[] = "SecPanelWidth";
constexpr char MainPlacementName[] = "Main";
constexpr char RemainFilesName[] = "RemainFiles";
constexpr char WakeupOpenFilesName[] = "WakeupOpenFiles";
constexpr char WakeupDummyProgram[] = "dummy ";

constexpr char DefaultDataFile[] = "default.dat";
constexpr char EditRepeatWord[] = "$Sys_EditRepeat";

constexpr char ImageFolder[] = "img\\";
constexpr char ImageExtension[] = ".bmp";
constexpr char CommandImagesResource[] = "TOOLBTN";
// Posted to run the DDE macros that came while the client waited.
constexpr UINT WM_RunPendingMacros = WM_APP + 0x100;
constexpr char SecondCommandImagesResource[] = "TOOLBTN2";
constexpr char OutlineImagesResource[] = "OUTLINE";
constexpr char CloseButtonResource[] = "CLOSEBUTTON";

constexpr int RemainFilesKept = 40;
constexpr int MinOutlinePanelWidth = 30;
constexpr unsigned StatusMessageMs = 6400;
constexpr unsigned CommandLineDelayMs = 256;
constexpr int OutlineHelpContext = 1211;
constexpr int CommandEntryHelpContext = 1214;
constexpr size_t DropNameBuffer = 2048;

// The kind names of the tools in the messages, by TModuleType.
constexpr const char* ModuleKindNames[ModuleCount] = {"TeX", "MakeIndex", "BibTeX", "Preview",
                                                      "Print"};

// The tool settings stored with the main window, over the modules' own defaults.
constexpr char StoredDosOption[] = "%filename";
struct TStoredModule {
  TModuleType Type;
  const char* DDETopic; // nullptr: the module's own
  const char* DDEMacro;
};
constexpr TStoredModule StoredModules[] = {
    {mtTeX, nullptr, "[virtex(%filename, %FmtNum_WinTeX)]"},
    {mtMakeIndex, nullptr, "[winmkidx(%filename)]"},
    {mtBibTeX, nullptr, "[JBibTeX(%filename)]"},
    {mtPreview, "WinDvi", "[FileOpen(%filename)][WinNormal]"},
    {mtPrint, "WinDvi", "[FileOpen(%filename)][WinNormal][FilePrint]"},
};

// The settings menu that stands until the generated menus replace the main menu.
struct TSettingsItem {
  TMenuItem* TTopForm::*Item;
  const char* Name;
  const char* Caption;
  void (TTopForm::*Click)(TObject* sender);
};
constexpr char SettingsMenuCaption[] = "設定(&O)";
const TSettingsItem SettingsItems[] = {
    {&TTopForm::mn_SetOption1, "mn_SetOption1", "オプション(&O)...", &TTopForm::mn_SetOption1Click},
    {&TTopForm::mn_SetMaster1, "mn_SetMaster1", "マスタ/グループ編集(&M)...",
     &TTopForm::mn_SetMaster1Click},
    {&TTopForm::mn_SetMenu1, "mn_SetMenu1", "メニュー/ツールバー設定(&T)...",
     &TTopForm::mn_SetMenu1Click},
};
constexpr char OptSetupCommand[] = "$Sys_OptSetup";
constexpr char OptMasterCommand[] = "$Sys_OptMaster";
constexpr char OptMenuCommand[] = "$Sys_OptMenu";

// Status bar panel widths; the last panel takes the rest.
constexpr int StatusPanelWidths[] = {80, 54, 54, 80, 0};

constexpr int ToolWindowClientWidth = 160;
constexpr int ToolWindowClientHeight = 200;

bool NameCarries(const std::string& name, const char* prefix, const std::string& digits) {
  return name.starts_with(prefix) && name.compare(NameNumberPos, NameNumberLength, digits) == 0;
}

bool IsCommandMenuItem(const std::string& name, const std::string& digits) {
  return std::any_of(std::begin(MenuItemPrefixes), std::end(MenuItemPrefixes),
                     [&](const char* prefix) { return NameCarries(name, prefix, digits); });
}

void CheckMenuItems(TMenuItem* parent, const std::string& digits, bool checked) {
  for (int i = 0; i < parent->Count(); ++i) {
    TMenuItem* item = parent->Items(i);
    if (IsCommandMenuItem(item->Name(), digits))
      item->SetChecked(checked);
    CheckMenuItems(item, digits, checked);
  }
}

// The 8 characters of a name from pos read as hexadecimal; defaultValue when they are not.
int HexOfName(const std::string& name, size_t pos, int defaultValue) {
  std::string hex = "$";
  if (name.size() > pos)
    hex.append(name, pos, NameNumberLength);
  return StrToIntDef(hex, defaultValue);
}

// The message format of a tool's reply with the kind name in place of its "%s". The format
// holds a file name, so it is never given to a formatting routine.
std::string WithKindName(const std::string& format, const std::string& kind) {
  std::string text = format;
  if (size_t place = text.find("%s"); place != std::string::npos)
    text.replace(place, 2, kind);
  return text;
}

void ApplyStoredModuleValues(TModules& modules) {
  for (TModule& module : modules) {
    module.DosOption = StoredDosOption;
    module.UseDDE = false;
  }
  for (const TStoredModule& stored : StoredModules) {
    if (stored.DDETopic)
      modules[stored.Type].DDETopic = stored.DDETopic;
    modules[stored.Type].DDEMacro = stored.DDEMacro;
  }
}

// The editor options stored with the main window, over the option objects' own defaults.
void ApplyStoredEditorDefaults(TEditorProp& prop) {
  prop.SetColor(clWhite);
  TFont font = prop.Font();
  font.Name = "ＭＳ ゴシック";
  font.SetPixelHeight(-13);
  font.Charset = SHIFTJIS_CHARSET_VALUE;
  font.Color = clBlack;
  prop.SetFont(font);
  prop.Margin().SetLeft(8);
  prop.Margin().SetTop(2);
  for (TEditorMark* mark : {&prop.Marks().EofMark(), &prop.Marks().RetMark()}) {
    mark->SetColor(clGray);
    mark->SetVisible(true);
  }
  prop.Marks().Underline().SetColor(clRed);
  prop.Marks().Underline().SetVisible(true);
  prop.View().SetCommenter("%");
  prop.View().SetMail(true);
  prop.View().SetUrl(true);
}

// Colour and styles of loaded, name and size of design.
TFont ColorAndStyleOnly(const TFont& loaded, const TFont& design) {
  TFont font = design;
  font.Color = loaded.Color;
  font.Style = loaded.Style;
  return font;
}

// count images that show nothing.
void AddEmptyImages(TImageList& images, int count) {
  if (count <= 0)
    return;
  TBitmap strip;
  strip.SetSize(images.Width() * count, images.Height(), clFuchsia);
  images.AddMasked(strip, clFuchsia);
}

} // namespace

bool AddResourceStrip(TImageList& images, HMODULE module, const char* name) {
  TBitmap strip;
  if (!strip.LoadFromResourceName(module, name))
    return false;
  images.AddMasked(strip, clFuchsia);
  return true;
}

std::string ValidateDataFile(const std::string& configured, const std::string& programFolder) {
  if (IsDataFile(configured))
    return configured;
  MsgBoxFmt(res::InvalidDataFile, {configured}, "WoB");
  std::string fallback = programFolder + DefaultDataFile;
  if (!IsDataFile(fallback))
    MsgBox(res::DataFileOpenFailed, "WoB");
  return fallback;
}

void LoadCommandImages(TImageList& images, const std::string& userDataFolder) {
  for (int n = 1; images.Count() < SecondStripImage; ++n) {
    std::string path = userDataFolder + ImageFolder + IntToStr(n) + ImageExtension;
    TBitmap image;
    if (!FileExists(path) || !image.LoadFromFile(path))
      break;
    images.Add(image, nullptr);
  }
  AddEmptyImages(images, SecondStripImage - images.Count());
}

void LoadCommandImageList(TImageList& images, TImageList& loading,
                          const std::string& userDataFolder, HMODULE module) {
  images.Clear();
  if (!AddResourceStrip(images, module, CommandImagesResource))
    AddEmptyImages(images, FirstUserImage);
  LoadCommandImages(images, userDataFolder);
  loading.Clear();
  if (AddResourceStrip(loading, module, SecondCommandImagesResource))
    images.AddImages(loading);
  loading.Clear();
}

TTopForm::TTopForm(TComponent* owner) : TForm(owner) {
  TopForm = this;
  SetCaption("Quolin");
  SetFormStyle(TFormStyle::fsMDIForm);
  SetColor(clAppWorkSpace);
  SetBounds(Left(), Top(), 800, 600);

  MainMenu1 = Create<TMainMenu>(this, "MainMenu1");
  SetMenu(MainMenu1);

  StatusBar1 = Create<TStatusBar>(this, "StatusBar1");
  StatusBar1->SetParent(this);
  StatusBar1->SetAlign(alBottom);
  for (size_t i = 0; i < std::size(StatusPanelWidths); ++i)
    StatusBar1->AddPanel(StatusPanelWidths[i], i + 1 < std::size(StatusPanelWidths)
                                                   ? TAlignment::taCenter
                                                   : TAlignment::taLeftJustify);
  for (int panel : {spCaret, spModified})
    StatusBar1->Panels(panel).SetPaintLater(true);

  PopupMenu_Edit = Create<TPopupMenu>(this, "PopupMenu_Edit");
  TopDock = Create<TDock>(this, "TopDock");
  BottomDock = Create<TDock>(this, "BottomDock");
  LeftDock = Create<TDock>(this, "LeftDock");
  RightDock = Create<TDock>(this, "RightDock");
  const std::pair<TDock*, TDockPosition> docks[] = {
      {TopDock, dpTop}, {BottomDock, dpBottom}, {LeftDock, dpLeft}, {RightDock, dpRight}};
  for (auto [dock, position] : docks) {
    dock->SetPosition(position);
    dock->SetParent(this);
  }

  ApplicationEvents1 = Create<TApplicationEvents>(this, "ApplicationEvents1");
  ApplicationEvents1->OnActivate = [this](TObject* sender) { ApplicationEvents1Activate(sender); };
  ApplicationEvents1->OnDeactivate = [this](TObject* sender) {
    ApplicationEvents1Deactivate(sender);
  };
  ApplicationEvents1->OnHelp = [this](int command, int data, bool& callHelp) {
    return ApplicationEvents1Help(command, data, callHelp);
  };
  ApplicationEvents1->OnHint = [this](TObject* sender) { ApplicationEvents1Hint(sender); };

  Timer1 = Create<TTimer>(this, "Timer1");
  Timer1->SetEnabled(false);
  Timer1->SetInterval(StatusMessageMs);
  Timer1->OnTimer = [this](TObject* sender) { Timer1Timer(sender); };

  PopupMenu_Main = Create<TPopupMenu>(this, "PopupMenu_Main");
  EditorProp1 = Create<TEditorProp>(this, "EditorProp1");
  ApplyStoredEditorDefaults(*EditorProp1);

  Quolin = Create<TDdeServerConv>(this, "Quolin");
  Quolin->OnExecuteMacro = [this](TObject* sender, TStrings& lines) {
    QuolinExecuteMacro(sender, lines);
  };

  CmdLineTimer1 = Create<TTimer>(this, "CmdLineTimer1");
  CmdLineTimer1->SetEnabled(false);
  CmdLineTimer1->SetInterval(CommandLineDelayMs);
  CmdLineTimer1->OnTimer = [this](TObject* sender) { CmdLineTimer1Timer(sender); };

  ImageList1 = Create<TImageList>(this, "ImageList1");
  PopupMenu_RemainOpen = Create<TPopupMenu>(this, "PopupMenu_RemainOpen");
  PopupMenu_ToolBar = Create<TPopupMenu>(this, "PopupMenu_ToolBar");
  PopupMenu_ToolBar->OnPopup = [this](TObject* sender) { PopupMenu_ToolBarPopup(sender); };

  TBHint1 = Create<TTBHint>(this, "TBHint1");
  TBHint1->OnHint = [this](TObject* sender, bool& canShow) { TBHint1Hint(sender, canShow); };

  TexCtrl1 = Create<TTexCtrl>(this, "TexCtrl1");
  ApplyStoredModuleValues(TexCtrl1->Modules());
  TexCtrl1->OnEndProcess = [this](TModuleType type, bool succeeded, const std::string& reply) {
    TexCtrl1EndProcess(type, succeeded, reply);
  };
  TexCtrl1->OnBringApplicationToFront = [this] { BringApplicationToFront(); };
  TexCtrl1->OnShowTimedStatusMessage = [](const std::string& text) {
    ShowTimedStatusMessage(text);
  };

  PopupMenu_Dummy = Create<TPopupMenu>(this, "PopupMenu_Dummy");
  CreateMenus();
  CreateOutlinePanel();
  CreateCommandEntry();
  ImageList3 = Create<TImageList>(this, "ImageList3");
  PopupMenu_Group = Create<TPopupMenu>(this, "PopupMenu_Group");
  for (TMenu* menu : {static_cast<TMenu*>(MainMenu1), static_cast<TMenu*>(PopupMenu_Main),
                      static_cast<TMenu*>(PopupMenu_Edit), static_cast<TMenu*>(PopupMenu_Group)})
    menu->SetImages(ImageList1);

  CommandLine = StartCommandLine();
  OnCreate = [this](TObject* sender) { FormCreate(sender); };
  OnShow = [this](TObject* sender) { FormShow(sender); };
  OnClose = [this](TObject* sender, TCloseAction& action) { FormClose(sender, action); };
  OnDestroy = [this](TObject* sender) { FormDestroy(sender); };
  OnActivate = [this](TObject* sender) { FormActivate(sender); };
}

TTopForm::~TTopForm() {
  if (TopForm == this)
    TopForm = nullptr;
}

void TTopForm::CreateMenus() {
  mn_Option0 = Create<TMenuItem>(this, "mn_Option0");
  mn_Option0->SetCaption(SettingsMenuCaption);
  MainMenu1->Items()->Add(mn_Option0);
  mn_Set0 = Create<TMenuItem>(this, "mn_Set0");
  mn_Set0->SetCaption("-");
}

void TTopForm::CreateOutlinePanel() {
  Panel_Section = Create<TPanel>(this, "Panel_Section");
  Panel_Section->SetVisible(false);
  Panel_Section->SetBevelOuter(TBevelCut::bvNone);
  Panel_Section->SetBounds(0, 0, 112, 200);
  Panel_Section->SetAlign(alLeft);
  Panel_Section->SetParent(this);

  Splitter1 = Create<TSplitter>(this, "Splitter1");
  Splitter1->SetVisible(false);
  Splitter1->SetBounds(112, 0, 3, 200);
  Splitter1->SetAlign(alLeft);
  Splitter1->SetParent(this);
  Splitter1->OnCanResize = [this](TObject* sender, int& newSize, bool& accept) {
    Splitter1CanResize(sender, newSize, accept);
  };
  Splitter1->OnMoved = [this](TObject* sender) { Splitter1Moved(sender); };

  Panel_SectionCaption = Create<TPanel>(this, "Panel_SectionCaption");
  Panel_SectionCaption->SetBounds(0, 0, 112, 20);
  Panel_SectionCaption->SetAlign(alTop);
  Panel_SectionCaption->SetParent(Panel_Section);

  TreeView_Section = Create<TTreeView>(this, "TreeView_Section");
  TreeView_Section->ReadOnly = true;
  TreeView_Section->DragMode = TDragMode::dmAutomatic;
  TreeView_Section->HideSelection = false;
  TreeView_Section->SetAlign(alClient);
  TreeView_Section->SetParent(Panel_Section);
  TreeView_Section->OnChange = [this](TObject* sender, TTreeNode* node) {
    TreeView_SectionChange(sender, node);
  };
  TreeView_Section->OnCompare = [this](TObject* sender, TTreeNode* node1, TTreeNode* node2,
                                       int data, int& compare) {
    TreeView_SectionCompare(sender, node1, node2, data, compare);
  };
  TreeView_Section->OnStartDrag = [this](TObject* sender) { TreeView_SectionStartDrag(sender); };
  TreeView_Section->OnEndDrag = [this](TObject* sender, TObject* target, int x, int y) {
    TreeView_SectionEndDrag(sender, target, x, y);
  };
  TreeView_Section->OnDragOver = [this](TObject* sender, TObject* source, int x, int y,
                                        TDragState state, bool& accept) {
    TreeView_SectionDragOver(sender, source, x, y, state, accept);
  };

  Panel1 = Create<TPanel>(this, "Panel1");
  Panel1->SetBevelOuter(TBevelCut::bvNone);
  Panel1->SetBounds(92, 0, 20, 20);
  Panel1->SetAlign(alRight);
  Panel1->SetParent(Panel_SectionCaption);

  ToolbarButton1 = Create<TToolbarButton>(this, "ToolbarButton1");
  TBitmap closeGlyph;
  closeGlyph.LoadFromResourceName(GetModuleHandleA(nullptr), CloseButtonResource);
  ToolbarButton1->SetGlyph(closeGlyph);
  ToolbarButton1->SetBounds(1, 1, 18, 18);
  ToolbarButton1->SetParent(Panel1);
  ToolbarButton1->OnClick = [this](TObject* sender) { ToolbarButton1Click(sender); };

  for (const TSettingsItem& entry : SettingsItems) {
    TMenuItem* item = Create<TMenuItem>(this, entry.Name);
    item->SetCaption(entry.Caption);
    item->OnClick = [this, click = entry.Click](TObject* sender) { (this->*click)(sender); };
    this->*entry.Item = item;
  }
  mn_Option0->Add(mn_SetOption1);
  mn_Option0->Add(mn_Set0);
  mn_Option0->Add(mn_SetMaster1);
  mn_Option0->Add(mn_SetMenu1);

  ImageList2 = Create<TImageList>(this, "ImageList2");
  AddResourceStrip(*ImageList2, GetModuleHandleA(nullptr), OutlineImagesResource);
  TreeView_Section->SetImages(ImageList2);
  TreeView_Section->SetSortType(TSortType::stText);
}

void TTopForm::CreateCommandEntry() {
  Panel_ExHelper1 = Create<TPanel>(this, "Panel_ExHelper1");
  Panel_ExHelper1->SetVisible(false);
  Panel_ExHelper1->SetBevelOuter(TBevelCut::bvNone);
  Panel_ExHelper1->SetBounds(0, 0, 320, 160);
  Panel_ExHelper1->SetParent(this);

  Edit_ExCmd1 = Create<TEdit>(this, "Edit_ExCmd1");
  Edit_ExCmd1->SetBounds(0, 0, 320, 21);
  Edit_ExCmd1->SetAlign(alTop);
  Edit_ExCmd1->SetParent(Panel_ExHelper1);
  Edit_ExCmd1->OnKeyDown = [this](TObject* sender, WORD& key, TShiftState shift) {
    Edit_ExCmd1KeyDown(sender, key, shift);
  };
  Edit_ExCmd1->OnKeyPress = [this](TObject* sender, char& key) {
    Edit_ExCmd1KeyPress(sender, key);
  };
  Edit_ExCmd1->OnChange = [this](TObject* sender) { Edit_ExCmd1Change(sender); };

  StringGrid_Cmd1 = Create<TStringGrid>(this, "StringGrid_Cmd1");
  StringGrid_Cmd1->DefaultColWidth = 124;
  StringGrid_Cmd1->ShowColumnHeaders = false;
  StringGrid_Cmd1->HideSelection = false;
  StringGrid_Cmd1->SetColCount(2);
  StringGrid_Cmd1->SetBounds(0, 21, 320, 139);
  StringGrid_Cmd1->SetAlign(alClient);
  StringGrid_Cmd1->SetParent(Panel_ExHelper1);
  StringGrid_Cmd1->OnKeyDown = [this](TObject* sender, WORD& key, TShiftState shift) {
    StringGrid_Cmd1KeyDown(sender, key, shift);
  };
  StringGrid_Cmd1->OnSelectCell = [this](TObject* sender, int column, int row, bool& canSelect) {
    StringGrid_Cmd1SelectCell(sender, column, row, canSelect);
  };
  StringGrid_Cmd1->OnDblClick = [this](TObject* sender) { StringGrid_Cmd1DblClick(sender); };
}

void TTopForm::CreateParams(TCreateParams& params) {
  TForm::CreateParams(params);
  params.WinClassName = "TTopForm";
}

void TTopForm::Notification(TComponent* component, TOperation operation) {
  TForm::Notification(component, operation);
  if (operation != TOperation::opRemove)
    return;
  if (component == splash_)
    splash_ = nullptr;
  // The generated main menu frees the settings menu it replaces.
  for (TMenuItem** item : {&mn_Option0, &mn_Set0, &mn_SetOption1, &mn_SetMaster1, &mn_SetMenu1})
    if (component == *item)
      *item = nullptr;
}

void TTopForm::BeforeDestruction() {
  TForm::BeforeDestruction();
  // A main window that goes before it was ever shown takes its splash window with it.
  if (TSpForm* splash = std::exchange(splash_, nullptr)) {
    splash->RemoveFreeNotification(this);
    splash->Free();
  }
}

void TTopForm::WndProc(TMessage& message) {
  if (message.Msg == WM_DROPFILES) {
    WMDropFiles(reinterpret_cast<HDROP>(message.WParam));
    message.Result = 0;
    return;
  }
  if (message.Msg == WM_RunPendingMacros) {
    RunPendingMacros();
    message.Result = 0;
    return;
  }
  TForm::WndProc(message);
}

void TTopForm::FormCreate(TObject*) {
  splash_ = BeginStartup();
  splash_->FreeNotification(this);

  InitHelpFile();
  SetIcon(Application->Icon());
  CommandHelperDirty = true;
  Folders = {GetUserDataFolder(true), GetTemplateFolder(true), GetDicFolder(true),
             GetProgramFolder()};

  LoadFileIOOption(Settings.FileIOOption, Folders);
  DataFileName = ValidateDataFile(Settings.FileIOOption.CommandFile, Folders.Program);

  LoadCommandImageList(*ImageList1, *ImageList3, Folders.UserData, GetModuleHandleA(nullptr));

  MasterList.Clear();
  GroupList.Clear();
  LoadMasterData();
  MenuList.Clear();
  ToolBarList.Clear();
  LoadMenuData();
  InitReserveWordList(ReserveList);
  ReserveList.Clear();
  LoadReserveList();
  CreateVisiSets();

  LoadColorsAndFonts();
  CreateSectionLists();
  LoadSectionSettings();
  Panel_Section->SetWidth(
      RegReadInteger(res::RegSectionForms, SecPanelWidthName, Panel_Section->Width()));
  LoadSettingsGroups();

  ApplyCommandEntryColors();
  LoadTexModules(TexCtrl1->Modules());
  TreeView_Section->HelpContext = OutlineHelpContext;
  Panel_ExHelper1->HelpContext = CommandEntryHelpContext;
  DragSourceNode = nullptr;
}

void TTopForm::LoadColorsAndFonts() {
  SetColor(RegReadInteger(res::RegSectionEditor, res::MainBGColorName, Color()));
  TreeView_Section->SetColor(
      RegReadInteger(res::RegSectionEditor, res::MainDocExpColorName, TreeView_Section->Color()));
  const std::string editorKey = RegKeyPath + "\\" + res::RegSectionEditor + "\\";
  const TFont design = TreeView_Section->Font().Value();
  TreeView_Section->Font().Assign(ColorAndStyleOnly(
      LoadFontFromRegistry(HKEY_CURRENT_USER, editorKey + res::MainDocExpFontKey, design), design));
  LogFont = ColorAndStyleOnly(LoadFontFromRegistry(HKEY_CURRENT_USER,
                                                   editorKey + res::EditLogAreaKey,
                                                   TreeView_Section->Font().Value()),
                              design);
  LogBGColor =
      RegReadInteger(res::RegSectionEditLogArea, res::LogBGColorName, TreeView_Section->Color());
}

void TTopForm::LoadSettingsGroups() {
  LoadMarkOptions(Settings.MarkOptions);
  LoadEditOption(Settings.EditOption);
  LoadEdit2Option(Settings.Edit2Option);
  LoadGhostScriptPath(Settings.GhostScript);
  LoadAutoDeleteOptions(Settings.AutoDeleteOptions);
  LoadTexExecAutoSave(Settings.TexExecAutoSave);
  ReadEditorPropFromRegistry(*EditorProp1, res::RegSectionEditor, res::EditorPropName);
  EditorProp1->View().SetCommenter(Settings.Edit2Option.CommentHeader);
  EditorProp1->SetReserveWordList(ReserveList);
  LoadLogLoadOption(Settings.LogLoadOption);
  RemainFiles.SetText(RegReadString(res::RegSectionFiles, RemainFilesName, ""));
  LoadSpellCheckOptions(Settings.SpellCheckOptions);
  LoadSpellCheckDics(Settings.SpellCheckDics, Folders);
  LoadAutoBracketList(Settings.BracketList, Settings.BracketOpeners);
}

void TTopForm::FormShow(TObject*) {
  LoadToolbarLayout();
  LoadFormPlacement(res::RegSectionForms, MainPlacementName, *this);
}

void TTopForm::AfterShow() {
  TForm::AfterShow();
  if (shown_)
    return;
  shown_ = true;
  Update();
  DragAcceptFiles(Handle(), TRUE);
  if (CountCmdLineArgs(CommandLine) > 0)
    CmdLineTimer1->SetEnabled(true);
  if (splash_)
    splash_->Timer1->SetEnabled(true);
  OpenStartupDocuments();
  RunPendingMacros();
}

void TTopForm::RunPendingMacros() {
  TStringList lines;
  for (const std::string& text : std::exchange(pendingMacros_, {})) {
    lines.SetText(text);
    HandleDdeMacro(lines, GetCmdLineArg("", 0), Actions());
  }
}

void TTopForm::OpenStartupDocuments() {
  if (CountCmdLineArgs(CommandLine) > 0)
    return;
  if (Settings.Edit2Option.WakeupFileOpen) {
    std::string files = RegReadString(res::RegSectionFiles, WakeupOpenFilesName, "");
    if (!files.empty())
      ProcessCommandLine(WakeupDummyProgram + files, Actions());
  }
  if (!HasDoc() && Settings.Edit2Option.OpenNewDocument)
    SysFileNew();
}

void TTopForm::CmdLineTimer1Timer(TObject*) {
  CmdLineTimer1->SetEnabled(false);
  ProcessCommandLine(CommandLine, Actions());
}

void TTopForm::QuolinExecuteMacro(TObject*, TStrings& lines) {
  // Run after the client has its answer: a question the macro raises (the UTF-8 one, say)
  // must not keep a second start waiting.
  pendingMacros_.push_back(lines.Text());
  if (shown_)
    PostMessageA(Handle(), WM_RunPendingMacros, 0, 0);
}

CommandLineActions TTopForm::Actions() {
  CommandLineActions actions;
  actions.openFile = [](const std::string& fileName, bool asTemplate, int line) {
    OpenDocument(fileName, "", asTemplate, line, false, true);
  };
  actions.runCommand = [](const std::string& command) { ExecuteCommand(nullptr, command, 0); };
  actions.bringToFront = [this] { BringApplicationToFront(); };
  actions.programFolder = GetProgramFolder();
  return actions;
}

void TTopForm::BringApplicationToFront() {
  if (Application->Minimized())
    Application->Restore();
  HWND window = Handle();
  if (IsIconic(window))
    ShowWindow(window, SW_RESTORE);
  SetForegroundWindow(window);
}

void TTopForm::FormClose(TObject*, TCloseAction&) {
  TexCtrl1->DisconnectDde();
  for (int i = DocCount() - 1; i >= 0; --i) {
    TDocForm* doc = DocAt(i);
    AddRemainFile(doc, false);
    if (doc && Settings.FileIOOption.UseEditInfo)
      doc->SaveDocState();
  }
  SaveWakeupFiles();
  SaveListWindowState();
  SaveToolbarLayout();
  if (Settings.Edit2Option.TexExitClose && !TexCtrl1->Activ())
    TexCtrl1->CloseModules(ModuleCount);
}

void TTopForm::SaveWakeupFiles() {
  std::string files;
  if (Settings.Edit2Option.WakeupFileOpen)
    for (int i = DocCount() - 1; i >= 0; --i)
      if (TDocForm* doc = DocAt(i); doc && !doc->FileName.empty())
        files += "\"" + doc->FileName + "\" ";
  RegWriteString(res::RegSectionFiles, WakeupOpenFilesName, Trim(files));
}

void TTopForm::FormDestroy(TObject*) {
  RegWriteInteger(res::RegSectionForms, SecPanelWidthName, Panel_Section->Width());
  SaveFormPlacement(res::RegSectionForms, MainPlacementName, *this);
  LimitStringsCount(RemainFiles, RemainFilesKept);
  RegWriteString(res::RegSectionFiles, RemainFilesName, RemainFiles.Text());
  FreeVisiSets();
  FreeSectionLists();
}

void TTopForm::FormActivate(TObject*) {
  browserHadFocus_ = false;
}

void TTopForm::ApplicationEvents1Activate(TObject*) {
  if (FindOpenForm && FindOpenForm->Visible() && !browserHadFocus_)
    BringToFront();
  browserHadFocus_ = false;
}

void TTopForm::ApplicationEvents1Deactivate(TObject*) {
  if (FindOpenForm && FindOpenForm->Visible() && FindOpenForm->Active())
    browserHadFocus_ = true;
}

bool TTopForm::ApplicationEvents1Help(int, int data, bool& callHelp) {
  ShowHelpContext(data);
  callHelp = false;
  return true;
}

void TTopForm::ApplicationEvents1Hint(TObject*) {
  if (Timer1->Enabled())
    return;
  std::string hint =
      ReplaceAll(GetLongHint(Application->Hint()), EditRepeatWord, LastCommandText(), true);
  StatusBar1->Panels(spMessage).SetText(" " + hint);
}

void TTopForm::Timer1Timer(TObject*) {
  Timer1->SetEnabled(false);
  StatusBar1->Panels(spMessage).SetText("");
}

void TTopForm::TexCtrl1EndProcess(TModuleType moduleType, bool succeeded,
                                  const std::string& ddeValue) {
  const std::string kind = ModuleKindNames[moduleType];
  if (!succeeded && moduleType != mtPrint) {
    TDdeReply reply;
    TDocForm* doc = ParseDdeReply(ddeValue, reply);
    SetForegroundWindow(Handle());
    if (doc) {
      doc->Show();
      if (reply.Line > 0)
        doc->GoToLine(reply.Line - 1, 0, true);
    } else if (reply.Line > 0 &&
               MsgBox(WithKindName(reply.MessageFormat + res::AskOpenFile, kind), "Qyn") == 'y') {
      OpenDocument(reply.FileName, "", false, reply.Line - 1, false, true);
    }
    ShowTimedStatusMessage(WithKindName(reply.MessageFormat, kind));
  }
  if (moduleType == mtTeX && HasDoc())
    LoadLog(ActiveDoc(), TexCtrl1->TargetFile);
  if (Settings.Edit2Option.TexNextClose &&
      (moduleType == mtTeX || moduleType == mtBibTeX || moduleType == mtMakeIndex))
    TexCtrl1->CloseModules(moduleType);
}

void TTopForm::TBHint1Hint(TObject*, bool& canShow) {
  TDocForm* doc = ActiveDoc();
  std::string title =
      doc && doc->WindowState() == TWindowState::wsMaximized ? doc->GetTitleText() : std::string();
  canShow = !title.empty();
  if (canShow)
    TBHint1->HintString = title;
}

void TTopForm::mn_DefaultClick(TObject* sender) {
  int commandId = 0;
  if (auto* item = dynamic_cast<TMenuItem*>(sender)) {
    const std::string& name = item->Name();
    if (name.size() > MenuFlagPos && name[MenuFlagPos] == '0')
      return;
    commandId = HexIdFromName(name);
  } else if (auto* button = dynamic_cast<TToolbarButton*>(sender)) {
    commandId = HexIdFromName(button->Name());
  } else {
    return;
  }
  if (commandId < 0) {
    ToggleGroupToolWindow(commandId);
    return;
  }
  TQuolin_CmdList master;
  if (commandId > 0 && GetCommandRecord(false, commandId, master))
    ExecuteCommand(sender, master.Command, commandId);
}

void TTopForm::mnb_DefaultClick(TObject* sender) {
  auto* component = dynamic_cast<TComponent*>(sender);
  if (!component)
    return;
  int index = HexOfName(component->Name(), NameNumberPos, -1);
  std::vector<TToolbar*>& toolbars = UserToolbars();
  if (index < 0) {
    SysOptMenu(1);
  } else if (index < static_cast<int>(toolbars.size())) {
    TToolbar* toolbar = toolbars[static_cast<size_t>(index)];
    toolbar->SetVisible(!toolbar->Visible());
  }
  ArrangePanels();
}

void TTopForm::tbn_DefaultDropdown(TObject* sender, bool&, bool&) {
  if (auto* button = dynamic_cast<TComponent*>(sender))
    FillGroupDropdown(HexIdFromName(button->Name()));
}

void TTopForm::FillGroupDropdown(int commandId) {
  PopupMenu_Group->Items()->Clear();
  TQuolin_CmdList group;
  if (commandId >= 1 || !GetCommandRecord(true, -commandId, group))
    return;
  TIndexList members(group.Command);
  std::vector<TMenuItem*> items;
  for (int i = 0; i < members.GetCount(); ++i) {
    int member = members.GetItem(i);
    TQuolin_CmdList master;
    if (member == 0 || !GetCommandRecord(false, member, master))
      continue;
    GroupDropdownCount = (GroupDropdownCount + 1) & 0xFFFF;
    // The pop-up owns its items: their names may repeat those of the main pop-up's.
    TMenuItem* item = Create<TMenuItem>(
        PopupMenu_Group, MenuItemName(mkMainPopup, member, true, GroupDropdownCount));
    item->SetCaption(master.ListCaption);
    item->SetImageIndex(master.ImgIndex);
    item->Hint = master.Hint;
    item->OnClick = [this](TObject* sender) { mn_DefaultClick(sender); };
    items.push_back(item);
  }
  std::stable_sort(items.begin(), items.end(), [](const TMenuItem* a, const TMenuItem* b) {
    return sjis::CompareIgnoreAsciiCase(a->Caption(), b->Caption()) < 0;
  });
  for (TMenuItem* item : items)
    PopupMenu_Group->Items()->Add(item);
}

void TTopForm::ToggleGroupToolWindow(int commandId) {
  const std::string name = ToolWindowPrefix + HexField(commandId);
  if (auto* window = dynamic_cast<TToolWindow*>(FindComponent(name))) {
    window->SetVisible(!window->Visible());
    SetCommandChecked(commandId, window->Visible());
    return;
  }
  bool visible = Visible();
  if (visible)
    SaveToolbarLayout();
  auto* window = Create<TToolWindow>(this, name);
  window->SetDragHandleStyle(TDragHandleStyle::dhSingle);
  window->SetBounds(Left() + Width() / 2, Top() + Height() / 2, window->Width(), window->Height());
  window->OnClose = [this](TObject* sender) { ToolWin_DefaultClose(sender); };
  window->OnDockChanged = [this](TObject* sender) { ToolWin_DefaultDockChanged(sender); };
  window->SetParent(this);
  window->SetClientSize(ToolWindowClientWidth, ToolWindowClientHeight);
  auto* frame = Create<TFrm_List>(window, ListFrameName);
  frame->SetAlign(alClient);
  frame->SetParent(window);
  frame->SetGroup(commandId);
  frame->SetParentShowHint(false);
  if (visible)
    LoadToolbarLayout();
  window->Show();
  CheckCommandItems(commandId);
}

void TTopForm::ToolWin_DefaultClose(TObject* sender) {
  if (auto* window = dynamic_cast<TComponent*>(sender))
    UncheckCommandItems(HexIdFromName(window->Name()));
}

void TTopForm::ToolWin_DefaultDockChanged(TObject* sender) {
  if (auto* window = dynamic_cast<TToolWindow*>(sender))
    window->SetShowHint(window->Docked());
}

void TTopForm::RefreshToolWindowLists() {
  for (int i = 0; i < ComponentCount(); ++i)
    if (auto* window = dynamic_cast<TToolWindow*>(Components(i)))
      if (auto* frame = dynamic_cast<TFrm_List*>(window->FindComponent(ListFrameName)))
        frame->RefreshContent();
}

void TTopForm::CheckToolWindowCommands() {
  for (int i = 0; i < ComponentCount(); ++i)
    if (auto* window = dynamic_cast<TToolWindow*>(Components(i));
        window && window->Name().starts_with(ToolWindowPrefix))
      SetCommandChecked(HexIdFromName(window->Name()), window->Visible());
}

void TTopForm::SetCommandChecked(int commandId, bool checked) {
  const std::string digits = HexField(commandId);
  for (TMenu* menu : {static_cast<TMenu*>(MainMenu1), static_cast<TMenu*>(PopupMenu_Main),
                      static_cast<TMenu*>(PopupMenu_Edit)})
    CheckMenuItems(menu->Items(), digits, checked);
  for (int i = 0; i < ComponentCount(); ++i) {
    auto* toolbar = dynamic_cast<TToolbar*>(Components(i));
    for (int j = 0; toolbar && j < toolbar->ControlCount(); ++j) {
      auto* button = dynamic_cast<TToolbarButton*>(toolbar->Controls(j));
      if (!button || !NameCarries(button->Name(), ButtonPrefix, digits))
        continue;
      if (checked) {
        button->SetGroupIndex(HexOfName(button->Name(), ButtonCountPos, 0));
        button->SetAllowAllUp(true);
      } else {
        button->SetGroupIndex(0);
      }
      button->SetDown(checked);
    }
  }
}

void TTopForm::mn_FileRemainClick(TObject* sender) {
  auto* item = dynamic_cast<TMenuItem*>(sender);
  if (!item)
    return;
  const std::string& caption = item->Caption();
  int index = caption.size() >= 2 && caption[0] == '&'
                  ? StrToIntDef(std::string("$") + caption[1], -1)
                  : -1;
  if (index >= 0 && index < RemainFiles.Count())
    OpenDocument(RemainFiles[index], "", false, -1, false, false);
}

void TTopForm::PopupMenu_ToolBarPopup(TObject* sender) {
  SysViewToolBarList(sender);
}

void TTopForm::ShowOutlinePanel(bool visible, int commandId) {
  OutlineCommandId = commandId;
  Splitter1->SetVisible(visible);
  Panel_Section->SetVisible(visible);
  ArrangePanels();
  if (!visible) {
    UncheckCommandItems(commandId);
    return;
  }
  CheckCommandItems(commandId);
  RestartOutlineRescans();
}

void TTopForm::ToolbarButton1Click(TObject*) {
  ShowOutlinePanel(false, OutlineCommandId);
}

void TTopForm::ShowStatusBar(bool visible, int commandId) {
  StatusBarCommandId = commandId;
  StatusBar1->SetVisible(visible);
  if (visible)
    CheckCommandItems(commandId);
  else
    UncheckCommandItems(commandId);
  ArrangePanels();
}

void TTopForm::ArrangePanels() {
  if (Panel_Section->Visible()) {
    Splitter1->SetLeft(Panel_Section->Left() + Panel_Section->Width());
    LeftDock->SetLeft(0);
  }
  if (StatusBar1->Visible())
    StatusBar1->SetTop(ClientHeight() - StatusBar1->Height() + 1);
}

void TTopForm::Splitter1CanResize(TObject*, int& newSize, bool& accept) {
  accept = newSize >= MinOutlinePanelWidth;
}

void TTopForm::Splitter1Moved(TObject*) {
  ArrangePanels();
}

void TTopForm::mn_SetOption1Click(TObject* sender) {
  ExecuteCommand(sender, OptSetupCommand, 0);
}

void TTopForm::mn_SetMenu1Click(TObject* sender) {
  ExecuteCommand(sender, OptMenuCommand, 0);
}

void TTopForm::mn_SetMaster1Click(TObject* sender) {
  ExecuteCommand(sender, OptMasterCommand, 0);
}

void TTopForm::ApplyCommandEntryColors() {
  for (TControl* control :
       {static_cast<TControl*>(Edit_ExCmd1), static_cast<TControl*>(StringGrid_Cmd1)}) {
    control->SetColor(EditorProp1->Color());
    control->Font().Assign(EditorProp1->Font());
  }
  Panel_ExHelper1->SetHeight(Edit_ExCmd1->Height() + StringGrid_Cmd1->Height());
}

void TTopForm::WMDropFiles(HDROP drop) {
  HWND window = Handle();
  DragAcceptFiles(window, FALSE);
  struct TDropEnd {
    HWND window;
    HDROP drop;
    ~TDropEnd() {
      DragFinish(drop);
      DragAcceptFiles(window, TRUE);
    }
  } end{window, drop};
  UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    char name[DropNameBuffer] = {};
    if (DragQueryFileA(drop, i, name, sizeof name) > 0)
      OpenDocument(name, "", false, -1, false, true);
  }
}

void TTopForm::Edit_ExCmd1KeyDown(TObject*, WORD& key, TShiftState shift) {
  bool moves = key == VK_PRIOR || key == VK_NEXT || key == VK_UP || key == VK_DOWN ||
               ((key == VK_HOME || key == VK_END) && (shift & ssCtrl));
  if (moves) {
    StringGrid_Cmd1->Perform(WM_KEYDOWN, key, 0);
    ShowSelectedRowName();
    key = 0;
  } else if (key == VK_ESCAPE || key == VK_RETURN) {
    WORD passed = std::exchange(key, 0);
    StringGrid_Cmd1->Perform(WM_KEYDOWN, passed, 0);
  }
}

void TTopForm::ShowSelectedRowName() {
  int row = StringGrid_Cmd1->Row();
  if (row < 0)
    return;
  std::string name = StringGrid_Cmd1->Cells(0, row);
  if (name.starts_with("\\"))
    name.erase(0, 1);
  followingEntry_ = true;
  Edit_ExCmd1->SetText(name);
  followingEntry_ = false;
  Edit_ExCmd1->SetSelStart(static_cast<int>(name.size()));
}

void TTopForm::Edit_ExCmd1KeyPress(TObject*, char& key) {
  if (key == '\r')
    key = 0;
}

void TTopForm::Edit_ExCmd1Change(TObject*) {
  if (followingEntry_)
    return;
  followingEntry_ = true;
  SelectHelperRow(Edit_ExCmd1->Text());
  followingEntry_ = false;
}

void TTopForm::StringGrid_Cmd1SelectCell(TObject*, int, int row, bool&) {
  if (followingEntry_)
    return;
  followingEntry_ = true;
  Edit_ExCmd1->SetText(StringGrid_Cmd1->Cells(1, row));
  followingEntry_ = false;
}

void TTopForm::StringGrid_Cmd1KeyDown(TObject*, WORD& key, TShiftState shift) {
  if (key == VK_RETURN) {
    key = 0;
    RunCommandEntry(shift);
  } else if (key == VK_ESCAPE) {
    key = 0;
    HideCommandHelper();
  }
}

void TTopForm::StringGrid_Cmd1DblClick(TObject*) {
  RunCommandEntry(KeyboardShiftState());
}

void TTopForm::RunCommandEntry(TShiftState shift) {
  const std::string typed = Edit_ExCmd1->Text();
  std::string command = typed;
  bool ctrl = shift & ssCtrl;
  bool withShift = shift & ssShift;
  if (!ctrl && !withShift) {
    int row = StringGrid_Cmd1->Row();
    if (row >= 0 && HelperTextBeginsRow(typed, StringGrid_Cmd1->Cells(0, row), false))
      command = StringGrid_Cmd1->Cells(1, row);
  } else if (ctrl && !withShift && AddCommandFromHelper(typed)) {
    BuildCommandHelperList();
  }
  HideCommandHelper();
  ExecuteCommand(StringGrid_Cmd1, command, 0);
}

void TTopForm::TreeView_SectionChange(TObject*, TTreeNode* node) {
  OutlineSelectionChanged(node);
}

void TTopForm::TreeView_SectionCompare(TObject*, TTreeNode* node1, TTreeNode* node2, int,
                                       int& compare) {
  compare = CompareOutlineNodes(node1, node2);
}

void TTopForm::TreeView_SectionStartDrag(TObject*) {
  OutlineStartDrag();
}

void TTopForm::TreeView_SectionEndDrag(TObject*, TObject* target, int x, int y) {
  OutlineEndDrag(target, x, y);
}

void TTopForm::TreeView_SectionDragOver(TObject*, TObject* source, int x, int y, TDragState state,
                                        bool& accept) {
  OutlineDragOver(source, x, y, state, accept);
}

} // namespace quolin
