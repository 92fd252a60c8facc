// The character rows of the width and reading conversions. Rows of one group correspond
// character by character: the n-th character of one converts to the n-th of the other. The
// voiced rows exist in both forms: Shift-JIS ("Ansi", narrow literals compile to it) for the
// pair mapping and UTF-16 ("Wide") for the character mapping. Window-free.
#pragma once

#include <string_view>

namespace quolin::kana {

inline constexpr std::wstring_view kHalfKatakana =
    L"ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜｦﾝｯｧｨｩｪｫｬｭｮｰ";
inline constexpr std::wstring_view kFullKatakana =
    L"アイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワヲン"
    L"ッァィゥェォャュョー";
inline constexpr std::wstring_view kHiragana =
    L"あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわをん"
    L"っぁぃぅぇぉゃゅょー";
// The vowel of each character of kHiragana, which a following long-vowel mark stands for.
inline constexpr std::wstring_view kHiraganaVowels =
    L"あいうえおあいうえおあいうえおあいうえおあいうえおあいうえおあいうえおあうおあいうえおあをん"
    L"うあいうえおあうおー";

inline constexpr std::wstring_view kSmallKana = L"っぁぃぅぇぉゃゅょ";
inline constexpr std::wstring_view kSmallKanaNormal = L"つあいうえおやゆよ";

inline constexpr std::wstring_view kFullLetters =
    L"ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴＵＶＷＸＹＺａｂｃｄｅｆｇｈｉｊｋｌｍｎｏｐｑｒｓｔ"
    L"ｕｖｗｘｙｚ";
inline constexpr std::wstring_view kHalfLetters =
    L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
inline constexpr std::wstring_view kFullDigits = L"０１２３４５６７８９";
inline constexpr std::wstring_view kHalfDigits = L"0123456789";

// Each a half-width kana followed by its voicing mark.
inline constexpr std::string_view kHalfVoicedPairsAnsi =
    "ｶﾞｷﾞｸﾞｹﾞｺﾞｻﾞｼﾞｽﾞｾﾞｿﾞﾀﾞﾁﾞﾂﾞﾃﾞﾄﾞﾊﾞﾋﾞﾌﾞﾍﾞﾎﾞｳﾞﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟ";
inline constexpr std::wstring_view kHalfVoicedPairsWide =
    L"ｶﾞｷﾞｸﾞｹﾞｺﾞｻﾞｼﾞｽﾞｾﾞｿﾞﾀﾞﾁﾞﾂﾞﾃﾞﾄﾞﾊﾞﾋﾞﾌﾞﾍﾞﾎﾞｳﾞﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟ";
inline constexpr std::string_view kFullVoicedKatakanaAnsi =
    "ガギグゲゴザジズゼゾダヂヅデドバビブベボヴパピプペポ";
inline constexpr std::wstring_view kFullVoicedKatakanaWide =
    L"ガギグゲゴザジズゼゾダヂヅデドバビブベボヴパピプペポ";
// ヴ has no hiragana of its own and stands here for it.
inline constexpr std::string_view kVoicedHiraganaAnsi =
    "がぎぐげござじずぜぞだぢづでどばびぶべぼヴぱぴぷぺぽ";
inline constexpr std::wstring_view kVoicedHiraganaWide =
    L"がぎぐげござじずぜぞだぢづでどばびぶべぼヴぱぴぷぺぽ";
inline constexpr std::string_view kUnvoicedHiraganaAnsi =
    "かきくけこさしすせそたちつてとはひふへほうはひふへほ";
inline constexpr std::wstring_view kUnvoicedHiraganaWide =
    L"かきくけこさしすせそたちつてとはひふへほうはひふへほ";

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
