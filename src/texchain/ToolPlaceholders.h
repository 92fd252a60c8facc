// The "%" placeholders of the tools' command lines, DDE macros and topics, and the format
// numbers and names of the two outside TeX front ends that some of them stand for.
//
// Expansion order: the four format placeholders (any case); "%filename", "%quotefilename",
// "%longfilename" and "%shortfilename" (any case); up to six "%file" tokens (see
// FilePattern.h); "%row%" (exact case).
#pragma once

#include <string>
#include <string_view>

namespace quolin {

// The four program-wide format strings, refreshed before every run.
struct TFormatDefaults {
  std::string FmtNum_WinTeX = "-1";
  std::string FmtName_WinTeX;
  std::string FmtNum_KarveTeX = "0";
  std::string FmtName_KarveTeX;
};

// Where the two front ends keep their formats and their default format's number.
inline constexpr char KarveSettingsKey[] = "Software\\KARVE\\bwpvtex\\Settings";
inline constexpr char KarveFormatsKey[] = "Software\\KARVE\\bwpvtex\\Format Files";
inline constexpr char KarveFormatValue[] = "defaultfmt";
inline constexpr char WinTeXIni[] = "WinTex.ini";
inline constexpr char WinTeXDefaultSection[] = "TeXModeDefault";
inline constexpr char WinTeXModeSection[] = "TeXMode";

const TFormatDefaults& FormatDefaults();
// Reads them from the KarveTeX front end's registry key and "WinTex.ini".
void LoadFormatDefaults();
// The format name of a KarveTeX "Format Files" value: what follows its last "(" without the
// closing character when it holds one and is longer than 2, then without its extension.
std::string KarveFormatName(std::string_view value);

// The files the tokens and the row stand for.
struct TPlaceholderFiles {
  std::string EditFileName;
  // The main file; empty when the edited file is one.
  std::string OwnerFileName;
  int EditRowNum = 0;
};

// slashes: for command lines, "\" turned to "/" in every file placeholder; extension: given to
// the file name of the "%...filename" placeholders (empty removes its extension).
std::string ExpandModuleMacros(const TPlaceholderFiles& files, std::string_view text,
                               const std::string& fileName, bool slashes,
                               std::string_view extension);
// The "%file" tokens and "%row%".
std::string ExpandFileTokens(std::string_view text, const std::string& editFileName,
                             const std::string& ownerFileName, int row);
// Every "\" character turned to "/"; the second byte of a double-byte character stays.
std::string SlashPath(std::string_view path);
// Trimmed, and in double quotes when it holds a blank.
std::string QuoteIfSpace(std::string_view text);

} // namespace quolin
