#include "core/StringList.h"

#include "core/Exceptions.h"
#include "core/Format.h"
#include "core/Platform.h"
#include "core/Sjis.h"

#include <algorithm>

namespace quolin {

namespace {

// Characters are compared whole: the second byte of a double-byte character may equal a
// delimiter such as "|" or "\".
bool IsSingleByte(std::string_view text, size_t pos, char ch) {
  return text[pos] == ch && sjis::CharLength(text, pos) == 1;
}

bool IsBlank(char ch, bool strict) {
  return !strict && ch != 0 && static_cast<unsigned char>(ch) <= ' ';
}

bool NeedsQuotes(std::string_view item, char delimiter, char quote, bool strict) {
  for (size_t pos = 0; pos < item.size(); pos += sjis::CharLength(item, pos)) {
    if (IsSingleByte(item, pos, quote) || IsSingleByte(item, pos, delimiter))
      return true;
    if (!strict && static_cast<unsigned char>(item[pos]) <= ' ')
      return true;
  }
  return false;
}

std::string Quoted(std::string_view item, char quote) {
  std::string result(1, quote);
  for (size_t pos = 0; pos < item.size();) {
    size_t length = sjis::CharLength(item, pos);
    result.append(item.substr(pos, length));
    if (IsSingleByte(item, pos, quote))
      result += quote;
    pos += length;
  }
  result += quote;
  return result;
}

} // namespace

// TStrings

void TStrings::IndexError(int index) {
  throw EStringListError(Format("List index out of bounds (%d)", index));
}

void TStrings::Put(int index, const std::string& text) {
  TObject* object = Objects(index);
  Delete(index);
  InsertObject(index, text, object);
}

TObject* TStrings::Objects(int) const {
  return nullptr;
}

void TStrings::PutObject(int, TObject*) {
}

void TStrings::InsertObject(int index, const std::string& text, TObject* object) {
  Insert(index, text);
  PutObject(index, object);
}

int TStrings::Add(const std::string& text) {
  int index = Count();
  Insert(index, text);
  return index;
}

int TStrings::AddObject(const std::string& text, TObject* object) {
  int index = Add(text);
  PutObject(index, object);
  return index;
}

void TStrings::Exchange(int index1, int index2) {
  BeginUpdate();
  std::string text = Get(index1);
  TObject* object = Objects(index1);
  Put(index1, Get(index2));
  PutObject(index1, Objects(index2));
  Put(index2, text);
  PutObject(index2, object);
  EndUpdate();
}

void TStrings::Move(int currentIndex, int newIndex) {
  if (currentIndex == newIndex)
    return;
  BeginUpdate();
  std::string text = Get(currentIndex);
  TObject* object = Objects(currentIndex);
  Delete(currentIndex);
  InsertObject(newIndex, text, object);
  EndUpdate();
}

void TStrings::AddStrings(const TStrings& strings) {
  BeginUpdate();
  for (int i = 0; i < strings.Count(); ++i)
    AddObject(strings.Get(i), strings.Objects(i));
  EndUpdate();
}

void TStrings::Assign(const TPersistent& source) {
  const auto* strings = dynamic_cast<const TStrings*>(&source);
  if (!strings) {
    TPersistent::Assign(source);
    return;
  }
  if (strings == this)
    return;
  BeginUpdate();
  Clear();
  Delimiter = strings->Delimiter;
  QuoteChar = strings->QuoteChar;
  NameValueSeparator = strings->NameValueSeparator;
  StrictDelimiter = strings->StrictDelimiter;
  AddStrings(*strings);
  EndUpdate();
}

bool TStrings::Equals(const TStrings& strings) const {
  if (Count() != strings.Count())
    return false;
  for (int i = 0; i < Count(); ++i) {
    if (Get(i) != strings.Get(i))
      return false;
  }
  return true;
}

int TStrings::IndexOf(const std::string& text) const {
  for (int i = 0; i < Count(); ++i) {
    if (CompareStrings(Get(i), text) == 0)
      return i;
  }
  return -1;
}

int TStrings::IndexOfObject(const TObject* object) const {
  for (int i = 0; i < Count(); ++i) {
    if (Objects(i) == object)
      return i;
  }
  return -1;
}

std::string TStrings::Names(int index) const {
  std::string line = Get(index);
  size_t separator = line.find(NameValueSeparator);
  return separator == std::string::npos ? std::string() : line.substr(0, separator);
}

std::string TStrings::ValueFromIndex(int index) const {
  std::string line = Get(index);
  size_t separator = line.find(NameValueSeparator);
  return separator == std::string::npos ? std::string() : line.substr(separator + 1);
}

int TStrings::IndexOfName(const std::string& name) const {
  for (int i = 0; i < Count(); ++i) {
    std::string line = Get(i);
    size_t separator = line.find(NameValueSeparator);
    if (separator != std::string::npos &&
        TStrings::CompareStrings(line.substr(0, separator), name) == 0)
      return i;
  }
  return -1;
}

std::string TStrings::Values(const std::string& name) const {
  int index = IndexOfName(name);
  return index < 0 ? std::string() : ValueFromIndex(index);
}

void TStrings::SetValue(const std::string& name, const std::string& value) {
  int index = IndexOfName(name);
  if (value.empty()) {
    if (index >= 0)
      Delete(index);
    return;
  }
  std::string line = name + NameValueSeparator + value;
  if (index < 0)
    Add(line);
  else
    Put(index, line);
}

std::string TStrings::Text() const {
  std::string text;
  for (int i = 0; i < Count(); ++i) {
    text += Get(i);
    text += "\r\n";
  }
  return text;
}

void TStrings::SetText(std::string_view text) {
  BeginUpdate();
  Clear();
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos)
      end = text.size();
    Add(std::string(text.substr(pos, end - pos)));
    pos = end;
    if (pos < text.size() && text[pos] == '\r')
      ++pos;
    if (pos < text.size() && text[pos] == '\n')
      ++pos;
  }
  EndUpdate();
}

