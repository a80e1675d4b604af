#include "rules/day.h"

#include <array>
#include <cstdint>
#include <utility>

#include "rules/computer.h"

namespace fortuna {

namespace {

void draw_turn_order(Game& game) {
  game.turns.clear();
  for (int j = 0; j < kCharacterCount; ++j)
    if (game.at(static_cast<CharacterId>(j)).alive)
      game.turns.push_back(static_cast<CharacterId>(j));
  const int n = game.turns.size();
  if (n >= 2) {
    // Each exchange's place is Int(x * (n - 1)); drawn all at once, as the pile's shuffle does.
    constexpr int kExchanges = 200;
    std::array<std::uint8_t, kExchanges> places;
    game.random.draw_below(n - 1, places.data(), kExchanges);
    for (const int r : places) std::swap(game.turns[r], game.turns[r + 1]);
  }
}

Heir heir_flag(const Game& game, CharacterId character) {
  return game.heir() == character ? Heir::Yes : Heir::No;
}

void place_computer(Game& game, CharacterId id) {
  Character& character = game.at(id);
  // The rules read a hand in catalogue order.
  if (character.hand[1] < character.hand[0]) std::swap(character.hand[0], character.hand[1]);
  character.room = computer_room(card(character.hand[0]), card(character.hand[1]), character.temper,
                                 heir_flag(game, id), game.rooms, game.random);
  game.rooms.in(*character.room).push_back(id);
}

void choose_for_computer(Game& game, CharacterId id) {
  Character& character = game.at(id);
  character.chosen_slot = computer_card(card(character.hand[0]).kind, card(character.hand[1]).kind,
                                        character.temper, heir_flag(game, id), game.random);
  character.target.reset();
  const Card& chosen = card(character.chosen_card());
  if (!chosen.needs_target) return;
  // A strong attack aims inside the attacker's own room, even when played outside the trap's.
  character.target = chosen.room
                         ? strong_attack_target(game.rooms.in(*character.room), id, game.random)
                         : anywhere_target(game.roster, id, game.random);
}

// Walks the turn order from the first or the next, giving each character to serve until it
// returns true (a person must answer); nothing once the last has been served.
template <typename Serve>
std::optional<CharacterId> walk(Game& game, Walk walk, Serve serve) {
  if (walk == Walk::FromFirst)
    game.turn = 0;
  else if (walk == Walk::FromNext && game.turn < game.turns.size() - 1)
    ++game.turn;
  if (game.turns.empty()) return std::nullopt;
  for (;; ++game.turn) {
    if (serve(game.current())) return game.current();
    if (game.turn >= game.turns.size() - 1) return std::nullopt;
  }
}

}  // namespace

std::optional<CharacterId> walk_rooms(Game& game, Walk from) {
  game.phase = Phase::Rooms;
  if (from == Walk::FromFirst) draw_turn_order(game);
  return walk(game, from, [&](CharacterId id) {
    const Character& character = game.at(id);
    if (character.room) return false;
    if (character.player == Player::Person) return true;
    place_computer(game, id);
    return false;
  });
}

std::optional<CharacterId> walk_cards(Game& game, Walk from) {
  game.phase = Phase::Cards;
  return walk(game, from, [&](CharacterId id) {
    const Character& character = game.at(id);
    if (character.player == Player::Person) return !character.chosen_slot.has_value();
    choose_for_computer(game, id);
    return false;
  });
}

bool place_current(Game& game, Room room) {
  Character& character = game.at(game.current());
  // Once placed, a character must not stand in a second room.
  if (character.room) return false;
  character.room = room;
  game.rooms.in(room).push_back(game.current());
  return true;
}

CardAnswer choose_current_card(Game& game, int slot, Discard discard) {
  const CharacterId id = game.current();
  Character& character = game.at(id);
  // The computer's plays are its own, also once the phase has closed on one of them.
  if (character.player != Player::Person) return CardAnswer::Refused;
  character.chosen_slot = slot;
  character.discard = discard == Discard::Yes;
  character.target.reset();
  const Card& chosen = card(character.chosen_card());
  if (character.discard || !chosen.needs_target) return CardAnswer::Chosen;
  const bool strong = chosen.kind == CardKind::StrongAttack;
  // Out of its own room a trap is played at nobody, without a word.
  if (strong && character.room != chosen.room) return CardAnswer::Chosen;
  game.offered_targets.clear();
  for (int j = 0; j < kCharacterCount; ++j) {
    const auto other = static_cast<CharacterId>(j);
    if (other == id || !game.at(other).alive) continue;
    if (strong && !(character.room && game.rooms.in(*character.room).contains(other))) continue;
    game.offered_targets.push_back(other);
  }
  if (game.offered_targets.empty()) return CardAnswer::NoTarget;
  game.phase = Phase::Target;
  return CardAnswer::TargetNeeded;
}

bool choose_target(Game& game, int place) {
  if (place < 0 || place >= game.offered_targets.size()) return false;
  game.at(game.current()).target = game.offered_targets[place];
  game.phase = Phase::Cards;
  return true;
}

void set_player(Game& game, CharacterId id, Player player) {
  Character& character = game.at(id);
  character.player = player;
  if (player == Player::Computer && game.phase == Phase::Target && game.current() == id) {
    character.chosen_slot.reset();
    character.discard = false;
    game.phase = Phase::Cards;
  }
}

std::optional<CharacterId> on_turn(const Game& game) {
  if (game.turns.empty()) return std::nullopt;
  const Character& current = game.at(game.current());
  if (current.player != Player::Person) return std::nullopt;
  const bool waiting = game.phase == Phase::Target ||
                       (game.phase == Phase::Rooms && !current.room) ||
                       (game.phase == Phase::Cards && !current.chosen_slot);
  return waiting ? std::optional(game.current()) : std::nullopt;
}

}  // namespace fortuna
