// Prints every window of the Wine session, one per line as UTF-8, for the end-to-end scripts:
//   hwnd <TAB> owner-or-parent <TAB> class <TAB> id <TAB> visible <TAB> focused
//   <TAB> client-x <TAB> client-y <TAB> client-width <TAB> client-height <TAB> text
// Top-level windows come with their owner (0 if none) and are followed by their children,
// which come with their parent. Client positions are screen coordinates.
//
// With "close CLASS" instead, posts WM_CLOSE to every top-level window of that class.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::string utf8(const wchar_t* text) {
  int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string out(size > 0 ? size - 1 : 0, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, &out[0], size, nullptr, nullptr);
  for (char& c : out) {
    if (c == '\t' || c == '\r' || c == '\n') {
      c = ' ';
    }
  }
  return out;
}

BOOL CALLBACK collect(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

void printWindow(HWND window, HWND related, bool child) {
  wchar_t name[256] = L"";
  GetClassNameW(window, name, 256);
  // GetWindowText of another process's window gives its caption only, not an edit's
  // contents; WM_GETTEXT asks the control itself.
  wchar_t text[1024] = L"";
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text),
                           SMTO_ABORTIFHUNG, 2000, &copied)) {
    GetWindowTextW(window, text, 1024);
  }

  GUITHREADINFO thread{};
  thread.cbSize = sizeof thread;
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread);

  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  RECT client{};
  GetClientRect(window, &client);

  std::printf("%#llx\t%#llx\t%s\t%d\t%d\t%d\t%ld\t%ld\t%ld\t%ld\t%s\n",
              static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)),
              static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(related)),
              utf8(name).c_str(), child ? GetDlgCtrlID(window) : 0, IsWindowVisible(window) ? 1 : 0,
              thread.hwndFocus == window ? 1 : 0, origin.x, origin.y, client.right, client.bottom,
              utf8(text).c_str());
}

}  // namespace

int main(int argc, char** argv) {
  _setmode(_fileno(stdout), _O_BINARY);
  std::vector<HWND> topLevel;
  EnumWindows(collect, reinterpret_cast<LPARAM>(&topLevel));

  if (argc == 3 && std::strcmp(argv[1], "close") == 0) {
    for (HWND window : topLevel) {
      char name[256] = "";
      GetClassNameA(window, name, sizeof name);
      if (std::strcmp(name, argv[2]) == 0) {
        PostMessageA(window, WM_CLOSE, 0, 0);
      }
    }
    return 0;
  }

  for (HWND window : topLevel) {
    printWindow(window, GetWindow(window, GW_OWNER), false);
    std::vector<HWND> children;
    EnumChildWindows(window, collect, reinterpret_cast<LPARAM>(&children));
    for (HWND child : children) {
      printWindow(child, GetParent(child), true);
    }
  }
  return 0;
}
