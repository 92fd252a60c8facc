#include "toolbar/ToolWindowLayout.h"

#include "common/RegIniFile.h"
#include "core/Exceptions.h"

#include <algorithm>
#include <optional>

namespace quolin {

namespace {

// Revision 2 had no "LastDock" yet.
constexpr int LayoutRevision = 3;
constexpr char FloatingText[] = "+";
constexpr char UnnamedWindowError[] =
    "Cannot save tool window's position because Name property is not set";
constexpr char UnnamedDockError[] =
    "Cannot save tool window's position because DockedTo's Name property not set";

template <typename T> std::vector<T*> OwnedOf(TComponent* owner) {
  std::vector<T*> found;
  for (int i = 0; i < owner->ComponentCount(); ++i)
    if (auto* component = dynamic_cast<T*>(owner->Components(i)))
      found.push_back(component);
  return found;
}

// The first error of a run that goes on with the other windows, raised at the end.
class TFirstError {
public:
  void Note(const char* message) {
    if (!message_)
      message_ = message;
  }
  void RaiseIfAny() const {
    if (message_)
      throw Exception(*message_);
  }

private:
  std::optional<std::string> message_;
};

// Holds the arrangement of every dock until Release, which lets them go in reverse order.
class TDocksHold {
public:
  explicit TDocksHold(std::vector<TDock*> docks) : docks_(std::move(docks)) {
    for (TDock* dock : docks_)
      dock->BeginUpdate();
  }
  // On the way out of an error: the docks are freed all the same, and the error that is
  // already passing is the one to report.
  ~TDocksHold() {
    try {
      Release();
    } catch (...) {
    }
  }
  TDocksHold(const TDocksHold&) = delete;
  TDocksHold& operator=(const TDocksHold&) = delete;

  void Release() {
    while (!docks_.empty()) {
      TDock* dock = docks_.back();
      docks_.pop_back();
      dock->EndUpdate();
    }
  }

private:
  std::vector<TDock*> docks_;
};

// The text "DockedTo" holds; nullopt when the dock has no name.
std::optional<std::string> DockText(const TCustomToolWindow& window) {
  TDock* dock = window.DockedTo();
  if (!window.Docked() || !dock)
    return FloatingText;
  if (!dock->AllowDrag())
    return "";
  if (dock->Name().empty())
    return std::nullopt;
  return dock->Name();
}

// Whether the window may take the stored place (nullptr: floating).
bool CanTake(const TCustomToolWindow& window, const TDock* dock) {
  switch (window.DockMode()) {
  case TToolWindowDockMode::dmCanFloat:
    return true;
  case TToolWindowDockMode::dmCannotFloat:
    return dock != nullptr;
  default:
    return dock && dock == window.DockedTo();
  }
}

struct TReaders {
  TPositionReadIntProc readInt;
  TPositionReadStringProc readString;
  void* extra;

