// What the rate keys say.
#pragma once

namespace fortuna {

// The start screen says it with a blank at the end, the game without.
inline constexpr const char* kSlowerOnStartScreen = "Velocidad de la voz más lenta ";
inline constexpr const char* kSlowerInGame = "Velocidad de la voz más lenta";
inline constexpr const char* kFaster = "Velocidad de la voz más rápida";
inline constexpr const char* kSlowest = "Velocidad mínima";
inline constexpr const char* kFastest = "Velocidad máxima";

}  // namespace fortuna
