// Generates CP932 LaTeX text of a given size from a fixed seed, for the benchmarks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace bench {

enum class TexShape {
  ShortLines, // about 35 bytes a line
  Paragraphs  // 100-600 bytes a line
};

struct TexOptions {
  size_t bytes = 10 * 1024 * 1024;
  TexShape shape = TexShape::Paragraphs;
  uint32_t seed = 20261206;
  // Mixes in "section", "Section", "ｓｅｃｔｉｏｎ", "ＳＥＣＴＩＯＮ" and full-width letters of
  // both cases, each between spaces, for the search benchmark.
  bool searchWords = false;
  // This many headings of levels 1 to 7 ("\part" to "\subparagraph", every fourth starred),
  // spread evenly over the text in place of the "\section" lines. A level is at most two
  // deeper than the one before, so that the tree is deep and skips a level now and then.
  int headings = 0;
};

struct TexHeading {
  int line = 0; // from 0
  int level = 0;
  std::string title;
};

struct GeneratedTex {
  std::string text; // CR LF line ends, no Ctrl-Z
  // Offset of the first place each inserted word or command was put, by its text.
  std::map<std::string, size_t> firstOffset;
  // The headings of the headings option, in line order.
  std::vector<TexHeading> headings;
};

GeneratedTex GenerateTex(const TexOptions& options);

} // namespace bench