  int Int(const TCustomToolWindow& window, const char* value, int defaultValue) const {
    return readInt(window.Name(), value, defaultValue, extra);
  }
  std::string String(const TCustomToolWindow& window, const char* value) const {
    return readString(window.Name(), value, "", extra);
  }
};

void Float(TComponent* owner, TCustomToolWindow& window, POINT at) {
  if (auto* form = dynamic_cast<TForm*>(owner))
    window.SetParent(form);
  else
    window.SetDockedTo(nullptr);
  window.SetBounds(at.x, at.y, window.Width(), window.Height());
  window.MoveOnScreen(true);
}

void Place(TComponent* owner, TCustomToolWindow& window, TDock* dock, int revision,
           const TReaders& read) {
  // A row below 0 would be no row of the dock.
  window.SetDockRow(std::max(0, read.Int(window, "DockRow", window.DockRow())));
  window.SetDockPos(read.Int(window, "DockPos", window.DockPos()));
  const POINT floating{read.Int(window, "FloatLeft", 0), read.Int(window, "FloatTop", 0)};
  window.ReadPositionData(read.readInt, read.readString, read.extra);
  window.SetFloatingPosition(floating);
  if (dock) {
    window.SetParent(dock);
  } else {
    Float(owner, window, floating);
    if (revision >= LayoutRevision && window.UseLastDock())
      if (TDock* last = FindDockByName(owner, read.String(window, "LastDock")))
        window.SetLastDock(last);
  }
  // Sized for its place again.
  window.BeginUpdate();
  window.EndUpdate();
  window.DoneReadingPositionData(read.readInt, read.readString, read.extra);
}

void Load(TComponent* owner, TCustomToolWindow& window, const TReaders& read) {
  const int revision = read.Int(window, "Rev", 0);
  if (revision != 2 && revision != 3)
    return;
  window.SetVisible(read.Int(window, "Visible", window.Visible() ? 1 : 0) != 0);
  const std::string dockName = read.String(window, "DockedTo");
  if (dockName.empty())
    return;
  TDock* dock = nullptr;
  if (dockName != FloatingText) {
    dock = FindDockByName(owner, dockName);
    if (!dock || !dock->AllowDrag())
      return;
  }
  if (CanTake(window, dock))
    Place(owner, window, dock, revision, read);
}

int ReadRegistryInt(const std::string& window, const std::string& value, int defaultValue,
                    void* extra) {
  return static_cast<TRegIniFile*>(extra)->ReadInteger(window, value, defaultValue);
}

std::string ReadRegistryString(const std::string& window, const std::string& value,
                               const std::string& defaultValue, void* extra) {
  return static_cast<TRegIniFile*>(extra)->ReadString(window, value, defaultValue);
}

void WriteRegistryInt(const std::string& window, const std::string& value, int data, void* extra) {
  static_cast<TRegIniFile*>(extra)->WriteInteger(window, value, data);
}

void WriteRegistryString(const std::string& window, const std::string& value,
                         const std::string& data, void* extra) {
  static_cast<TRegIniFile*>(extra)->WriteString(window, value, data);
}

} // namespace

TDock* FindDockByName(TComponent* owner, const std::string& name) {
  for (TDock* dock : OwnedOf<TDock>(owner))
    if (dock->Name() == name)
      return dock;
  return nullptr;
}

void SaveToolWindowLayout(TComponent* owner, TPositionWriteIntProc writeInt,
                          TPositionWriteStringProc writeString, void* extra) {
  TFirstError error;
  for (TCustomToolWindow* window : OwnedOf<TCustomToolWindow>(owner)) {
    const std::string& name = window->Name();
    if (name.empty()) {
      error.Note(UnnamedWindowError);
      continue;
    }
    const std::optional<std::string> dockText = DockText(*window);
    if (!dockText) {
      error.Note(UnnamedDockError);
      continue;
    }
    const POINT floating = window->FloatingPosition();
    writeInt(name, "Rev", LayoutRevision, extra);
    writeInt(name, "Visible", window->Visible() ? 1 : 0, extra);
    writeString(name, "DockedTo", *dockText, extra);
    writeString(name, "LastDock", window->LastDock() ? window->LastDock()->Name() : "", extra);
    writeInt(name, "DockRow", window->DockRow(), extra);
    writeInt(name, "DockPos", window->DockPos(), extra);
    writeInt(name, "FloatLeft", floating.x, extra);
    writeInt(name, "FloatTop", floating.y, extra);
    window->WritePositionData(writeInt, writeString, extra);
  }
  error.RaiseIfAny();
}

void LoadToolWindowLayout(TComponent* owner, TPositionReadIntProc readInt,
                          TPositionReadStringProc readString, void* extra) {
  TFirstError error;
  TDocksHold hold(OwnedOf<TDock>(owner));
  const TReaders read{readInt, readString, extra};
  for (TCustomToolWindow* window : OwnedOf<TCustomToolWindow>(owner)) {
    if (window->Name().empty()) {
      error.Note(UnnamedWindowError);
      continue;
    }
    Load(owner, *window, read);
  }
  hold.Release();
  error.RaiseIfAny();
}

void SaveToolWindowLayoutToRegistry(TComponent* owner, HKEY root, const std::string& keyPath) {
  TRegIniFile registry(root);
  registry.OpenKey(keyPath, true);
  SaveToolWindowLayout(owner, WriteRegistryInt, WriteRegistryString, &registry);
}

void LoadToolWindowLayoutFromRegistry(TComponent* owner, HKEY root, const std::string& keyPath) {
  TRegIniFile registry(root);
  registry.OpenKey(keyPath, true);
  LoadToolWindowLayout(owner, ReadRegistryInt, ReadRegistryString, &registry);
}

} // namespace quolin
