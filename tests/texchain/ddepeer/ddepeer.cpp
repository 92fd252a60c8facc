// ddepeer: a DDE tool for the tool-chain tests, standing in for TeX by DDE and the previewer.
// A real Windows program on raw DDEML, so that it can answer inside an execute as some tools do.
//
// Settings are "key=value" arguments; with no arguments, the lines of the file next to the
// program named after it with ".ini" (a previewer is started without options):
//   service, topic     the service and the topic it accepts (after "[FileOpen(x)]" also x)
//   title              the caption of its top-level window
//   reply              the text of its advise item, as CF_TEXT
//   delay              milliseconds from an execute to the advise reply (mode normal)
//   mode               normal, inside (the reply is sent inside the execute) or never
//   register_delay     milliseconds before the service is registered
//   journal            the file its registration and every connect, advise start and stop,
//                      execute, disconnect and close are appended to, one line each
//                      ("registered", "connect <topic>", "execute [FileExit]", "close"); the
//                      names of topics and items in lower case
// "[FileExit]" ends it; so does the system close command on its window.
#include <windows.h>

#include <ddeml.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>

namespace {

constexpr UINT_PTR ReplyTimer = 1;
constexpr char ExitMacro[] = "[FileExit]";
constexpr char OpenPrefix[] = "[FileOpen(";

std::map<std::string, std::string> settings;
DWORD instance = 0;
HWND window = nullptr;
std::string openedTopic;
HSZ adviseTopic = nullptr;
HSZ adviseItem = nullptr;

std::string Setting(const std::string& key) {
  auto found = settings.find(key);
  return found == settings.end() ? std::string() : found->second;
}

void ReadSetting(std::string line) {
  if (!line.empty() && line.back() == '\r')
    line.pop_back();
  size_t equals = line.find('=');
  if (equals != std::string::npos)
    settings[line.substr(0, equals)] = line.substr(equals + 1);
}

void ReadSettings() {
  if (__argc > 1) {
    for (int i = 1; i < __argc; ++i)
      ReadSetting(__argv[i]);
    return;
  }
  char self[MAX_PATH] = {};
  std::string path(self, GetModuleFileNameA(nullptr, self, sizeof self));
  std::ifstream file(path.substr(0, path.find_last_of('.')) + ".ini", std::ios::binary);
  for (std::string line; std::getline(file, line);)
    ReadSetting(line);
}

void Journal(const std::string& line) {
  std::ofstream(Setting("journal"), std::ios::binary | std::ios::app) << line << "\r\n";
}

// Lower case: DDE names ignore case, and a name's casing is that of whichever program of the
// session made the name first.
std::string Query(HSZ name) {
  char text[1024] = {};
  DWORD length = DdeQueryStringA(instance, name, text, sizeof text, CP_WINANSI);
  CharLowerBuffA(text, length);
  return text;
}

bool Accepts(const std::string& topic) {
  return lstrcmpiA(topic.c_str(), Setting("topic").c_str()) == 0 ||
         (!openedTopic.empty() && lstrcmpiA(topic.c_str(), openedTopic.c_str()) == 0);
}

void PostReply() {
  if (adviseItem)
    DdePostAdvise(instance, adviseTopic, adviseItem);
}

void RememberAdvise(HSZ topic, HSZ item) {
  for (HSZ* held : {&adviseTopic, &adviseItem})
    if (*held)
      DdeFreeStringHandle(instance, *held);
  adviseTopic = topic;
  adviseItem = item;
  DdeKeepStringHandle(instance, topic);
  DdeKeepStringHandle(instance, item);
}

HDDEDATA Executed(HDDEDATA data) {
  DWORD size = DdeGetData(data, nullptr, 0, 0);
  std::string text(size, '\0');
  DdeGetData(data, reinterpret_cast<LPBYTE>(text.data()), size, 0);
  text = text.substr(0, text.find('\0'));
  Journal("execute " + text);
  if (text.find(ExitMacro) != std::string::npos) {
    PostQuitMessage(0);
    return reinterpret_cast<HDDEDATA>(DDE_FACK);
  }
  if (text.rfind(OpenPrefix, 0) == 0)
    openedTopic = text.substr(sizeof OpenPrefix - 1, text.find(')') - (sizeof OpenPrefix - 1));
  const std::string mode = Setting("mode");
  if (mode == "inside")
    PostReply();
  else if (mode != "never")
    SetTimer(window, ReplyTimer, static_cast<UINT>(std::atoi(Setting("delay").c_str())), nullptr);
  return reinterpret_cast<HDDEDATA>(DDE_FACK);
}

HDDEDATA CALLBACK Callback(UINT type, UINT format, HCONV, HSZ hsz1, HSZ hsz2, HDDEDATA data,
                           ULONG_PTR, ULONG_PTR) {
  switch (type) {
  case XTYP_CONNECT:
    return reinterpret_cast<HDDEDATA>(static_cast<ULONG_PTR>(Accepts(Query(hsz1))));
  case XTYP_CONNECT_CONFIRM:
    Journal("connect " + Query(hsz1));
    return nullptr;
  case XTYP_DISCONNECT:
    Journal("disconnect");
    return nullptr;
  case XTYP_ADVSTART:
    Journal("advstart " + Query(hsz2));
    RememberAdvise(hsz1, hsz2);
    return reinterpret_cast<HDDEDATA>(static_cast<ULONG_PTR>(format == CF_TEXT));
  case XTYP_ADVSTOP:
    Journal("advstop " + Query(hsz2));
    return nullptr;
  case XTYP_ADVREQ:
  case XTYP_REQUEST: {
    std::string reply = Setting("reply");
    return DdeCreateDataHandle(instance, reinterpret_cast<LPBYTE>(reply.data()),
                               static_cast<DWORD>(reply.size() + 1), 0, hsz2, CF_TEXT, 0);
  }
  case XTYP_EXECUTE:
    return Executed(data);
  default:
    return nullptr;
  }
}

LRESULT CALLBACK WindowProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER && wParam == ReplyTimer) {
    KillTimer(handle, ReplyTimer);
    PostReply();
    return 0;
  }
  if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE) {
    Journal("close");
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(handle, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE self, HINSTANCE, LPSTR, int) {
  ReadSettings();
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = self;
  windowClass.lpszClassName = "QuolinDdePeer";
  RegisterClassA(&windowClass);
  window = CreateWindowExA(0, windowClass.lpszClassName, Setting("title").c_str(),
                           WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr, self, nullptr);
  Sleep(static_cast<DWORD>(std::atoi(Setting("register_delay").c_str())));
  if (DdeInitializeA(&instance, Callback, APPCLASS_STANDARD, 0) != DMLERR_NO_ERROR)
    return 1;
  HSZ service = DdeCreateStringHandleA(instance, Setting("service").c_str(), CP_WINANSI);
  if (DdeNameService(instance, service, nullptr, DNS_REGISTER))
    Journal("registered");
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  DdeNameService(instance, service, nullptr, DNS_UNREGISTER);
  DdeUninitialize(instance);
  DestroyWindow(window);
  return 0;
}
