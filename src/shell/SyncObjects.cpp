#include "shell/SyncObjects.h"

#include "core/Exceptions.h"

namespace quolin {

TWin32Event::TWin32Event(bool manualReset)
    : handle_(CreateEventA(nullptr, manualReset, FALSE, nullptr)) {
  if (!handle_)
    throw EInvalidOperation("Cannot create an event");
}

TChangeNotification::TChangeNotification(const std::string& folder, bool subtree, DWORD filter)
    : handle_(FindFirstChangeNotificationA(folder.c_str(), subtree, filter)) {
}

} // namespace quolin
