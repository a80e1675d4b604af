// The view as the player meets it: panning a long text, walking the history, feeling the ends.
#include "braille/braille_view.h"

#include <gtest/gtest.h>

#include <string>

namespace fortuna {
namespace {

using Kind = BrailleCommand::Kind;
const std::string kMark = "⣿";

BrailleView view_of(std::size_t width, std::initializer_list<std::string_view> texts) {
  BrailleView view;
  view.set_width(width);
  for (auto text : texts) view.show(text);
  return view;
}

void press(BrailleView& view, Kind kind, int times = 1) {
  for (int i = 0; i < times; ++i) view.handle({kind, 0});
}

TEST(BrailleView, ANewTextShowsItsFirstWindow) {
  BrailleView view = view_of(12, {"Pulse espacio para continuar."});
  EXPECT_EQ(view.window_utf8(), "Pulse");
  press(view, Kind::PanForward);
  EXPECT_EQ(view.window_utf8(), "espacio para");
  view.show("El heredero actual es Íñigo");
  EXPECT_EQ(view.window_utf8(), "El heredero");
}

TEST(BrailleView, PanningForwardStopsAtTheLastWindowWithTheEndMark) {
  BrailleView view = view_of(12, {"Pulse espacio para continuar."});
  press(view, Kind::PanForward, 2);
  EXPECT_EQ(view.window_utf8(), "continuar.");
  press(view, Kind::PanForward);
  EXPECT_EQ(view.window_utf8(), kMark);
  // Pressing on stays at the end; going back brings the last window again, not the one before.
  press(view, Kind::PanForward, 3);
  EXPECT_EQ(view.window_utf8(), kMark);
  press(view, Kind::PanBack);
  EXPECT_EQ(view.window_utf8(), "continuar.");
  press(view, Kind::PanBack);
  EXPECT_EQ(view.window_utf8(), "espacio para");
}

TEST(BrailleView, PanningBackFromTheFirstWindowShowsTheMarkUntilPanningForward) {
  BrailleView view = view_of(12, {"Pulse espacio para continuar."});
  press(view, Kind::PanBack, 2);
  EXPECT_EQ(view.window_utf8(), kMark);
  press(view, Kind::PanForward);
  EXPECT_EQ(view.window_utf8(), "Pulse");
  // A short text is its own first and last window: both ends are felt.
  BrailleView one = view_of(40, {"Seleccionado"});
  press(one, Kind::PanForward);
  EXPECT_EQ(one.window_utf8(), kMark);
}

TEST(BrailleView, LineKeysWalkTheHistoryEachTextFromItsStart) {
  BrailleView view = view_of(12, {"Primero", "Segundo texto algo largo", "Tercero"});
  press(view, Kind::LineUp);
  EXPECT_EQ(view.window_utf8(), "Segundo");
  press(view, Kind::PanForward);
  press(view, Kind::LineUp);
  EXPECT_EQ(view.window_utf8(), "Primero");
  press(view, Kind::LineUp);
  EXPECT_EQ(view.window_utf8(), kMark);
  press(view, Kind::LineDown);
  EXPECT_EQ(view.window_utf8(), "Primero");
  press(view, Kind::LineDown, 2);
  EXPECT_EQ(view.window_utf8(), "Tercero");
  press(view, Kind::LineDown);
  EXPECT_EQ(view.window_utf8(), kMark);
  press(view, Kind::Top);
  EXPECT_EQ(view.window_utf8(), "Primero");
  press(view, Kind::Bottom);
  EXPECT_EQ(view.window_utf8(), "Tercero");
}

TEST(BrailleView, AfterPanningToAnOldTextsEndTheLineKeysStillMove) {
  BrailleView view = view_of(12, {"Uno dos tres cuatro cinco", "Nuevo"});
  press(view, Kind::LineUp);
  press(view, Kind::PanForward, 5);
  EXPECT_EQ(view.window_utf8(), kMark);
  press(view, Kind::LineDown);
  EXPECT_EQ(view.window_utf8(), "Nuevo");
}

TEST(BrailleView, ANewTextReturnsFromTheHistoryToTheNewest) {
  BrailleView view = view_of(40, {"Uno", "Dos"});
  press(view, Kind::LineUp);
  view.show("Tres");
  EXPECT_EQ(view.window_utf8(), "Tres");
  press(view, Kind::LineUp);
  EXPECT_EQ(view.window_utf8(), "Dos");
}

TEST(BrailleView, TheHistoryKeepsTheLatest200Texts) {
  BrailleView view = view_of(40, {});
  for (int i = 0; i < 250; ++i) view.show("Texto " + std::to_string(i));
  EXPECT_EQ(view.history_size(), BrailleView::kHistoryCapacity);
  press(view, Kind::Top);
  EXPECT_EQ(view.window_utf8(), "Texto 50");
  press(view, Kind::LineUp);
  EXPECT_EQ(view.window_utf8(), kMark);
}

TEST(BrailleView, RepeatedAndBlankTextsDoNotFillTheHistory) {
  BrailleView view = view_of(40, {"Seleccionado", "Seleccionado", "  \r\n", "Seleccionado"});
  EXPECT_EQ(view.history_size(), 1u);
  EXPECT_EQ(view.window_utf8(), "Seleccionado");
}

TEST(BrailleView, ShowsNothingUntilTheWidthIsKnownThenKeepsItsPlaceWhenItChanges) {
  BrailleView view = view_of(0, {"uno dos tres cuatro cinco seis siete"});
  EXPECT_EQ(view.window_utf8(), "");
  view.set_width(10);
  press(view, Kind::PanForward, 2);
  EXPECT_EQ(view.window_utf8(), "cuatro");
  // The window now shown holds the word that began the one before.
  view.set_width(20);
  EXPECT_EQ(view.window_utf8(), "uno dos tres cuatro");
}

TEST(BrailleView, KeysBeforeAnyTextDoNothing) {
  BrailleView view = view_of(40, {});
  for (Kind kind : {Kind::PanForward, Kind::PanBack, Kind::LineUp, Kind::LineDown, Kind::Top,
                    Kind::Bottom, Kind::Route})
    EXPECT_EQ(view.handle({kind, 3}), std::nullopt);
  EXPECT_EQ(view.window_utf8(), "");
}

TEST(BrailleView, DigitsTypedOnTheDisplaysKeyboardAreDigitKeys) {
  BrailleView view = view_of(40, {"Hola"});
  EXPECT_EQ(view.handle({Kind::Character, '7'}), (Key{keys::k0 + 7, {}}));
  EXPECT_EQ(view.handle({Kind::Character, 'a'}), std::nullopt);
}

}  // namespace
}  // namespace fortuna
