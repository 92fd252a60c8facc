#include "common/Placement.h"

#include "core/Format.h"
#include "core/StringList.h"

namespace quolin {

namespace {

int ValueOr(const TStrings& pairs, const char* name, int current) {
  int index = pairs.IndexOfName(name);
  return index < 0 ? current : StrToIntDef(pairs.ValueFromIndex(index), current);
}

} // namespace

int WindowStateToInt(TWindowState state) {
  switch (state) {
  case TWindowState::wsMinimized:
    return 1;
  case TWindowState::wsMaximized:
    return 2;
  default:
    return 0;
  }
}

TWindowState IntToWindowState(int value) {
  switch (value) {
  case 1:
    return TWindowState::wsMinimized;
  case 2:
    return TWindowState::wsMaximized;
  default:
    return TWindowState::wsNormal;
  }
}

std::string BuildPlacementText(const TPlacementValues& values) {
  int state = WindowStateToInt(values.WindowState);
  if (values.WindowState != TWindowState::wsNormal)
    return Format("WindowState=%d", state);
  return Format("Left=%d;Top=%d;Width=%d;Height=%d;WindowState=%d", values.Left, values.Top,
                values.Width, values.Height, state);
}

TPlacementValues ParsePlacementText(const std::string& text, const TPlacementValues& current) {
  TStringList pairs;
  pairs.Delimiter = ';';
  pairs.QuoteChar = '"';
  pairs.StrictDelimiter = true;
  pairs.SetDelimitedText(text);
  TPlacementValues values;
  values.Left = ValueOr(pairs, "Left", current.Left);
  values.Top = ValueOr(pairs, "Top", current.Top);
  values.Width = ValueOr(pairs, "Width", current.Width);
  values.Height = ValueOr(pairs, "Height", current.Height);
  values.WindowState =
      IntToWindowState(ValueOr(pairs, "WindowState", WindowStateToInt(current.WindowState)));
  return values;
}

} // namespace quolin
