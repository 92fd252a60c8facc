#include "core/DocumentText.h"
#include "RecordingView.h"
#include "core/AutoIndent.h"
#include "core/Exceptions.h"
#include "core/FileStateRecord.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace quolin;

namespace {

// The bytes as a document takes them and gives them back on a save without edits.
std::string RoundTrip(const std::string& bytes, bool forceUtf8 = false) {
  TDocumentText decoded = DecodeDocumentBytes(bytes, forceUtf8);
  RecordingView view;
  view.Lines().LoadFromText(decoded.Text);
  return EncodeDocumentText(view.Lines().Text(), decoded.Code);
}

// "漢字" and "上" (4E0A holds the LF byte in UTF-16) in each form.
const std::string kSjis = "\x8A\xBF\x8E\x9A\x8F\xE3";
const std::string kUtf8 = "\xE6\xBC\xA2\xE5\xAD\x97\xE4\xB8\x8A";
const std::string kUtf16Le = std::string("\x22\x6F\x57\x5B\x0A\x4E", 6);
const std::string kUtf16Be = std::string("\x6F\x22\x5B\x57\x4E\x0A", 6);

std::string Utf16(const std::string& ascii, bool bigEndian) {
  std::string bytes;
  for (char ch : ascii)
    bytes += bigEndian ? std::string{'\0', ch} : std::string{ch, '\0'};
  return bytes;
}

TEST(DocumentText, EachFormComesBackByteForByte) {
  struct Case {
    std::string bytes;
    TextEncodingCode code;
  };
  const std::string le = "\xFF\xFE", be = "\xFE\xFF";
  const std::vector<Case> cases = {
      {"a\r\n" + kSjis + "\r\nb", tcShiftJis},
      {"a\r\n" + kSjis + "\r\n", tcShiftJis},
      {"\xEF\xBB\xBF" + kUtf8 + "\r\nx\r\n", tcUtf8Bom},
      {kUtf8 + "\r\nx", tcUtf8},
      {kUtf8 + "\r\n", tcUtf8},
      {le + kUtf16Le + Utf16("\r\nx", false), tcUtf16Le},
      {le + kUtf16Le + Utf16("\r\n", false), tcUtf16Le},
      {be + kUtf16Be + Utf16("\r\nx\r\n", true), tcUtf16Be},
      {"plain\r\ntext\r\n", tcAscii},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DecodeDocumentBytes(c.bytes, false).Code, c.code) << c.bytes;
    EXPECT_EQ(RoundTrip(c.bytes), c.bytes) << c.code;
  }
  EXPECT_EQ(DecodeDocumentBytes("\xFF\xFE" + kUtf16Le, false).Text, kSjis)
      << "the LF byte inside a character is no line end";
}

TEST(DocumentText, NamesMarkUtf8AndAByteOrderMarkOutranksThem) {
  EXPECT_TRUE(HasUtf8Marker("C:\\d\\A.UTF8.tex"));
  EXPECT_FALSE(HasUtf8Marker("C:\\x.utf8.d\\a.tex")) << "the folder does not count";
  EXPECT_FALSE(HasUtf8Marker("a.utf8"));
  // Too little to detect: only the name says UTF-8.
  TDocumentText forced = DecodeDocumentBytes("\xE6\xBC\xA2", true);
  EXPECT_EQ(forced.Code, tcUtf8);
  EXPECT_EQ(forced.Text, "\x8A\xBF");
  EXPECT_NE(DecodeDocumentBytes("\xE6\xBC\xA2", false).Code, tcUtf8);
  EXPECT_EQ(DecodeDocumentBytes("\xEF\xBB\xBF", true).Code, tcUtf8Bom) << "a mark alone";
  EXPECT_EQ(DecodeDocumentBytes("\xEF\xBB\xBF" + kUtf8, true).Code, tcUtf8Bom);
  EXPECT_EQ(DecodeDocumentBytes("\xFF\xFE" + kUtf16Le, true).Code, tcUtf16Le);
  EXPECT_EQ(RoundTrip("ab\r\n", true), "ab\r\n");
}

TEST(DocumentText, InvalidTextIsRefusedWhole) {
  for (const std::string& bytes :
       {kUtf8 + "\xE6\xBC", std::string("\xFF\xFE\x41\x00\x42", 5),
        std::string("\xFE\xFF\xDC\x00", 4), std::string("\xEF\xBB\xBF\x41\xC0\xAF\x42")}) {
    EXPECT_THROW(DecodeDocumentBytes(bytes, false), EEncodingError) << bytes;
  }
  EXPECT_THROW(DecodeDocumentBytes("\x83\x41\xFF", true), EEncodingError);
}

