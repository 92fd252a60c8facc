// Any bytes as a document's lines, a random start and random switches over a small
// dictionary: every unknown word the walk finds lies inside its line on a character start and
// is the line's bytes there, the hits come in document order, and walking on from each hit's
// end reaches the end. After all words are added, a walk from the start finds nothing.
#include "core/Sjis.h"
#include "core/SpellCheck.h"
#include "core/SpellWalk.h"
#include "core/StringList.h"
#include "fuzz/FuzzSupport.h"

using namespace quolin;

namespace {

bool IsCharStart(std::string_view line, size_t offset) {
  size_t pos = 0;
  while (pos < offset)
    pos += sjis::CharLength(line, pos);
  return pos == offset;
}

TSpellEngineSettings SettingsFrom(fuzz::Input& input) {
  uint8_t switches = input.Byte();
  TSpellEngineSettings settings;
  settings.SkipMail = switches & 1;
  settings.SkipUrl = switches & 2;
  settings.SkipAllUpper = switches & 4;
  settings.SkipCapitalized = switches & 8;
  settings.SkipWithDigits = switches & 16;
  settings.StripSuffixes = switches & 32;
  settings.MainDicOnly = switches & 64;
  settings.Commenter = std::string((switches & 128) ? 1 : 0, '%');
  settings.MinWordLen = input.Byte() % 8;
  return settings;
}

// Walks from (line, offset) to the end; every hit is checked against the one before.
void WalkToTheEnd(TQuolinSpellCheck& engine, const TStringList& lines, int line, int offset) {
  int lastLine = -1;
  int lastEnd = 0;
  // Each hit moves on by at least one byte, so the walk ends.
  for (;;) {
    auto found = FindNextUnknownWord(engine, lines, line, offset);
    if (!found)
      return;
    FUZZ_CHECK(found->Line >= line && found->Line < lines.Count());
    std::string text = lines[found->Line];
    auto at = static_cast<size_t>(found->Offset);
    FUZZ_CHECK(found->Offset >= 0 && !found->Word.empty());
    FUZZ_CHECK(at + found->Word.size() <= text.size());
    FUZZ_CHECK(text.compare(at, found->Word.size(), found->Word) == 0);
    FUZZ_CHECK(IsCharStart(text, at));
    FUZZ_CHECK(found->Line > lastLine || found->Offset >= lastEnd);
    if (found->Line == line)
      FUZZ_CHECK(found->Offset >= offset);
    lastLine = found->Line;
    lastEnd = found->Offset + static_cast<int>(found->Word.size());
    line = found->Line;
    offset = lastEnd;
  }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Input input(data, size);
  TQuolinSpellCheck engine;
  ApplyEngineSettings(engine, SettingsFrom(input));
  int line = input.Byte() % 8;
  int offset = input.Byte();
  TStringList lines;
  for (const std::string& text : fuzz::SplitLines(input.Rest()))
    lines.Add(text);
  engine.OtherDic.AddWords({"and", "bad", "color", "good", "run", "see", "the", "word"});
  engine.UserDic.AddWords({"quolin", "tex"});

  WalkToTheEnd(engine, lines, line, offset);
  AddAllWords(engine, lines);
  FUZZ_CHECK(!FindNextUnknownWord(engine, lines, 0, 0));
  return 0;
}
