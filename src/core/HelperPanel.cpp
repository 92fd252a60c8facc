#include "core/HelperPanel.h"

#include "core/CommandExpander.h"
#include "core/Format.h"
#include "core/ResConst.h"
#include "core/Sjis.h"

#include <algorithm>

namespace quolin {

namespace {

constexpr size_t MinHelperCharacters = 3;

size_t CharacterCount(std::string_view text) {
  size_t count = 0;
  for (size_t pos = 0; pos < text.size(); pos += sjis::CharLength(text, pos))
    ++count;
  return count;
}

} // namespace

THelperPlacement PlaceHelperPanel(int caretX, int caretY, int rowHeight, int panelWidth,
                                  int panelHeight, int clientWidth, int clientHeight) {
  THelperPlacement place;
  place.Left = caretX - 1;
  if (int overlap = place.Left + panelWidth - clientWidth; overlap > 0)
    place.Left -= overlap;
  place.Top = caretY + rowHeight;
  if (place.Top + panelHeight > clientHeight) {
    place.Top = caretY - panelHeight;
    place.GridOnTop = true;
  }
  place.Left = std::max(place.Left, 0);
  place.Top = std::max(place.Top, 0);
  return place;
}

std::optional<TQuolin_CmdList> NewHelperMaster(std::string_view typed, int id) {
  if (CharacterCount(typed) < MinHelperCharacters)
    return std::nullopt;
  std::string keyword = Trim(typed);
  if (keyword.starts_with('\\'))
    keyword.erase(0, 1);
  TQuolin_CmdList master;
  master.Id = id;
  master.Name = res::HelperMasterName + IntToStr(id) + ")";
  master.AssistCaption = keyword;
  master.Command = EncodeControlChars(typed);
  master.ImgIndex = NoImage;
  master.CommandType = HelperCommandType;
  master.ShowList = true;
  master.ShortCut = 0;
  return master;
}

} // namespace quolin
