// A form with docks, toolbars and tool windows whose positions are saved and loaded, and a
// store of values in memory for the generic pair.
#pragma once

#include "DockFixture.h"
#include "ToolbarFixture.h"

#include "toolbar/ToolWindowLayout.h"

#include <map>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace docktest {

// Values by window and value name, and every write in order as "window.value=data".
struct MemoryStore {
  std::map<std::pair<std::string, std::string>, std::string> values;
  std::vector<std::string> writes;
  // A read for this window raises.
  std::string failingWindow;

  void Set(const std::string& window, const std::string& value, const std::string& data) {
    values[{window, value}] = data;
  }
  // The writes of one window.
  std::vector<std::string> WritesOf(const std::string& window) const {
    std::vector<std::string> found;
    for (const std::string& write : writes)
      if (write.starts_with(window + "."))
        found.push_back(write.substr(window.size() + 1));
    return found;
  }

  static MemoryStore& Of(void* extra) { return *static_cast<MemoryStore*>(extra); }
  static const std::string* Find(const std::string& window, const std::string& value, void* extra) {
    MemoryStore& store = Of(extra);
    if (window == store.failingWindow)
      throw std::runtime_error("the store failed");
    auto found = store.values.find({window, value});
    return found == store.values.end() ? nullptr : &found->second;
  }
  static int ReadInt(const std::string& window, const std::string& value, int defaultValue,
                     void* extra) {
    const std::string* data = Find(window, value, extra);
    return data ? std::stoi(*data) : defaultValue;
  }
  static std::string ReadString(const std::string& window, const std::string& value,
                                const std::string& defaultValue, void* extra) {
    const std::string* data = Find(window, value, extra);
    return data ? *data : defaultValue;
  }
  static void WriteString(const std::string& window, const std::string& value,
                          const std::string& data, void* extra) {
    Of(extra).values[{window, value}] = data;
    Of(extra).writes.push_back(window + "." + value + "=" + data);
  }
  static void WriteInt(const std::string& window, const std::string& value, int data, void* extra) {
    WriteString(window, value, std::to_string(data), extra);
  }

  void Save(TComponent* owner) { SaveToolWindowLayout(owner, WriteInt, WriteString, this); }
  void Load(TComponent* owner) { LoadToolWindowLayout(owner, ReadInt, ReadString, this); }
};

// The text of the Exception that action raises ("" when none).
template <typename Action> std::string RaisedText(Action action) {
  try {
    action();
  } catch (const Exception& error) {
    return error.Message();
  }
  return "";
}

class LayoutForm : public DockedForm {
protected:
  // A toolbar with two buttons.
  CountingToolbar* Bar(const char* name, TDock* dock) {
    CountingToolbar* toolbar = MakeToolbar(form.get(), dock, name);
    AddButton(toolbar);
    AddButton(toolbar);
    return toolbar;
  }
  // A floating toolbar at a screen point.
  CountingToolbar* FloatingBar(const char* name, POINT at) {
    CountingToolbar* toolbar = Bar(name, nullptr);
    toolbar->SetBounds(at.x, at.y, toolbar->Width(), toolbar->Height());
    return toolbar;
  }
};

} // namespace docktest
