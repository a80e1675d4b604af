#include "frontends/terminal/terminal_keys.h"

#include <gtest/gtest.h>

#include "screens/platform.h"

namespace fortuna::testing {

namespace {

Key plain(int code) {
  return Key{code, {}};
}

// Every key the bytes hold, fed in the given pieces and read between them as a loop would; what
// is held at the end (a lone Escape, say) is read once its time runs out, and nothing more.
std::string decode_in_pieces(const std::string& term, const std::vector<std::string>& pieces) {
  KeyDecoder decoder(term);
  std::string names;
  auto read = [&] {
    while (auto key = decoder.next()) names += (names.empty() ? "" : " ") + key_name(*key);
  };
  for (const auto& piece : pieces) {
    decoder.feed(piece);
    read();
  }
  while (auto key = decoder.expire()) {
    names += (names.empty() ? "" : " ") + key_name(*key);
    read();
  }
  return names;
}

struct Case {
  const char* bytes;
  const char* keys;
};

// What each terminal sends for the keys the game tests, and a few it must pass over.
void expect_every_split(const std::string& term, const std::vector<Case>& cases) {
  for (const auto& [bytes, expected] : cases) {
    const std::string whole = bytes;
    EXPECT_EQ(decode_in_pieces(term, {whole}), expected) << term << " " << whole.substr(1);
    for (std::size_t cut = 1; cut < whole.size(); ++cut)
      EXPECT_EQ(decode_in_pieces(term, {whole.substr(0, cut), whole.substr(cut)}), expected)
          << term << " cut at " << cut << ": " << whole.substr(1);
    std::vector<std::string> bytewise;
    for (char c : whole) bytewise.emplace_back(1, c);
    EXPECT_EQ(decode_in_pieces(term, bytewise), expected) << term << " byte by byte";
  }
}

// The same sequences in xterm and tmux (tmux-256color); tmux answers the extended key request
// with the CSI u form, xterm with modifyOtherKeys' CSI 27 form.
const std::vector<Case> kXtermForms = {
    {"\x1b[A\x1b[B\x1b[C\x1b[D\r", "Up Down Right Left Enter"},
    {"\x1b", "Escape"},
    {"cphCPH", "C P H Shift+C Shift+P Shift+H"},
    {"\x1bOP\x1bOQ\x1bOS", "F1 F2 F4"},
    {"\x1b[15~\x1b[17~\x1b[18~\x1b[19~\x1b[20~\x1b[21~\x1b[24~", "F5 F6 F7 F8 F9 F10 F12"},
    // Beyond F12 in terminfo: the modifiers fold back onto F1 to F12.
    {"\x1b[18;2~\x1b[18;5~\x1b[18;3~\x1b[19;6~", "Shift+F7 Ctrl+F7 Alt+F7 Shift+Ctrl+F8"},
    {"\x1b[1;2Q\x1b[1;3S", "Shift+F2 Alt+F4"},
    {"\x1b\x31\x1b\x39", "Ctrl+1 Ctrl+9"},  // Alt+digit stands for Control+digit
    // CSI u, modifyOtherKeys' CSI 27 and Alt+1 in the CSI u form.
    {"\x1b[49;5u\x1b[50;6u\x1b[27;5;49~\x1b[49;3u", "Ctrl+1 Shift+Ctrl+2 Ctrl+1 Ctrl+1"},
    {"\t\x1b[Z", "Control Control"},                    // Tab silences, with Shift too
    {"\xc3\xb1\x7f\x1b[3~x", "X"},                      // ñ, Backspace, Delete: no game key
    {"\x1b[15~\x1b[A1\x1b\x1b[B", "F5 Up 1 Alt+Down"},  // Escape before a key is Alt
};

const std::vector<Case> kLinuxConsole = {
    {"\x1b[[A\x1b[[B\x1b[[D\x1b[[E", "F1 F2 F4 F5"},
    {"\x1b[31~\x1b[32~\x1b[34~", "Shift+F7 Shift+F8 Shift+F10"},
    {"\x1b\x31\r\x1b", "Ctrl+1 Enter Escape"},
    {"\t p", "Control Space P"},
};

}  // namespace

TEST(TerminalKeys, EachTerminalsFormsInEveryPiece) {
  // An unknown terminal still reads the xterm forms.
  for (const char* term :
       {"xterm", "xterm-256color", "tmux-256color", "screen", "no-such-terminal"})
    expect_every_split(term, kXtermForms);
  expect_every_split("linux", kLinuxConsole);
}

TEST(TerminalKeys, TheBytesAfterAKeyAreGivenBackUnread) {
  // F2 opens the rename box: what was typed after it belongs to the box.
  const std::pair<std::string, std::string> cases[] = {
      {"\x1bOQDo\xc3\xb1"
       "a\r ",
       "Do\xc3\xb1"
       "a\r "},
      {"\x1bOQ\x1b[D", "\x1b[D"},
      {"\x1bOQ\x1b[", "\x1b["},  // a sequence half read
  };
  for (const auto& [bytes, unread] : cases) {
    KeyDecoder decoder("xterm");
    decoder.feed(bytes);
    EXPECT_EQ(decoder.next(), plain(keys::kF2));
    EXPECT_EQ(decoder.take_unread(), unread);
    EXPECT_FALSE(decoder.next());
    EXPECT_FALSE(decoder.waiting());
    decoder.feed("h");  // and the decoder reads on afresh
    EXPECT_EQ(decoder.next(), plain('H'));
  }
}

TEST(TerminalKeys, MoreBytesThanLibtermkeyHoldsAreAllRead) {
  std::string many;
  for (int i = 0; i < 300; ++i) many += "\x1b[15~";
  KeyDecoder decoder("xterm");
  EXPECT_EQ(decode_keys(decoder, many).size(), 300u);
  std::string unread = std::string("\x1bOQ") + std::string(1000, 'a');
  decoder.feed(unread);
  EXPECT_EQ(decoder.next(), plain(keys::kF2));
  EXPECT_EQ(decoder.take_unread(), std::string(1000, 'a'));
}

}  // namespace fortuna::testing
