// SDL's audio, started the one way the program wants it: SDL would otherwise take SIGINT and
// SIGTERM for itself and turn them into events nobody reads, and Control+C would do nothing.
#pragma once

#include <SDL.h>

namespace fortuna {

// 0 when started, as SDL_InitSubSystem.
inline int start_sdl_audio() {
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  return SDL_InitSubSystem(SDL_INIT_AUDIO);
}

}  // namespace fortuna
