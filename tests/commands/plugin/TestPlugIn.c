/* A plug-in library for the tests: the call contract BOOL __stdcall f(HWND mainWindow,
   const char* input, char* buffer, int size), and one function declared cdecl by mistake. */
#include <windows.h>

#include <ctype.h>

static void CopyUpper(const char* input, char* buffer, int size) {
  int i = 0;
  for (; input[i] && i < size - 1; ++i)
    buffer[i] = (char)toupper((unsigned char)input[i]);
  buffer[i] = '\0';
}

BOOL __stdcall Upper(HWND mainWindow, const char* input, char* buffer, int size) {
  (void)mainWindow;
  CopyUpper(input, buffer, size);
  return TRUE;
}

BOOL __stdcall Fail(HWND mainWindow, const char* input, char* buffer, int size) {
  (void)mainWindow;
  (void)input;
  (void)buffer;
  (void)size;
  return FALSE;
}

/* The whole buffer, without a terminator. */
BOOL __stdcall Fill(HWND mainWindow, const char* input, char* buffer, int size) {
  (void)mainWindow;
  (void)input;
  for (int i = 0; i < size; ++i)
    buffer[i] = 'x';
  return TRUE;
}

BOOL __stdcall Dollar(HWND mainWindow, const char* input, char* buffer, int size) {
  (void)mainWindow;
  (void)input;
  CopyUpper("$S", buffer, size);
  return TRUE;
}

/* Leaves its four arguments on the caller's stack. */
BOOL __cdecl CdeclUpper(HWND mainWindow, const char* input, char* buffer, int size) {
  (void)mainWindow;
  CopyUpper(input, buffer, size);
  return TRUE;
}