std::string TStrings::DelimitedText() const {
  std::string result;
  for (int i = 0; i < Count(); ++i) {
    if (i > 0)
      result += Delimiter;
    std::string item = Get(i);
    // A last empty item is quoted, or it would vanish when the text is read back.
    bool quote = NeedsQuotes(item, Delimiter, QuoteChar, StrictDelimiter) ||
                 (item.empty() && i == Count() - 1);
    result += quote ? Quoted(item, QuoteChar) : item;
  }
  return result;
}

void TStrings::SetDelimitedText(std::string_view text) {
  BeginUpdate();
  Clear();
  size_t pos = 0;
  auto skipBlanks = [&] {
    while (pos < text.size() && IsBlank(text[pos], StrictDelimiter))
      ++pos;
  };
  skipBlanks();
  while (pos < text.size()) {
    std::string item;
    if (IsSingleByte(text, pos, QuoteChar)) {
      ++pos;
      while (pos < text.size()) {
        if (IsSingleByte(text, pos, QuoteChar)) {
          ++pos;
          if (pos >= text.size() || !IsSingleByte(text, pos, QuoteChar))
            break;
        }
        size_t length = sjis::CharLength(text, pos);
        item.append(text.substr(pos, length));
        pos += length;
      }
    } else {
      size_t start = pos;
      while (pos < text.size() && !IsSingleByte(text, pos, Delimiter) &&
             !IsBlank(text[pos], StrictDelimiter))
        pos += sjis::CharLength(text, pos);
      item.assign(text.substr(start, pos - start));
    }
    Add(item);
    skipBlanks();
    if (pos < text.size() && IsSingleByte(text, pos, Delimiter)) {
      ++pos;
      skipBlanks();
    }
  }
  EndUpdate();
}

std::string TStrings::CommaText() const {
  TStringList copy;
  copy.Assign(*this);
  copy.Delimiter = ',';
  copy.QuoteChar = '"';
  copy.StrictDelimiter = false;
  return copy.DelimitedText();
}

void TStrings::SetCommaText(std::string_view text) {
  char delimiter = Delimiter, quote = QuoteChar;
  bool strict = StrictDelimiter;
  Delimiter = ',';
  QuoteChar = '"';
  StrictDelimiter = false;
  SetDelimitedText(text);
  Delimiter = delimiter;
  QuoteChar = quote;
  StrictDelimiter = strict;
}

void TStrings::LoadFromFile(const std::string& fileName) {
  SetText(ReadFileBytes(fileName));
}

void TStrings::SaveToFile(const std::string& fileName) const {
  if (!SaveFileReplacing(fileName, Text()))
    throw EFileError(Format("ファイル \"%s\" を作成できません", fileName));
}

void TStrings::BeginUpdate() {
  if (updateCount_ == 0)
    SetUpdateState(true);
  ++updateCount_;
}

void TStrings::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0)
    SetUpdateState(false);
}

void TStrings::SetUpdateState(bool) {
}

int TStrings::CompareStrings(const std::string& left, const std::string& right) const {
  return CompareLocale(left, right, false);
}

// TStringList

TStringList::TStringList(const TStringList& other) : TStrings(other) {
  items_ = other.items_;
  sorted_ = other.sorted_;
  caseSensitive_ = other.caseSensitive_;
  Duplicates = other.Duplicates;
}

TStringList& TStringList::operator=(const TStringList& other) {
  if (this != &other)
    Assign(other);
  return *this;
}

void TStringList::CheckIndex(int index) const {
  if (index < 0 || index >= Count())
    IndexError(index);
}

std::string TStringList::Get(int index) const {
  CheckIndex(index);
  return items_[static_cast<size_t>(index)].text;
}

void TStringList::Put(int index, const std::string& text) {
  if (sorted_)
    throw EStringListError("Operation not allowed on sorted list");
  CheckIndex(index);
  Changing();
  items_[static_cast<size_t>(index)].text = text;
  Changed();
}

