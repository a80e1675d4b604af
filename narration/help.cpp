#include "narration/help.h"

#include <algorithm>
#include <array>

namespace fortuna {

namespace {

struct Phrase {
  Action action;
  bool everywhere;
  const char* words;  // follows the keys
};

constexpr std::array<Phrase, 27> kPhrases = {{
    {Action::WalkRoster, false, " para recorrer los personajes"},
    {Action::ToggleSelection, false, " para elegir si lo juega una persona"},
    {Action::Rename, false, " para cambiarle el nombre"},
    {Action::StartGame, false, " para empezar la partida"},
    {Action::ChooseRoom, false, " para elegir sala"},
    {Action::TellCards, false, " para oír sus cartas"},
    {Action::ChooseCard, false, " para elegir carta"},
    {Action::ThrowCardAway, false, " para descartarla sin usarla"},
    {Action::TellSituation, false, " para oír dónde está y con quién"},
    {Action::ChooseTarget, false, " para elegir con quién usarla"},
    {Action::ListTargets, false, " para oír de nuevo entre quiénes elegir"},
    {Action::GoOn, false, " para continuar"},
    {Action::NewGame, false, " para empezar otra partida"},
    {Action::TellHeir, true, " para saber quién es el heredero"},
    {Action::Repeat, true, " para repetir el último mensaje"},
    {Action::ToggleCardNames, true, " para oír las cartas con su descripción corta o larga"},
    {Action::Slower, true, " para que la voz hable más despacio"},
    {Action::Faster, true, " para que hable más deprisa"},
    {Action::PreviousVoice, true, " para la voz anterior"},
    {Action::NextVoice, true, " para la siguiente"},
    {Action::Silence, true, " para callar la voz"},
    {Action::HistoryOlder, true, " para oír los mensajes anteriores"},
    {Action::HistoryNewer, true, " para los siguientes"},
    {Action::HistoryOldest, true, " para el primero"},
    {Action::HistoryNewest, true, " para el último"},
    {Action::Help, true, " para esta ayuda"},
    {Action::Leave, true, " para salir"},
}};

std::string key_word(int code) {
  switch (code) {
    case keys::kSpace:
      return "espacio";
    case keys::kEnter:
      return "Enter";
    case keys::kEscape:
      return "Escape";
    case keys::kControl:
      return "Control";
    case keys::kTab:
      return "tabulador";
    case keys::kPageUp:
      return "Re Pág";
    case keys::kPageDown:
      return "Av Pág";
    case keys::kHome:
      return "Inicio";
    case keys::kEnd:
      return "Fin";
    case keys::kLeft:
      return "flecha izquierda";
    case keys::kUp:
      return "flecha arriba";
    case keys::kRight:
      return "flecha derecha";
    case keys::kDown:
      return "flecha abajo";
    default:
      break;
  }
  if (code >= keys::kF1 && code <= keys::kF12) return "F" + std::to_string(code - keys::kF1 + 1);
  if (code >= keys::k0 && code <= keys::k9) return std::to_string(code - keys::k0);
  return std::string(1, static_cast<char>(code));
}

bool is_run_of_digits(const std::vector<Key>& keys) {
  if (keys.size() < 3) return false;
  for (std::size_t i = 0; i < keys.size(); ++i)
    if (!keys[i].is_digit() || keys[i].code != keys[0].code + static_cast<int>(i)) return false;
  return true;
}

// "1 a 4", "1 o 2", "espacio o F2", "las flechas"; "Control y" first when Control is held.
std::string key_words(const std::vector<Key>& keys) {
  std::string prefix = keys.front().modifiers.control ? "Control y " : "";
  if (keys.size() == 4 && std::all_of(keys.begin(), keys.end(), [](const Key& key) {
        return key.code >= keys::kLeft && key.code <= keys::kDown;
      }))
    return "las flechas";
  if (is_run_of_digits(keys))
    return prefix + key_word(keys.front().code) + " a " + key_word(keys.back().code);
  std::string words;
  for (std::size_t i = 0; i < keys.size(); ++i) {
    if (i > 0) words += i + 1 == keys.size() ? " o " : ", ";
    words += key_word(keys[i].code);
  }
  return prefix + words;
}

}  // namespace

void add_to_help(std::vector<HelpEntry>& entries, Action action, Key key) {
  auto entry = std::find_if(entries.begin(), entries.end(),
                            [&](const HelpEntry& e) { return e.action == action; });
  if (entry == entries.end()) entry = entries.insert(entries.end(), {action, {}});
  entry->keys.push_back(key);
}

std::string history_entry_text(const std::string& text, HistoryPlace place) {
  switch (place) {
    case HistoryPlace::First:
      return "Primer mensaje: " + text;
    case HistoryPlace::Last:
      return "Último mensaje: " + text;
    case HistoryPlace::Only:
      return "Único mensaje: " + text;
    case HistoryPlace::Middle:
      break;
  }
  return text;
}

std::string help_text(const std::vector<HelpEntry>& entries, const std::string& extra) {
  std::string now, everywhere;
  for (const Phrase& phrase : kPhrases) {
    const auto entry = std::find_if(entries.begin(), entries.end(),
                                    [&](const HelpEntry& e) { return e.action == phrase.action; });
    if (entry == entries.end() || entry->keys.empty()) continue;
    std::string& part = phrase.everywhere ? everywhere : now;
    part += (part.empty() ? "" : ", ") + key_words(entry->keys) + phrase.words;
  }
  std::string text = "Ayuda.";
  if (!now.empty()) text += " Ahora, pulse " + now + ".";
  if (!everywhere.empty()) text += " En cualquier momento: " + everywhere + ".";
  if (!extra.empty()) text += " " + extra;
  return text;
}

}  // namespace fortuna
