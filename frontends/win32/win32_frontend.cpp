// The Win32 front end: one native window for both of the game's windows, keys from
// WM_KEYDOWN and WM_SYSKEYDOWN, a large label for onlookers, and the rename box as a dialog.
#include <windows.h>

#include <iostream>
#include <sstream>

#include "data/translate.h"
#include "frontends/win32/rename_box.h"
#include "frontends/win32/win32_keys.h"
#include "frontends/window/window_frontend.h"
#include "run/interrupt_source.h"
#include "run/interruptible_engine.h"
#include "run/transcript.h"
#include "screens/program.h"
#include "speech/engines.h"
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
  Win32Platform(SpeechEngine& echo, std::string notice) : echo_(echo), notice_(std::move(notice)) {}
  ~Win32Platform() override {
    if (window_) DestroyWindow(window_);
    if (font_) DeleteObject(font_);
  }
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;

  bool open(WNDPROC procedure, void* owner) {
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
    set_label(std::string(kTitle));
    return true;
  }
  HWND window() const { return window_; }

  void resize(int width, int height) { MoveWindow(label_, 16, 16, width - 32, height - 32, TRUE); }

  void show_window(WindowId which) override {
    // The start window shows the title; the main window, the status label.
    if (which == WindowId::Start) set_label(kTitle);
    ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
    SetFocus(window_);
  }
  void close_window(WindowId) override {}
  std::string input_box(const std::string& prompt, const std::string& title,
                        const std::string& default_text) override {
    RenameRequest request{wide(prompt), wide(title), wide(default_text),
                          screen_reader_runs() ? nullptr : &echo_};
    DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kRenameBox), window_, rename_box,
                    reinterpret_cast<LPARAM>(&request));
    SetFocus(window_);
    return narrow(request.text);
  }
  void beep() override { MessageBeep(MB_OK); }
  void set_label(const std::string& caption) override {
    const std::string shown = notice_.empty() ? caption : caption + "\r\n\r\n" + notice_;
    SetWindowTextW(label_, wide(shown).c_str());
  }

 private:
  SpeechEngine& echo_;
  std::string notice_;
  HWND window_ = nullptr, label_ = nullptr;
  HFONT font_ = nullptr;
};

class Session {
 public:
  Session(Program& program, Win32Platform& window, Transcript& transcript)
      : program_(program), window_(window), transcript_(transcript) {}

  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
      const auto* created = reinterpret_cast<CREATESTRUCTW*>(lparam);
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created->lpCreateParams));
    }
    auto* session = reinterpret_cast<Session*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (session && session->handle(message, wparam, lparam)) return 0;
    return DefWindowProcW(window, message, wparam, lparam);
  }

  // Until the last window closes, or a signal comes (then false).
  bool run(InterruptSource& interrupts) {
    program_.start();
    HANDLE interrupted = static_cast<HANDLE>(interrupts.event());
    while (!program_.ended()) {
      MSG message;
      if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) break;
        TranslateMessage(&message);
        DispatchMessageW(&message);
      } else if (MsgWaitForMultipleObjects(1, &interrupted, FALSE, INFINITE, QS_ALLINPUT) ==
                 WAIT_OBJECT_0) {
        return false;
      }
    }
    return true;
  }

 private:
  void deliver(Key key) {
    transcript_.key(key);
    program_.key_down(key);
  }

  // True when the message is the game's: Windows must not act on it as well (F10 and Alt
  // would open the menu, Alt+F4 close the window behind the game's back).
  bool handle(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN:
        if (const auto key = translate_win32_key(static_cast<unsigned>(wparam), held_modifiers()))
          deliver(*key);
        return true;
      case WM_SYSKEYUP:
      case WM_SYSCHAR:
        return true;
      case WM_CLOSE:  // the close button: Escape closes either window
        deliver(Key{keys::kEscape, {}});
        return true;
      case WM_SIZE:
        window_.resize(LOWORD(lparam), HIWORD(lparam));
        return false;
      default:
        return false;
    }
  }

  Program& program_;
  Win32Platform& window_;
  Transcript& transcript_;
};

// Started from Explorer, the console is the program's alone: it would only stand in the way.
void hide_own_console() {
  DWORD processes[2];
  if (GetConsoleProcessList(processes, 2) == 1) FreeConsole();
}

}  // namespace

int run_window(const Options& options) {
  InterruptSource interrupts;
  CheckedFile standard_output;
  const auto transcript = Transcript::open(options.transcript_file, standard_output, std::cerr);
  if (!transcript) return 2;

  // The engine's complaint goes to standard error and stays in sight in the window.
  std::ostringstream engine_errors;
  auto engine = make_engine(options.speech.empty() ? "sapi" : options.speech,
                            text_output(options, standard_output), engine_errors);
  std::cerr << engine_errors.str() << std::flush;
  const std::string notice = engine_errors.str().substr(0, engine_errors.str().find('\n'));
  InterruptibleEngine interruptible(*engine, interrupts);

  Win32Platform window(interruptible, notice);
  const auto clock_owner = make_clock(options);
  RecordedPlatform platform(window, *transcript);
  const auto settings = open_settings(options, SettingsByDefault::Yes, std::cerr);
  Program program(interruptible, platform, *clock_owner, settings.get());
  program.speech().set_observer(transcript.get());
  Session session(program, window, *transcript);
  if (!window.open(Session::procedure, &session)) {
    std::cerr << "fortuna: "
              << format_message(translate("no display for a window (%s); use --frontend headless"),
                                "CreateWindow")
              << '\n';
    return 2;
  }
  // Unless something is written there: the text engine's lines, a transcript, a fallback.
  if (notice.empty() && options.transcript_file.empty() && options.speech != "text")
    hide_own_console();

  const bool closed = session.run(interrupts);
  const auto signal = interrupts.signal();
  const int code = closed || !signal ? 0 : InterruptSource::exit_status(*signal);
  return finish_run(code, *transcript, standard_output, std::cerr);
}

}  // namespace fortuna
