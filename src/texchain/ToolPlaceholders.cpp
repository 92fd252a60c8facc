#include "texchain/ToolPlaceholders.h"

#include "common/FileHelpers.h"
#include "common/Registry.h"
#include "common/StringHelpers.h"
#include "core/Format.h"
#include "core/Paths.h"
#include "core/StringList.h"
#include "texchain/FilePattern.h"
#include "texchain/ToolUtil.h"

namespace quolin {

namespace {


constexpr char RowPlaceholder[] = "%row%";

TFormatDefaults formatDefaults;

// The placeholders of the four file names, replaced in this order (any case).
enum TFileNameKind { fkQuoted, fkLong, fkShort };
struct TFileNamePlaceholder {
  const char* Text;
  TFileNameKind Kind;
};
constexpr TFileNamePlaceholder FileNamePlaceholders[] = {
    {"%filename", fkQuoted},
    {"%quotefilename", fkQuoted},
    {"%longfilename", fkLong},
    {"%shortfilename", fkShort},
};

std::string KarveFormatNumber() {
  TRegKey key;
  uint32_t number = 0;
  if (key.Open(HKEY_CURRENT_USER, KarveSettingsKey) && key.ReadDword(KarveFormatValue, number))
    return IntToStr(static_cast<int32_t>(number));
  return "0";
}

std::string KarveFormat(const std::string& number) {
  TRegKey key;
  std::string value;
  if (!key.Open(HKEY_CURRENT_USER, KarveFormatsKey) || !key.ReadString(number, value))
    return {};
  return KarveFormatName(value);
}

std::string WinTeXFormat(int number) {
  if (number < 0)
    return {};
  TStringList keys;
  IniReadSection(WinTeXIni, WinTeXModeSection, keys);
  if (keys.Count() <= number)
    return {};
  return IniReadString(WinTeXIni, WinTeXModeSection, keys[number], "");
}

} // namespace

const TFormatDefaults& FormatDefaults() {
  return formatDefaults;
}

std::string KarveFormatName(std::string_view value) {
  std::string name(value);
  if (name.size() > 2) {
    if (size_t open = name.rfind('('); open != std::string::npos)
      name = name.substr(open + 1, name.size() - open - 2);
  }
  return ChangeFileExt(name, "");
}

void LoadFormatDefaults() {
  TFormatDefaults loaded;
  loaded.FmtNum_KarveTeX = KarveFormatNumber();
  loaded.FmtName_KarveTeX = KarveFormat(loaded.FmtNum_KarveTeX);
  int winTeX = IniReadInteger(WinTeXIni, WinTeXDefaultSection, WinTeXDefaultSection, -1);
  loaded.FmtNum_WinTeX = IntToStr(winTeX);
  loaded.FmtName_WinTeX = WinTeXFormat(winTeX);
  formatDefaults = loaded;
}

std::string SlashPath(std::string_view path) {
  return ReplaceAll(path, "\\", "/", true);
}

std::string QuoteIfSpace(std::string_view text) {
  std::string trimmed = Trim(text);
  return trimmed.find(' ') == std::string::npos ? trimmed : "\"" + trimmed + "\"";
}

std::string ExpandFileTokens(std::string_view text, const std::string& editFileName,
                             const std::string& ownerFileName, int row) {
  return ReplaceAll(ExpandFilePattern(text, editFileName, ownerFileName), RowPlaceholder,
                    IntToStr(row), true);
}

std::string ExpandModuleMacros(const TPlaceholderFiles& files, std::string_view text,
                               const std::string& fileName, bool slashes,
                               std::string_view extension) {
  // A missing file has no 8.3 form: its long form stands.
  std::string shortForm = GetShortPath(fileName);
  if (shortForm.empty())
    shortForm = fileName;
  auto asPath = [slashes](const std::string& path) { return slashes ? SlashPath(path) : path; };
  const std::string longName = asPath(ChangeFileExt(fileName, extension));
  const std::string shortName = asPath(ChangeFileExt(shortForm, extension));

  const std::pair<const char*, const std::string&> formats[] = {
      {"%FmtNum_WinTeX", formatDefaults.FmtNum_WinTeX},
      {"%FmtNum_KarveTeX", formatDefaults.FmtNum_KarveTeX},
      {"%FmtName_WinTeX", formatDefaults.FmtName_WinTeX},
      {"%FmtName_KarveTeX", formatDefaults.FmtName_KarveTeX},
  };
  std::string result(text);
  for (const auto& [placeholder, value] : formats)
    result = ReplaceAll(result, placeholder, value, false);
  for (const TFileNamePlaceholder& placeholder : FileNamePlaceholders) {
    const std::string& name = placeholder.Kind == fkShort ? shortName : longName;
    result = ReplaceAll(result, placeholder.Text,
                        placeholder.Kind == fkQuoted ? QuoteIfSpace(name) : name, false);
  }
  return ExpandFileTokens(result, asPath(files.EditFileName), asPath(files.OwnerFileName),
                          files.EditRowNum);
}

} // namespace quolin
