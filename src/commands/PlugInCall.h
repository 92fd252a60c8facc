// The call into a plug-in library of the user's "PlugIn" folder: BOOL __stdcall f(HWND
// mainWindow, const char* input, char* buffer, int size), non-zero for success, its output the
// zero-terminated text in the buffer.
#pragma once

#include <string>

namespace quolin {

// Loads the library (the PlugIn folder joined with the name as given) and calls the function
// of exactly that name. A library or function that is missing is shown in a message; a zero
// result is not. The size is kept to 1..16 MiB; the output never reads past the buffer.
bool CallPlugInDll(const std::string& library, const std::string& function,
                   const std::string& input, int bufferSize, std::string& output);

} // namespace quolin
