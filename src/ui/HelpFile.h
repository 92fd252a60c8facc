// The program's help: a compiled HTML help file next to the program, opened at the page of a
// help-context id through the platform's HTML help viewer, which is loaded on first use.
#pragma once

#include <windows.h>

#include <string>

namespace quolin {

// The program file's path with ".chm"; empty when that file does not exist.
const std::string& HelpFile();
// Sets the help file for this program, or for the given program file.
void InitHelpFile();
void InitHelpFile(const std::string& programFile);

// The page of a help-context id, with ".htm" ("top.htm" for every id without a page of its
// own).
std::string HelpPageOfContext(int id);

// Opens the page of id in the viewer, without an owner window; false for an id below 1,
// without a help file, or when the viewer refused.
bool ShowHelpContext(int id);

// The viewer's entry "HtmlHelpA"; 0 when the viewer cannot be called.
HWND CallHtmlHelp(HWND window, const std::string& file, UINT command, DWORD_PTR data);

// Closes every viewer window, when the viewer was loaded. Also done at the end of the program.
void CloseHelpViewers();

// The viewer library's name ("HHCTRL.OCX"); tests replace it, before the first call, to see a
// failed load.
void SetHelpViewerLibrary(const std::string& libraryName);

} // namespace quolin
