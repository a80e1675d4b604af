#include "frontends/terminal/terminal_keys.h"

#include <algorithm>

#include "data/keys.h"

namespace fortuna {

namespace {

// The platform's modifier bits, which the terminal's own bits map onto.
constexpr int kShiftBit = 1, kControlBit = 2, kAltBit = 4;

Key make_key(int code, int modifier_bits) {
  return Key{code, Modifiers::from_bits(modifier_bits)};
}

int game_modifiers(int termkey_modifiers) {
  int bits = 0;
  if (termkey_modifiers & TERMKEY_KEYMOD_SHIFT) bits |= kShiftBit;
  if (termkey_modifiers & TERMKEY_KEYMOD_CTRL) bits |= kControlBit;
  if (termkey_modifiers & TERMKEY_KEYMOD_ALT) bits |= kAltBit;
  return bits;
}

std::optional<Key> character_key(long codepoint, int modifiers) {
  if (codepoint == ' ') return make_key(keys::kSpace, modifiers);
  if (codepoint >= '0' && codepoint <= '9') {
    // Alt+digit is what the terminal can send for Control+digit.
    if (modifiers & kAltBit) modifiers = (modifiers & ~kAltBit) | kControlBit;
    return make_key(static_cast<int>(codepoint), modifiers);
  }
  if (codepoint >= 'a' && codepoint <= 'z')
    return make_key(static_cast<int>(codepoint - 'a' + 'A'), modifiers);
  if (codepoint >= 'A' && codepoint <= 'Z')
    return make_key(static_cast<int>(codepoint), modifiers | kShiftBit);
  return std::nullopt;
}

std::optional<Key> symbol_key(TermKeySym symbol, int modifiers) {
  switch (symbol) {
    case TERMKEY_SYM_ENTER:
      return make_key(keys::kEnter, modifiers);
    case TERMKEY_SYM_ESCAPE:
      return make_key(keys::kEscape, modifiers);
    case TERMKEY_SYM_SPACE:
      return make_key(keys::kSpace, modifiers);
    case TERMKEY_SYM_TAB:
      return make_key(keys::kControl, 0);  // the game leaves Tab unused: here it silences
    case TERMKEY_SYM_LEFT:
      return make_key(keys::kLeft, modifiers);
    case TERMKEY_SYM_UP:
      return make_key(keys::kUp, modifiers);
    case TERMKEY_SYM_RIGHT:
      return make_key(keys::kRight, modifiers);
    case TERMKEY_SYM_DOWN:
      return make_key(keys::kDown, modifiers);
    case TERMKEY_SYM_PAGEUP:
      return make_key(keys::kPageUp, modifiers);
    case TERMKEY_SYM_PAGEDOWN:
      return make_key(keys::kPageDown, modifiers);
    case TERMKEY_SYM_HOME:
      return make_key(keys::kHome, modifiers);
    case TERMKEY_SYM_END:
      return make_key(keys::kEnd, modifiers);
    default:
      return std::nullopt;
  }
}

std::optional<Key> function_key(int number, int modifiers, FunctionKeyLayout layout) {
  if (number > 12 && layout == FunctionKeyLayout::Vt220) {
    if (number > 20) return std::nullopt;
    number -= 10;
    modifiers = (modifiers | kShiftBit);
  } else if (number > 12) {
    // Blocks of twelve after F12: Shift, Control, Control+Shift, Alt, Alt+Shift.
    constexpr int kBlocks[] = {kShiftBit, kControlBit, kControlBit | kShiftBit, kAltBit,
                               kAltBit | kShiftBit};
    const int block = (number - 13) / 12;
    if (block >= 5) return std::nullopt;
    number = (number - 13) % 12 + 1;
    modifiers = (modifiers | kBlocks[block]);
  }
  if (number < 1) return std::nullopt;
  return make_key(keys::kF1 + number - 1, modifiers);
}

}  // namespace

FunctionKeyLayout function_key_layout(std::string_view term) {
  const bool vt220 = term == "linux" || term.starts_with("linux-") || term.starts_with("rxvt") ||
                     term.starts_with("con");
  return vt220 ? FunctionKeyLayout::Vt220 : FunctionKeyLayout::Xterm;
}

std::optional<Key> game_key(const TermKeyKey& key, FunctionKeyLayout layout) {
  const int modifiers = game_modifiers(key.modifiers);
  switch (key.type) {
    case TERMKEY_TYPE_UNICODE:
      return character_key(key.code.codepoint, modifiers);
    case TERMKEY_TYPE_KEYSYM:
      return symbol_key(key.code.sym, modifiers);
    case TERMKEY_TYPE_FUNCTION:
      return function_key(key.code.number, modifiers, layout);
    default:
      return std::nullopt;
  }
}

KeyDecoder::KeyDecoder(const std::string& term) : term_(term), layout_(function_key_layout(term)) {
  reset();
}

KeyDecoder::~KeyDecoder() {
  if (termkey_) termkey_destroy(termkey_);
}

void KeyDecoder::reset() {
  if (termkey_) termkey_destroy(termkey_);
  // Bytes come from our own reads: libtermkey only parses, and never touches the terminal.
  termkey_ =
      termkey_new_abstract(term_.c_str(), TERMKEY_FLAG_UTF8 | TERMKEY_FLAG_NOTERMIOS |
                                              TERMKEY_FLAG_SPACESYMBOL | TERMKEY_FLAG_CONVERTKP);
  if (!termkey_)
    termkey_ = termkey_new_abstract("xterm", TERMKEY_FLAG_UTF8 | TERMKEY_FLAG_NOTERMIOS);
  termkey_set_waittime(termkey_, static_cast<int>(kWaitTime.count()));
  given_.clear();
  backlog_.clear();
  waiting_ = false;
  console_prefix_ = false;
}

bool KeyDecoder::top_up() {
  std::size_t taken = termkey_push_bytes(termkey_, backlog_.data(), backlog_.size());
  if (taken == static_cast<std::size_t>(-1)) taken = 0;  // its buffer is full
  given_.append(backlog_, 0, taken);
  backlog_.erase(0, taken);
  const std::size_t capacity = termkey_get_buffer_size(termkey_);
  if (given_.size() > capacity) given_.erase(0, given_.size() - capacity);
  return taken > 0;
}

std::optional<Key> KeyDecoder::take(bool force) {
  for (;;) {
    const bool pushed = top_up();
    TermKeyKey key;
    const TermKeyResult result =
        force ? termkey_getkey_force(termkey_, &key) : termkey_getkey(termkey_, &key);
    waiting_ = result == TERMKEY_RES_AGAIN;
    if (result == TERMKEY_RES_KEY) {
      if (auto game = console_function_key(key)) return game;
      if (auto game = game_key(key, layout_)) return game;
    } else if (!waiting_ || backlog_.empty()) {
      return std::nullopt;
    } else if (!pushed) {
      force = true;  // a sequence longer than the buffer: read it as it stands
    }
  }
}

void KeyDecoder::feed(std::string_view bytes) {
  backlog_.append(bytes);
  top_up();
}

std::optional<Key> KeyDecoder::next() {
  return take(false);
}

std::optional<Key> KeyDecoder::expire() {
  if (!waiting_) return std::nullopt;
  return take(true);
}

std::string KeyDecoder::take_unread() {
  const std::size_t held =
      termkey_get_buffer_size(termkey_) - termkey_get_buffer_remaining(termkey_);
  std::string unread = given_.substr(given_.size() - std::min(held, given_.size())) + backlog_;
  reset();
  return unread;
}

// The Linux console sends F1-F5 as CSI [ and a letter. Whole, terminfo reads them; split
// after the second [, libtermkey takes "CSI [" for a sequence of its own and the letter
// comes next.
std::optional<Key> KeyDecoder::console_function_key(const TermKeyKey& key) {
  const bool after_prefix = console_prefix_;
  console_prefix_ = false;
  if (key.type == TERMKEY_TYPE_UNKNOWN_CSI) {
    long arguments[4];
    std::size_t count = 4;
    unsigned long command = 0;
    termkey_interpret_csi(termkey_, &key, arguments, &count, &command);
    console_prefix_ = command == '[';
    return std::nullopt;
  }
  if (after_prefix && key.type == TERMKEY_TYPE_UNICODE && key.modifiers == 0 &&
      key.code.codepoint >= 'A' && key.code.codepoint <= 'E')
    return make_key(static_cast<int>(keys::kF1 + (key.code.codepoint - 'A')), 0);
  return std::nullopt;
}

std::vector<Key> decode_keys(KeyDecoder& decoder, std::string_view bytes) {
  std::vector<Key> found;
  decoder.feed(bytes);
  for (;;) {
    auto key = decoder.next();
    if (!key) key = decoder.expire();
    if (!key) return found;
    found.push_back(*key);
  }
}

}  // namespace fortuna