TObject* TStringList::Objects(int index) const {
  CheckIndex(index);
  return items_[static_cast<size_t>(index)].object;
}

void TStringList::PutObject(int index, TObject* object) {
  CheckIndex(index);
  Changing();
  items_[static_cast<size_t>(index)].object = object;
  Changed();
}

void TStringList::Insert(int index, const std::string& text) {
  InsertObject(index, text, nullptr);
}

void TStringList::InsertObject(int index, const std::string& text, TObject* object) {
  if (sorted_)
    throw EStringListError("Operation not allowed on sorted list");
  if (index < 0 || index > Count())
    IndexError(index);
  InsertItem(index, text, object);
}

void TStringList::InsertItem(int index, const std::string& text, TObject* object) {
  Changing();
  items_.insert(items_.begin() + index, Item{text, object});
  Changed();
}

int TStringList::Add(const std::string& text) {
  return AddObject(text, nullptr);
}

int TStringList::AddObject(const std::string& text, TObject* object) {
  int index = Count();
  if (sorted_ && Find(text, index)) {
    if (Duplicates == TDuplicates::dupIgnore)
      return index;
    if (Duplicates == TDuplicates::dupError)
      throw EStringListError("String list does not allow duplicates");
  }
  InsertItem(index, text, object);
  return index;
}

void TStringList::AddStrings(const TStrings& strings) {
  const auto* list = dynamic_cast<const TStringList*>(&strings);
  if (!sorted_ || !items_.empty() || !list || list == this)
    return TStrings::AddStrings(strings);
  for (size_t i = 1; i < list->items_.size(); ++i)
    if (CompareStrings(list->items_[i - 1].text, list->items_[i].text) >= 0)
      return TStrings::AddStrings(strings);
  BeginUpdate();
  items_ = list->items_;
  EndUpdate();
}

void TStringList::Delete(int index) {
  CheckIndex(index);
  Changing();
  items_.erase(items_.begin() + index);
  Changed();
}

void TStringList::Clear() {
  if (items_.empty())
    return;
  Changing();
  items_.clear();
  Changed();
}

void TStringList::Exchange(int index1, int index2) {
  CheckIndex(index1);
  CheckIndex(index2);
  Changing();
  std::swap(items_[static_cast<size_t>(index1)], items_[static_cast<size_t>(index2)]);
  Changed();
}

int TStringList::IndexOf(const std::string& text) const {
  if (!sorted_)
    return TStrings::IndexOf(text);
  int index = 0;
  return Find(text, index) ? index : -1;
}

void TStringList::SetSorted(bool sorted) {
  if (sorted && !sorted_)
    Sort();
  sorted_ = sorted;
}

void TStringList::SetCaseSensitive(bool caseSensitive) {
  if (caseSensitive == caseSensitive_)
    return;
  caseSensitive_ = caseSensitive;
  if (sorted_)
    Sort();
}

bool TStringList::Find(const std::string& text, int& index) const {
  int low = 0, high = Count();
  while (low < high) {
    int middle = (low + high) / 2;
    if (CompareStrings(items_[static_cast<size_t>(middle)].text, text) < 0)
      low = middle + 1;
    else
      high = middle;
  }
  index = low;
  return low < Count() && CompareStrings(items_[static_cast<size_t>(low)].text, text) == 0;
}

void TStringList::Sort() {
  CustomSort([](const TStringList& list, int a, int b) {
    return list.CompareStrings(list.items_[static_cast<size_t>(a)].text,
                               list.items_[static_cast<size_t>(b)].text);
  });
}

void TStringList::CustomSort(const std::function<int(const TStringList&, int, int)>& compare) {
  if (items_.size() < 2)
    return;
  std::vector<int> order(items_.size());
  for (size_t i = 0; i < order.size(); ++i)
    order[i] = static_cast<int>(i);
  std::stable_sort(order.begin(), order.end(),
                   [&](int a, int b) { return compare(*this, a, b) < 0; });
  Changing();
  std::vector<Item> sorted;
  sorted.reserve(items_.size());
  for (int i : order)
    sorted.push_back(std::move(items_[static_cast<size_t>(i)]));
  items_ = std::move(sorted);
  Changed();
}

void TStringList::SetUpdateState(bool updating) {
  if (updating)
    Changing();
  else
    Changed();
}

int TStringList::CompareStrings(const std::string& left, const std::string& right) const {
  return CompareLocale(left, right, caseSensitive_);
}

void TStringList::Changing() {
  if (!Updating() && OnChanging)
    OnChanging(this);
}

void TStringList::Changed() {
  if (!Updating() && OnChange)
    OnChange(this);
}

std::vector<std::string> CommaTextItems(std::string_view text) {
  TStringList list;
  list.SetCommaText(text);
  std::vector<std::string> items;
  for (int i = 0; i < list.Count(); ++i)
    items.push_back(list[i]);
  return items;
}

} // namespace quolin
