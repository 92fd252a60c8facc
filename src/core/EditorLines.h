// TEditorStrings: the Lines of a view, a string list of logical lines over the view's row
// store. With word wrap a line is a run of rows joined by raWrapped. Window-free.
#pragma once

#include "core/StringList.h"

#include <string>
#include <string_view>

namespace quolin {

class EditorView;
class TEditorScreenStrings;

class TEditorStrings : public TStrings {
public:
  explicit TEditorStrings(EditorView& view);

  int Count() const override;
  std::string Get(int index) const override;
  // The line's rows become text; the caret goes behind it.
  void Put(int index, const std::string& text) override;
  // A line at the end; the caret goes behind it. Returns the old line count.
  int Add(const std::string& text) override;
  void Insert(int index, const std::string& text) override;
  void Delete(int index) override;
  void Clear() override;
  void Assign(const TPersistent& source) override;

  std::string Text() const override;
  // Every line of value becomes a row that ends its line.
  void SetText(std::string_view value) override;
  // Lines end at CR LF, CR or LF; Ctrl-Z ends the text; a last line without line end keeps
  // none. A file that cannot be read raises EFileError and leaves the text as it was.
  void LoadFromFile(const std::string& fileName) override;
  // The text as LoadFromFile takes a file's bytes, Ctrl-Z included; its buffer is kept.
  void LoadFromText(std::string text);

  // The first row of a line.
  int LinesToRow(int index) const;

protected:
  void SetUpdateState(bool updating) override;

private:
  EditorView& view_;

  TEditorScreenStrings& Store() const;
  void CheckLine(int index) const;
  // Puts the caret offset bytes after the start of baseRow, counting CR LF as 2.
  void PlaceCaret(int baseRow, size_t offset);
};

} // namespace quolin