// A text large enough to be converted in pieces on several threads.
TEST(DocumentText, LargeUtf8ConvertsInPiecesAndABrokenLastPieceRefusesItAll) {
  std::string line = kUtf8 + " abc " + kUtf8 + "\r\n";
  std::string utf8;
  while (utf8.size() < 2 * 1024 * 1024)
    utf8 += line;
  std::string sjisLine = kSjis + " abc " + kSjis + "\r\n";
  size_t lines = utf8.size() / line.size();
  TDocumentText decoded = DecodeDocumentBytes(utf8, false);
  EXPECT_EQ(decoded.Code, tcUtf8);
  std::string expected;
  for (size_t i = 0; i < lines; ++i)
    expected += sjisLine;
  EXPECT_TRUE(decoded.Text == expected) << "every piece in its place";
  EXPECT_EQ(DecodeDocumentBytes("\xEF\xBB\xBF" + utf8, false).Text, decoded.Text);
  for (const std::string& broken : {std::string("\xE6\xBC"), std::string("\xC0\xAF")})
    EXPECT_THROW(DecodeDocumentBytes(utf8 + "last" + broken + "\r\n", false), EEncodingError)
        << "the last piece's fault";
}

// What a save writes of a file detected as UTF-8 is read back as the same text, or the file
// is refused whole.
TEST(DocumentText, DetectionAgreesWithTheSavedBytes) {
  // A final Ctrl-Z once made the detection look at the lone 0x80 and read Shift-JIS; the
  // saved bytes, one shorter, looked like UTF-8 and were refused. Both are refused now.
  const std::string late80 = "\xE3\x81\x82\x80" "abcd";
  for (const std::string& bytes : {late80, late80 + "\x1A", late80 + "\x1A\x1A"})
    EXPECT_THROW(DecodeDocumentBytes(bytes, false), EEncodingError) << bytes.size();
  EXPECT_EQ(DecodeDocumentBytes(late80 + "e\x1A", false).Code, tcShiftJis);
  // A mark and a Ctrl-Z: without the Ctrl-Z no mark is detected, so neither is one with it.
  EXPECT_EQ(DecodeDocumentBytes("\xEF\xBB\xBF\x1A", false).Text, "\xEF\xBB\xBF");
  // Characters lost to "?" leave too few bytes to look like UTF-8: refused, not misread later.
  EXPECT_THROW(DecodeDocumentBytes("\xE6\xBC\xA2\xF0\x9F\x98\x80", false), EEncodingError);
  EXPECT_THROW(DecodeDocumentBytes("\xE2\x82\xAC" + std::string(600, 'a') + kUtf8, false),
               EEncodingError)
      << "the only character of the examined bytes lost";
  EXPECT_EQ(DecodeDocumentBytes("\xE2\x82\xAC" "abcdef", false).Text, "?abcdef")
      << "what is left is ASCII and reads as itself";
  EXPECT_EQ(DecodeDocumentBytes("\xE2\x82\xAC" "abc" + kUtf8, false).Code, tcUtf8);
}

TEST(DocumentText, OnlyAFinalCtrlZIsDropped) {
  EXPECT_EQ(DecodeDocumentBytes("ab\r\ncd\x1A", false).Text, "ab\r\ncd");
  EXPECT_EQ(RoundTrip("ab\x1A"
                      "cd\r\n"),
            "ab\x1A"
            "cd\r\n")
      << "one inside survives a save";
  EXPECT_EQ(DecodeDocumentBytes("\xFF\xFE" + Utf16("a\x1A", false), false).Text, "a");
  EXPECT_EQ(DecodeDocumentBytes("", false).Code, tcBinary);
  EXPECT_EQ(DecodeDocumentBytes("", false).Text, "");
}

// Random text in every form, sometimes cut or given a stray byte: each file either comes back
// byte for byte or is refused whole.
TEST(DocumentText, RandomFilesComeBackOrAreRefused) {
  const std::vector<std::string> pieces = {"a",  "\\section{x}", "\r\n",     kSjis, "\x82\xA0",
                                           "\t", "\x1A",         "\x83\x5C", " ",   "\xB1"};
  std::mt19937 random(20240611);
  auto below = [&](size_t limit) { return static_cast<size_t>(random() % limit); };
  int refused = 0, accepted = 0;
  for (int i = 0; i < 3000; ++i) {
    std::string text;
    for (size_t n = below(12); n > 0; --n)
      text += pieces[below(pieces.size())];
    TextEncodingCode codes[] = {tcShiftJis, tcUtf8Bom, tcUtf8, tcUtf16Le, tcUtf16Be};
    std::string bytes = EncodeDocumentText(text, codes[below(5)]);
    switch (below(4)) {
    case 0:
      bytes.resize(below(bytes.size() + 1));
      break;
    case 1:
      bytes.insert(below(bytes.size() + 1), 1, "\x80\xBF\xFF\xC3"[below(4)]);
      break;
    default:
      break;
    }
    bool forceUtf8 = below(8) == 0;
    try {
      TDocumentText decoded = DecodeDocumentBytes(bytes, forceUtf8);
      if (EncodeDocumentText(decoded.Text + "\x1A", decoded.Code) == bytes)
        continue; // a final Ctrl-Z is dropped by design
      // The row store ends every line with CR LF: only such texts can come back whole.
      const std::string& t = decoded.Text;
      bool loneLineEnd = false;
      for (size_t pos = 0; pos < t.size(); ++pos)
        loneLineEnd |= (t[pos] == '\r' && (pos + 1 == t.size() || t[pos + 1] != '\n')) ||
                       (t[pos] == '\n' && (pos == 0 || t[pos - 1] != '\r'));
      if (loneLineEnd)
        continue;
      EXPECT_EQ(RoundTrip(bytes, forceUtf8), bytes);
      ++accepted;
    } catch (const EEncodingError&) {
      ++refused;
    }
  }
  EXPECT_GT(refused, 100);
  EXPECT_GT(accepted, 1000);
}

