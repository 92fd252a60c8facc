// The program's table of resource strings: user-visible messages, file-dialog filters and
// registry section names, each a named constant. Units that keep strings of their own (shell
// controls, toolbar library, tool chain, document information, setup wizard, help loader)
// keep them beside their code.
#pragma once

namespace quolin::res {

// Registry: the base path before and after the main window sets the settings root.
inline constexpr char RegBasePathDefault[] = "\\Software\\Dravenlux";
inline constexpr char RegBasePathQuolin[] = "\\Software\\Dravenlux\\Quolin\\4.2";

// Registry sections under the settings root.
inline constexpr char RegSectionEditor[] = "Editor";
inline constexpr char RegSectionEditLogArea[] = "Editor\\EditLogArea";
inline constexpr char RegSectionForms[] = "Forms";
inline constexpr char RegSectionFiles[] = "Files";
inline constexpr char RegSectionSystem[] = "System";
inline constexpr char RegSectionFileIO[] = "FileIO";
inline constexpr char RegSectionFileDialogs[] = "FileDialogs";
inline constexpr char RegSectionLogFiles[] = "LogFiles";
inline constexpr char RegSectionTexModule[] = "TexModule";
inline constexpr char RegSectionToolbar[] = "Toolbar";
inline constexpr char RegSectionSection[] = "Section";
inline constexpr char RegSectionSpellCheck[] = "SpellCheck";

// Start-up: the mutex that marks the running instance, and the open/save dialog filter used
// when "System" holds none.
inline constexpr char MutexName[] = "Dravenlux_Quolin4200_MutexString";
inline constexpr char DefaultFileFilter[] =
    "TeXファイル(*.tex;*.bib;*.sty)|*.tex;*.pjt;*.sty;*.bib|テキストファイル(*.txt)|*.txt|"
    "Bibファイル(*.bib)|*.bib|スタイルファイル(*.sty)|*.sty|ログファイル|"
    "*.log;*.aux;*.toc;*.lof;*.lot;*.idx;*.ind;*.ilg;*.bbl;*.blg|全て(*.*)|*.*";

// Text encodings.
inline constexpr char Utf8ConvertFailed[] = "UTF8の文字列変換に失敗しました.";

// INI files ("%s" is the file name).
inline constexpr char IniFileWriteFailed[] = "%s に書き込めません";

// Documents, the data file and tool runs ("%s" is a file or tool name).
inline constexpr char AlreadyOpen[] = "ファイル \"%s\" は既に開いています.";
inline constexpr char TemplateNotFound[] = "テンプレート \"%s\" が見つかりません.";
inline constexpr char FileNotFound[] = "ファイル \"%s\" が見つかりません.";
inline constexpr char DdeFailed[] = "DDE 接続に失敗しました. %s モジュールを確認してください";
inline constexpr char RunDone[] = "%s 処理が完了しました.";
inline constexpr char RunFailed[] = "%s 処理でエラーが報告されました.";
inline constexpr char NoRemainFiles[] = "なし";
inline constexpr char NotTextExtension[] =
    "ファイル名 \"%s\" の拡張子はテキストファイルではありません. \r\n無視して開きますか?";
inline constexpr char WordFile[] = "ファイル \"%s\" は MS-Word 形式です.";
inline constexpr char OpeningTemplate[] = " %sテンプレートを開いています...";
inline constexpr char OpeningFile[] = "ファイル \"%s\" を開いています...";
inline constexpr char Utf8Warning[] =
    "UTF8ファイルを読み込んでいます.\r\nSJISに変換できない文字は失われますのでご注意下さい."
    "\r\n\r\nこのメッセージを今後も出力しますか？";
inline constexpr char OpenedReadOnly[] = "ファイル \"%s\" は読み込み専用で開いています.";
// The log pane: the reload button's hint (log name, folder) and its placeholder lines.
inline constexpr char LogReloadHint[] = "再読込|ログの再読込 : %s (%s)";
inline constexpr char LogMissing[] = "<< ログファイルがありません >>";
inline constexpr char LogNothingListed[] = "<< 該当する表示項目はありません >>";
inline constexpr char SaveAsTitle[] = "名前を付けて保存";
inline constexpr char OpenTitle[] = "開く";
inline constexpr char OwnerFileTitle[] = "オーナーファイル指定";
inline constexpr char InsertFileTitle[] = "挿入ファイル指定";
inline constexpr char ReadOnlyAttribute[] =
    "ファイル \"%s\" は読み取り専用属性です. \r\n読み取り専用属性を解除して保存しますか？";
inline constexpr char AttributeChangeFailed[] = "ファイル \"%s\" の属性変更に失敗しました.";
inline constexpr char OpenInAnotherWindow[] = "ファイル \"%s\" は現在開いています.";
inline constexpr char Saving[] = "保存しています...";
inline constexpr char SaveFailed[] = "ファイル \"%s\" の保存に失敗しました.";
inline constexpr char SaveAllModified[] = "変更されたファイルを全て保存していいですか？";
inline constexpr char ModifiedUntitled[] =
    "文章 \"%s\" は変更されています.\r\n名前を付けて保存しますか？";
inline constexpr char ModifiedNamed[] = "文章 \"%s\" は変更されています.\r\n上書き保存していいですか？";
inline constexpr char ModifiedMark[] = "変更";
inline constexpr char ModeReadOnly[] = "書込禁止";
inline constexpr char ModeOverwrite[] = "上書";
inline constexpr char ModeInsert[] = "挿入";
inline constexpr char InvalidDataFile[] =
    "データファイル \"%s\" が有効でありません. \r\n標準データ「Default.dat」で起動を試みます."
    "\r\n※データファイルは書き込み権限が必要です";
inline constexpr char DataFileOpenFailed[] =
    "Quolin データファイルのオープンに失敗しました.\r\n※データファイルは書き込み権限が必要です";
inline constexpr char DataFileSaveFailed[] = "データファイル \"%s\" の保存に失敗しました.";
inline constexpr char RecordIdsExhausted[] = "識別番号が上限に達したため、これ以上追加できません";

// The menu and toolbar editor's questions about a toolbar.
inline constexpr char ToolbarQueryTitle[] = "ツールバー";
inline constexpr char ToolbarAddPrompt[] = "追加するツールバー名称を入力してください";
inline constexpr char ToolbarRenamePrompt[] = "ツールバー名称を入力してください";
inline constexpr char ToolbarDeleteQuestion[] = "指定されたツールバーを削除していいですか?";

// Creating a new user data file by dialog.
inline constexpr char DataFileCreateTitle[] = "Quolin データファイル生成";
inline constexpr char DataFileFilter[] = "Quolin Data File(*.dat)|*.dat";
inline constexpr char DataFileCreateHistory[] = "QuolinDataFileCreate";
inline constexpr char DataFileExists[] = "ファイル \"%s\" は既に存在します";
inline constexpr char DataFileCreated[] = "データファイルを生成しました";
inline constexpr char DataFileCreateFailed[] = "データファイルの生成に失敗しました";

inline constexpr char AskOpenFile[] = "\r\nファイルを開きますか?";
inline constexpr char PreparingCommandHelper[] = "入力支援を準備しています...";
inline constexpr char NoCommandToRepeat[] = "現在、繰り返すコマンドがありません";

// Commands: the plug-in call.
inline constexpr char PlugInLoadFailed[] = "Dll の呼び出しに失敗しました.";
inline constexpr char PlugInFunctionFailed[] = "関数の呼び出しに失敗しました.";
// The find dialog's section, where the selection search keeps its pattern.
inline constexpr char RegSectionFindReplace[] = "FindReplaceForm";
inline constexpr char SelFindTextName[] = "SelFindText";

// Settings that the main window reads at start-up and the settings dialog writes.
inline constexpr char MainBGColorName[] = "MainBGColor";
inline constexpr char MainDocExpColorName[] = "MainDocExpColor";
inline constexpr char MainDocExpFontKey[] = "MainDocExpFont";
inline constexpr char EditLogAreaKey[] = "EditLogArea";
inline constexpr char LogBGColorName[] = "BGColor";
inline constexpr char EditorPropName[] = "Property";

// The template, format and about dialogs.
inline constexpr char TemplateListFileExtName[] = "TemplateListFileExt";
inline constexpr char TemplateListFileExtDefault[] = "tex";
// The about box's version check page ("%d" is the version number).
inline constexpr char VersionCheckAddress[] = "https://example.org/quolin/version-check?v=%d";
// List tool windows: the frame's buttons and pop-up items, the document combo's hint ("%s" is
// the chosen document in parentheses), the font tool's none entry and the numbers of its
// pop-up items.
inline constexpr char ListRefresh[] = "更新";
inline constexpr char ListInsert[] = "挿入";
inline constexpr char ListClose[] = "閉じる";
inline constexpr char ListItemAccel[] = "(&I)";
inline constexpr char ListShowButtons[] = "ボタンを表示(&B)";
inline constexpr char ListShowIcons[] = "アイコンを表示(&C)";
inline constexpr char ListShowList[] = "一覧表示(&L)";
inline constexpr char ListRefreshItem[] = "更新(&R)";
inline constexpr char ListMasterEdit[] = "マスタ編集(&M)...";
inline constexpr char ListCloseItem[] = "閉じる(&X)";
inline constexpr char ListDocumentHint[] = "参照文章%s|";
inline constexpr char FontNoChange[] = "変更なし";
inline constexpr char FontEntryNumber[] = "(%d)";
// The name of a master added from the input-assistance list, before its number and ")".
inline constexpr char HelperMasterName[] = "+支援から追加(";
// The spell-check window ("%d" is a number of words).
inline constexpr char SpellChecking[] = "スペルチェックを行っています...";
inline constexpr char SpellCheckFinished[] = "スペルチェックが終了しました.";
inline constexpr char SpellBuildingDictionaries[] = "スペルチェック辞書を構築しています...";
inline constexpr char SpellSearchingWords[] = "単語を検索しています...";
inline constexpr char SpellAddAllWords[] =
    "現在の設定でチェックされる単語を, 全てユーザー辞書に追加していいですか？";
inline constexpr char SpellAddAllCount[] =
    "のべ %d 単語が確認されました. ユーザー辞書に追加していいですか？";
inline constexpr char SpellDicSaveFailed[] = "スペルチェック辞書の保存に失敗しました.";

// The find-and-open browser: its values in the "Forms" section, the default text-file
// extensions, its labels and status texts.
inline constexpr char FindOpenPlacementName[] = "FindOpen";
inline constexpr char FindOpenTextFileName[] = "FindOpenTextFile";
inline constexpr char FindOpenTreeWidthName[] = "FindOpenTreeWidth";
inline constexpr char FindOpenListHeightName[] = "FindOpenListHeight";
inline constexpr char FindOpenHeaderWidthName[] = "FindOpenHeaderWidth";
inline constexpr char FindOpenLastDirName[] = "FindOpenLastDir";
// Holds the state of "show all files", despite its name.
inline constexpr char FindOpenTextOnlyName[] = "FindOpenTextOnly";
inline constexpr char FindOpenTextFileDefault[] =
    ".tex.txt.doc.bib.log.aux.toc.lof.lot.idx.ind.ilg.bbl.blg.";
inline constexpr char FindOpenCaption[] = "表示して開く - Quolin";
inline constexpr char FindOpenFolderLabel[] = "フォルダ : %s";
inline constexpr char FindOpenFileLabel[] = "ファイル : %s";
inline constexpr char FindOpenNotText[] = "テキストファイル形式ではありません.";
inline constexpr char FindOpenAlreadyOpen[] = "既に開いています.";
inline constexpr char FindOpenFailed[] = "ファイルのオープンに失敗しました.";

// The index entry and width conversion dialogs' sections.
inline constexpr char RegSectionIndexForm[] = "IndexForm";
inline constexpr char RegSectionCharConvForm[] = "CharConvForm";

// The master and group editor: categories (CommandType), visibility rules (VisibleType), the
// record dialog's page hints, and its messages.
inline constexpr const char* CommandCategories[] = {
    "ファイル", "編集", "表示", "挿入", "記号特殊文字(通常)", "書式", "作表", "数式",
    "記号特殊文字(数式)", "ウィンドウ", "ツール", "ヘルプ", "その他", "入力支援から追加"};
inline constexpr const char* VisibilityRules[] = {"常に表示",
                                                  "文章表示時のみ有効",
                                                  "文章表示時のみ表示",
                                                  "文章非表示時のみ有効",
                                                  "文章非表示時のみ表示",
                                                  "テキスト選択時のみ有効",
                                                  "テキスト非選択時のみ有効",
                                                  "選択時テキストに改行を含む時のみ有効",
                                                  "選択時テキストに改行を含まない時のみ有効",
                                                  "表示しない"};
inline constexpr char MenuPageHint[] =
    " メニューに割り付けたときの名称とショートカットキー\r\n ホットキーは(&&X)で指定";
inline constexpr char ImagePageHint[] = " メニュー・ツールボタン・リストに表示される画像";
inline constexpr char HelpPageHint[] =
    " ツールチップ/ステータスバーの表示\r\n 形式 : [ツールチップ]|[ステータスヘルプ]";
inline constexpr char VisiblePageHint[] =
    " メニュー・ツールボタンの有効無効タイミングを指定\r\n"
    " (編集にストレスを与える可能性がありますので、通常は「常に表示」を選択してください)";
inline constexpr char GroupPageHint[] = " グループに追加したとき、リストに表示される名称";
inline constexpr char MasterInUse[] = "このマスタは使用されているので削除できません.";
inline constexpr char GroupInUse[] = "このグループは使用されているので削除できません.";
inline constexpr char MasterIniFilter[] = "マスタデータ(*.ini)|*.ini|全て(*.*)|*.*";
inline constexpr char MasterExportFolderName[] = "MstExpFolder";
inline constexpr char MasterImportFolderName[] = "MstInpFolder";

// The reserved-word list editor.
inline constexpr char ReserveListFilter[] = "予約語リスト(*.lst)|*.lst|全て(*.*)|*.*";
inline constexpr char ReserveImportQuestion[] =
    "予約語リストを読み込みますか？.現在のリストはクリアされます.";

} // namespace quolin::res
