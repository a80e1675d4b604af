// The Win32 front end: one native window for both of the game's windows, keys from
// WM_KEYDOWN and WM_SYSKEYDOWN, a large label for onlookers, and the rename box as a dialog.
#include <windows.h>

#include <iostream>
#include <sstream>

#include "data/translate.h"
#include "frontends/frontend_table.h"
#include "frontends/win32/rename_box.h"
#include "frontends/win32/win32_keys.h"
#include "run/interrupt_source.h"
#include "speech/sapi_parts.h"

namespace fortuna {

namespace {

constexpr const wchar_t* kClassName = L"fortuna";
constexpr const char* kTitle = "La fortuna de Zivi Brunilda";

std::wstring wide(const std::string& utf8) {
  const std::u16string text = sapi::utf16_from_utf8(utf8);
  return std::wstring(text.begin(), text.end());
}

std::string narrow(const std::wstring& text) {
  return sapi::utf8_from_utf16(std::u16string(text.begin(), text.end()));
}

Modifiers held_modifiers() {
  auto down = [](int key) { return (GetKeyState(key) & 0x8000) != 0; };
  return {down(VK_SHIFT), down(VK_CONTROL), down(VK_MENU)};
}

struct RenameRequest {
  std::wstring prompt, title, text;
  // Says what typing changed when no screen reader does; nothing when one runs.
  SpeechEngine* echo = nullptr;
};

bool screen_reader_runs() {
  BOOL running = FALSE;
  return SystemParametersInfoW(SPI_GETSCREENREADER, 0, &running, 0) && running;
}

std::wstring field_text(HWND field) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(field)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(field, text.data(), text.size())));
  return text;
}

// What an edit put in, else what it took out: the part between what stayed before and after.
std::wstring changed_part(const std::wstring& before, const std::wstring& after) {
  std::size_t head = 0, tail = 0;
  while (head < before.size() && head < after.size() && before[head] == after[head]) ++head;
  while (tail < before.size() - head && tail < after.size() - head &&
         before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
    ++tail;
  const std::wstring put_in = after.substr(head, after.size() - head - tail);
  return put_in.empty() ? before.substr(head, before.size() - head - tail) : put_in;
}

void echo_change(RenameRequest& request, HWND field) {
  const std::wstring now = field_text(field);
  const std::string part = narrow(changed_part(request.text, now));
  request.text = now;
  if (request.echo && !part.empty()) request.echo->speak(part == " " ? "espacio" : part);
}

INT_PTR CALLBACK rename_box(HWND box, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    auto* request = reinterpret_cast<RenameRequest*>(lparam);
    SetWindowLongPtrW(box, DWLP_USER, lparam);
    SetWindowTextW(box, request->title.c_str());
    SetDlgItemTextW(box, kRenamePrompt, request->prompt.c_str());
    SetDlgItemTextW(box, kRenameField, request->text.c_str());
    SendDlgItemMessageW(box, kRenameField, EM_SETSEL, 0, -1);
    SetFocus(GetDlgItem(box, kRenameField));
    return FALSE;  // the focus is set
  }
  if (message != WM_COMMAND) return FALSE;
  auto* request = reinterpret_cast<RenameRequest*>(GetWindowLongPtrW(box, DWLP_USER));
  const HWND field = GetDlgItem(box, kRenameField);
  if (LOWORD(wparam) == kRenameField && HIWORD(wparam) == EN_CHANGE) {
    echo_change(*request, field);
    return TRUE;
  }
  if (LOWORD(wparam) != IDOK && LOWORD(wparam) != IDCANCEL) return FALSE;
  request->text = LOWORD(wparam) == IDOK ? field_text(field) : std::wstring();
  EndDialog(box, LOWORD(wparam));
  return TRUE;
}

class Win32Platform final : public Platform {
 public:
  Win32Platform() = default;
  ~Win32Platform() override {
    if (window_) DestroyWindow(window_);
    if (font_) DeleteObject(font_);
  }
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;

  // Creates the window, shown at once if the game already showed one of its windows. echo
  // speaks the rename box's letters when no screen reader does; notice is a line kept in sight
  // under the label.
  bool open(WNDPROC procedure, void* owner, SpeechEngine& echo, std::string notice) {
    echo_ = &echo;
    notice_ = std::move(notice);
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW kind{};
    kind.lpfnWndProc = procedure;
    kind.hInstance = instance;
    kind.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    kind.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    kind.lpszClassName = kClassName;
    RegisterClassW(&kind);
    window_ =
        CreateWindowExW(0, kClassName, wide(kTitle).c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                        CW_USEDEFAULT, 1000, 700, nullptr, nullptr, instance, owner);
    if (!window_) return false;
    label_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0, 0,
                             0, 0, window_, nullptr, instance, nullptr);
    font_ = CreateFontW(-30, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                        DEFAULT_PITCH | FF_SWISS, L"Segoe UI");
    SendMessageW(label_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    set_label(caption_);
    if (shown_) show();
    return true;
  }
  HWND window() const { return window_; }