TEST(DocOps, BinaryNamesByTheirExtension) {
  // Whole extensions only; no extension is not binary.
  for (const char* name : {"C:\\a\\b.DVI", "b.exe"})
    EXPECT_TRUE(HasListedExtension(name, ".exe.dvi.doc.")) << name;
  for (const char* name : {"b.tex", "b.ex", "C:\\a\\README", "C:\\a.exe\\Makefile"})
    EXPECT_FALSE(HasListedExtension(name, ".exe.dvi.doc.")) << name;
}

TEST(FileStateRecords, LayoutsAndSizes) {
  TFileState state{1, 2, 3, -4, true, 0x01020304};
  std::string record = PackFileState(state);
  ASSERT_EQ(record.size(), 25u);
  EXPECT_EQ(record.substr(12, 9), std::string("\xFC\xFF\xFF\xFF\x01\x04\x03\x02\x01", 9))
      << "the pane height follows the wrap byte unaligned";
  EXPECT_EQ(record.substr(21), std::string(4, '\0'));
  EXPECT_EQ(ParseFileState(record), state);
  EXPECT_FALSE(ParseFileState(record.substr(0, 24)));
  EXPECT_FALSE(ParseFileState(record + '\0'));

  std::string log = PackLogPaneState({-5, 41, 1, true});
  EXPECT_EQ(log, std::string("\0\0\0\0\x29\0\0\0\x01\0\0\0\x01", 13)) << "negative height as 0";
  EXPECT_EQ(ParseLogPaneState(log), (TLogPaneState{0, 41, 1, true}));
  EXPECT_FALSE(ParseLogPaneState(log.substr(1)));
  EXPECT_EQ(TLogPaneState{}, (TLogPaneState{0, 40, 2, false}));
}

TEST(DocOps, AutoIndentTextByIndentType) {
  const std::vector<std::string> list = {"\\", "%", "\\item "};
  struct Case {
    int type;
    std::string text;
    std::optional<std::string> previous;
    std::string indent;
  };
  const std::vector<Case> cases = {
      {1, " \t x", std::nullopt, " \t "},
      {1, "x  ", std::nullopt, ""},
      {2, "  \x8A\xBF\x8E\x9A", "  \x8A\xBF\x8E\x9B", "  \x8A\xBF"},
      {2, "\x8A\xBF", "\x8A\xC0", ""},
      {2, "  ab", "xy", "  "},
      {2, "  ab", std::nullopt, "  "},
      {3, "  \\item x", std::nullopt, "  \\item "},
      {3, "  % a", std::nullopt, "  %"},
      {3, "\\begin", std::nullopt, ""}, // one backslash is no indentation
      {3, "\\ITEM", std::nullopt, ""},
      {0, "  x", std::nullopt, ""},
  };
  for (const Case& c : cases) {
    std::optional<std::string_view> previous;
    if (c.previous)
      previous = *c.previous;
    EXPECT_EQ(AutoIndentText(c.type, c.text, previous, list), c.indent) << c.type << c.text;
  }
}

TEST(DocOps, EnterTemplatesTakeTheIndentation) {
  EXPECT_EQ(ExpandEnterTemplate("\r\n", "  "), "\r\n  ");
  EXPECT_EQ(ExpandEnterTemplate("\\\\\r\n$SpIndent", "\t% \x82\xA0"), "\\\\\r\n\t    ");
  EXPECT_EQ(ExpandEnterTemplate("\\newpage\r\n$NoIndent$SpIndent", "  "), "\\newpage\r\n");
  EXPECT_EQ(ExpandEnterTemplate("a\r\nb\r\n", "%"), "a\r\n%b\r\n%");
}

} // namespace
