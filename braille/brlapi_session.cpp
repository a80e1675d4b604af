#include "braille/brlapi_session.h"

#include <brlapi.h>

#include <cerrno>
#include <cstring>

#include "data/translate.h"

namespace fortuna {

namespace {

brlapi_handle_t* as_handle(const std::unique_ptr<unsigned char[]>& memory) {
  return reinterpret_cast<brlapi_handle_t*>(memory.get());
}

std::string error_text() {
  char text[256];
  brlapi_strerror_r(&brlapi_error, text, sizeof text);
  return text;
}

// The default handler prints and aborts: errors about a request (a write the server refused)
// must never end the game, so they are only kept for whoever wants to know.
void keep_exception(brlapi_handle_t* handle, int error, brlapi_packetType_t type,
                    const void* packet, size_t size) {
  auto* last = static_cast<std::string*>(brlapi__getClientData(handle));
  if (last == nullptr) return;
  char text[256];
  brlapi__strexception(handle, text, sizeof text, error, type, packet, size);
  *last = text;
}

std::size_t code_points(std::string_view utf8) {
  std::size_t n = 0;
  for (const char c : utf8) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return n;
}

}  // namespace

std::variant<std::unique_ptr<BrlapiSession>, std::string> BrlapiSession::open(
    const BrlapiSettings& settings) {
  std::unique_ptr<BrlapiSession> session(new BrlapiSession);
  session->handle_ = std::make_unique<unsigned char[]>(brlapi_getHandleSize());
  brlapi_connectionSettings_t wanted = BRLAPI_SETTINGS_INITIALIZER;
  if (settings.host) wanted.host = settings.host->c_str();
  if (settings.auth) wanted.auth = settings.auth->c_str();
  brlapi_connectionSettings_t used = BRLAPI_SETTINGS_INITIALIZER;
  const int fd = brlapi__openConnection(as_handle(session->handle_), &wanted, &used);
  if (fd < 0) {
    const std::string where = used.host ? used.host : (settings.host ? *settings.host : "");
    return format_message(translate("No braille display: brltty does not answer at %s (%s)."),
                          where.empty() ? "localhost" : where.c_str(), error_text().c_str());
  }
  session->fd_ = fd;
  brlapi__setClientData(as_handle(session->handle_), &session->exception_);
  brlapi__setExceptionHandler(as_handle(session->handle_), keep_exception);
  return session;
}

BrlapiSession::~BrlapiSession() {
  if (fd_ < 0) return;
  brlapi_handle_t* handle = as_handle(handle_);
  if (tty_mode_) brlapi__leaveTtyMode(handle);
  brlapi__closeConnection(handle);
}

std::size_t BrlapiSession::display_cells() {
  unsigned int x = 0, y = 0;
  if (brlapi__getDisplaySize(as_handle(handle_), &x, &y) != 0) return 0;
  return x;
}

std::optional<std::string> BrlapiSession::enter_tty_mode() {
  // With no tty path brltty gives the display to this client wherever the screen is; asking for
  // the default tty fails where brltty cannot tell which tty that is.
  if (brlapi__enterTtyModeWithPath(as_handle(handle_), nullptr, 0, nullptr) < 0)
    return format_message(translate("No braille display: brltty refused its keys (%s)."),
                          error_text().c_str());
  tty_mode_ = true;
  return std::nullopt;
}

bool BrlapiSession::write(std::string_view utf8) {
  // A blank row when there is nothing: a region of 0 would mean "the whole display" to BrlAPI.
  const std::string text = utf8.empty() ? std::string(" ") : std::string(utf8);
  brlapi_writeArguments_t arguments = BRLAPI_WRITEARGUMENTS_INITIALIZER;
  arguments.regionBegin = 1;
  // Negative: the text's own characters, and the rest of the row padded with blanks.
  arguments.regionSize = -static_cast<int>(code_points(text));
  arguments.text = text.c_str();
  arguments.textSize = static_cast<int>(text.size());
  // Named, so that the process locale (often plain "C") is never asked to convert.
  arguments.charset = "UTF-8";
  arguments.cursor = BRLAPI_CURSOR_OFF;
  return brlapi__write(as_handle(handle_), &arguments) == 0;
}

BrlapiSession::Read BrlapiSession::read_key(std::uint64_t& code) {
  brlapi_keyCode_t key = 0;
  const int got = brlapi__readKeyWithTimeout(as_handle(handle_), 0, &key);
  if (got == 1) {
    code = key;
    return Read::Key;
  }
  if (got == 0) return Read::Nothing;
  if (brlapi_errno == BRLAPI_ERROR_LIBCERR && brlapi_libcerrno == EINTR) return Read::Nothing;
  return Read::Lost;
}

}  // namespace fortuna