  void resize(int width, int height) { MoveWindow(label_, 16, 16, width - 32, height - 32, TRUE); }

  void show_window(WindowId which) override {
    // The start window shows the title; the main window, the status label.
    if (which == WindowId::Start) set_label(kTitle);
    shown_ = true;
    if (window_) show();
  }
  void close_window(WindowId) override {}
  std::string input_box(const std::string& prompt, const std::string& title,
                        const std::string& default_text) override {
    RenameRequest request{wide(prompt), wide(title), wide(default_text),
                          screen_reader_runs() ? nullptr : echo_};
    DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kRenameBox), window_, rename_box,
                    reinterpret_cast<LPARAM>(&request));
    SetFocus(window_);
    return narrow(request.text);
  }
  void beep() override { MessageBeep(MB_OK); }
  void set_label(const std::string& caption) override {
    caption_ = caption;
    if (!label_) return;
    const std::string shown = notice_.empty() ? caption : caption + "\r\n\r\n" + notice_;
    SetWindowTextW(label_, wide(shown).c_str());
  }

 private:
  void show() {
    ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
    SetFocus(window_);
  }

  SpeechEngine* echo_ = nullptr;
  std::string notice_, caption_ = kTitle;
  bool shown_ = false;
  HWND window_ = nullptr, label_ = nullptr;
  HFONT font_ = nullptr;
};

// Started from Explorer, the console is the program's alone: it would only stand in the way.
void hide_own_console() {
  DWORD processes[2];
  if (GetConsoleProcessList(processes, 2) == 1) FreeConsole();
}

class Win32Frontend final : public Frontend {
 public:
  // transcript: whether the console may receive a transcript, and so must stay.
  Win32Frontend(InterruptSource& interrupts, bool transcript)
      : interrupts_(interrupts), transcript_(transcript) {}

  Platform& platform() override { return window_; }
  std::string help_extra() const override { return {}; }

  std::optional<Failure> open(const FrontendParts& parts) override {
    inbox_ = &parts.inbox;
    if (!window_.open(procedure, this, parts.speech, parts.notice))
      return Failure{format_message(
          translate("no display for a window (%s); use --frontend headless"), "CreateWindow")};
    // Unless something is written there: the text engine's lines, a transcript, a fallback.
    if (parts.notice.empty() && !parts.speech_prints && !transcript_) hide_own_console();
    return std::nullopt;
  }

  // Until the last window closes, or a signal comes.
  int run(Session& session) override {
    session_ = &session;
    // The inbox's event may be missing (the system refused one): then only the signal is
    // waited on.
    const HANDLE watched[2] = {static_cast<HANDLE>(interrupts_.event()),
                               static_cast<HANDLE>(inbox_->event())};
    const DWORD count = watched[1] ? 2 : 1;
    while (!session.ended()) {
      inbox_->run_pending();
      MSG message;
      if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) break;
        TranslateMessage(&message);
        DispatchMessageW(&message);
      } else if (MsgWaitForMultipleObjects(count, watched, FALSE, INFINITE, QS_ALLINPUT) ==
                 WAIT_OBJECT_0) {
        return exit_status::interrupted(*interrupts_.signal());
      }
    }
    return exit_status::kSuccess;
  }

 private:
  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
      const auto* created = reinterpret_cast<CREATESTRUCTW*>(lparam);
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created->lpCreateParams));
    }
    auto* frontend = reinterpret_cast<Win32Frontend*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (frontend && frontend->handle(message, wparam, lparam)) return 0;
    return DefWindowProcW(window, message, wparam, lparam);
  }

  // True when the message is the game's: Windows must not act on it as well (F10 and Alt
  // would open the menu, Alt+F4 close the window behind the game's back). Keys before the run
  // reads them are the game's too, and dropped.
  bool handle(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN:
        if (const auto key = translate_win32_key(static_cast<unsigned>(wparam), held_modifiers()))
          if (session_) session_->deliver(*key);
        return true;
      case WM_SYSKEYUP:
      case WM_SYSCHAR:
        return true;
      case WM_CLOSE:  // the close button: Escape closes either window
        if (session_) session_->deliver(Key{keys::kEscape, {}});
        return true;
      case WM_SIZE:
        window_.resize(LOWORD(lparam), HIWORD(lparam));
        return false;
      default:
        return false;
    }
  }

  InterruptSource& interrupts_;
  bool transcript_;
  Win32Platform window_;
  Session* session_ = nullptr;
  Inbox* inbox_ = nullptr;
};

CreatedFrontend create_window_frontend(const Options& options, InterruptSource& interrupts) {
  return std::make_unique<Win32Frontend>(interrupts, !options.transcript_file.empty());
}

}  // namespace

// The default: Windows has no terminal front end.
const FrontendRow kWindowFrontend{
    FrontendKind::Window, "window", &create_window_frontend, std::nullopt, SettingsByDefault::Yes,
    [] { return true; },  nullptr};

}  // namespace fortuna
