// The character rows of the width and reading conversions. Rows of one group correspond
// character by character: the n-th character of one converts to the n-th of the other. The
// voiced rows exist in both forms: Shift-JIS ("Ansi", narrow literals compile to it) for the
// pair mapping and UTF-16 ("Wide") for the character mapping. Window-free.
#pragma once

#include <string_view>

namespace quolin::kana {

inline constexpr std::u16string_view kHalfKatakana =
    u"ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜｦﾝｯｧｨｩｪｫｬｭｮｰ";
inline constexpr std::u16string_view kFullKatakana =
    u"アイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワヲン"
    u"ッァィゥェォャュョー";
inline constexpr std::u16string_view kHiragana =
    u"あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわをん"
    u"っぁぃぅぇぉゃゅょー";
// The vowel of each character of kHiragana, which a following long-vowel mark stands for.
inline constexpr std::u16string_view kHiraganaVowels =
    u"あいうえおあいうえおあいうえおあいうえおあいうえおあいうえおあいうえおあうおあいうえおあをん"
    u"うあいうえおあうおー";

inline constexpr std::u16string_view kSmallKana = u"っぁぃぅぇぉゃゅょ";
inline constexpr std::u16string_view kSmallKanaNormal = u"つあいうえおやゆよ";

inline constexpr std::u16string_view kFullLetters =
    u"ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴＵＶＷＸＹＺａｂｃｄｅｆｇｈｉｊｋｌｍｎｏｐｑｒｓｔ"
    u"ｕｖｗｘｙｚ";
inline constexpr std::u16string_view kHalfLetters =
    u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
inline constexpr std::u16string_view kFullDigits = u"０１２３４５６７８９";
inline constexpr std::u16string_view kHalfDigits = u"0123456789";

// Each a half-width kana followed by its voicing mark.
inline constexpr std::string_view kHalfVoicedPairsAnsi =
    "ｶﾞｷﾞｸﾞｹﾞｺﾞｻﾞｼﾞｽﾞｾﾞｿﾞﾀﾞﾁﾞﾂﾞﾃﾞﾄﾞﾊﾞﾋﾞﾌﾞﾍﾞﾎﾞｳﾞﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟ";
inline constexpr std::u16string_view kHalfVoicedPairsWide =
    u"ｶﾞｷﾞｸﾞｹﾞｺﾞｻﾞｼﾞｽﾞｾﾞｿﾞﾀﾞﾁﾞﾂﾞﾃﾞﾄﾞﾊﾞﾋﾞﾌﾞﾍﾞﾎﾞｳﾞﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟ";
inline constexpr std::string_view kFullVoicedKatakanaAnsi =
    "ガギグゲゴザジズゼゾダヂヅデドバビブベボヴパピプペポ";
inline constexpr std::u16string_view kFullVoicedKatakanaWide =
    u"ガギグゲゴザジズゼゾダヂヅデドバビブベボヴパピプペポ";
// ヴ has no hiragana of its own and stands here for it.
inline constexpr std::string_view kVoicedHiraganaAnsi =
    "がぎぐげござじずぜぞだぢづでどばびぶべぼヴぱぴぷぺぽ";
inline constexpr std::u16string_view kVoicedHiraganaWide =
    u"がぎぐげござじずぜぞだぢづでどばびぶべぼヴぱぴぷぺぽ";
inline constexpr std::string_view kUnvoicedHiraganaAnsi =
    "かきくけこさしすせそたちつてとはひふへほうはひふへほ";
inline constexpr std::u16string_view kUnvoicedHiraganaWide =
    u"かきくけこさしすせそたちつてとはひふへほうはひふへほ";

static_assert(kHalfKatakana.size() == 56 && kFullKatakana.size() == 56 && kHiragana.size() == 56 &&
              kHiraganaVowels.size() == 56);
static_assert(kSmallKana.size() == 9 && kSmallKanaNormal.size() == 9);
static_assert(kFullLetters.size() == 52 && kHalfLetters.size() == 52);
static_assert(kFullDigits.size() == 10 && kHalfDigits.size() == 10);
static_assert(kHalfVoicedPairsAnsi.size() == 26 * 2 && kHalfVoicedPairsWide.size() == 26 * 2);
static_assert(kFullVoicedKatakanaAnsi.size() == 26 * 2 && kFullVoicedKatakanaWide.size() == 26);
static_assert(kVoicedHiraganaAnsi.size() == 26 * 2 && kVoicedHiraganaWide.size() == 26);
static_assert(kUnvoicedHiraganaAnsi.size() == 26 * 2 && kUnvoicedHiraganaWide.size() == 26);

} // namespace quolin::kana
