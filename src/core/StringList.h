// String lists: the abstract TStrings that list controls implement, and TStringList.
// Text is Shift-JIS bytes; NUL bytes inside a string are kept everywhere.
#pragma once

#include "core/Persistent.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quolin {

enum class TDuplicates { dupIgnore, dupAccept, dupError };

using TNotifyEvent = std::function<void(TObject* sender)>;

class TStrings : public TPersistent {
public:
  char Delimiter = ',';
  char QuoteChar = '"';
  char NameValueSeparator = '=';
  // Off: blanks and control characters separate items too, as commas do.
  bool StrictDelimiter = false;

  virtual int Count() const = 0;
  virtual std::string Get(int index) const = 0;
  virtual void Insert(int index, const std::string& text) = 0;
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;

  virtual void Put(int index, const std::string& text);
  virtual TObject* Objects(int index) const;
  virtual void PutObject(int index, TObject* object);
  virtual void InsertObject(int index, const std::string& text, TObject* object);
  virtual int Add(const std::string& text);
  virtual int AddObject(const std::string& text, TObject* object);
  virtual void Exchange(int index1, int index2);
  virtual void Move(int currentIndex, int newIndex);
  virtual void AddStrings(const TStrings& strings);
  void Assign(const TPersistent& source) override;
  bool Equals(const TStrings& strings) const;

  std::string operator[](int index) const { return Get(index); }
  bool Empty() const { return Count() == 0; }

  // Case is ignored, by the user's locale, unless a list says otherwise.
  virtual int IndexOf(const std::string& text) const;
  int IndexOfObject(const TObject* object) const;

  // "Name=Value" lines; names are compared ignoring case.
  std::string Names(int index) const;
  std::string ValueFromIndex(int index) const;
  int IndexOfName(const std::string& name) const;
  std::string Values(const std::string& name) const;
  // An empty value removes the line.
  void SetValue(const std::string& name, const std::string& value);

  // Every line followed by CR LF, the last one too.
  virtual std::string Text() const;
  // Lines end at CR LF, CR or LF; a final line break adds no empty line.
  virtual void SetText(std::string_view text);
  std::string CommaText() const;
  void SetCommaText(std::string_view text);
  std::string DelimitedText() const;
  void SetDelimitedText(std::string_view text);

  // Raise EFileError when the file cannot be read or written; a save replaces the file only
  // once the new one is written whole.
  virtual void LoadFromFile(const std::string& fileName);
  void SaveToFile(const std::string& fileName) const;

  void BeginUpdate();
  void EndUpdate();
  bool Updating() const { return updateCount_ > 0; }

protected:
  virtual void SetUpdateState(bool updating);
  virtual int CompareStrings(const std::string& left, const std::string& right) const;
  [[noreturn]] static void IndexError(int index);

private:
  int updateCount_ = 0;
};

class TStringList : public TStrings {
public:
  TDuplicates Duplicates = TDuplicates::dupIgnore;
  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

  TStringList() = default;
  TStringList(const TStringList& other);
  TStringList& operator=(const TStringList& other);

  int Count() const override { return static_cast<int>(items_.size()); }
  std::string Get(int index) const override;
  void Put(int index, const std::string& text) override;
  TObject* Objects(int index) const override;
  void PutObject(int index, TObject* object) override;
  void Insert(int index, const std::string& text) override;
  void InsertObject(int index, const std::string& text, TObject* object) override;
  int Add(const std::string& text) override;
  int AddObject(const std::string& text, TObject* object) override;
  void Delete(int index) override;
  void Clear() override;
  void Exchange(int index1, int index2) override;
  int IndexOf(const std::string& text) const override;
  // Into an empty sorted list, a list whose every string is above the one before it is taken
  // as it is: adding its strings one by one ends the same, at a search per string.
  void AddStrings(const TStrings& strings) override;

  bool Sorted() const { return sorted_; }
  void SetSorted(bool sorted);
  bool CaseSensitive() const { return caseSensitive_; }
  void SetCaseSensitive(bool caseSensitive);

  // Sorted lists only: the first index whose string is not less than text; true when it is
  // equal.
  bool Find(const std::string& text, int& index) const;
  virtual void Sort();
  // compare(list, index1, index2) < 0 puts index1 first.
  void CustomSort(const std::function<int(const TStringList&, int, int)>& compare);

protected:
  void SetUpdateState(bool updating) override;
  int CompareStrings(const std::string& left, const std::string& right) const override;
  void Changed();
  void Changing();

private:
  struct Item {
    std::string text;
    TObject* object = nullptr;
  };
  std::vector<Item> items_;
  bool sorted_ = false;
  bool caseSensitive_ = false;

  void CheckIndex(int index) const;
  void InsertItem(int index, const std::string& text, TObject* object);
};

// The items of comma text, as SetCommaText splits them.
std::vector<std::string> CommaTextItems(std::string_view text);

} // namespace quolin
