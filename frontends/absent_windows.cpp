// What the Windows build has no front end for: a terminal's raw keys need termios.
#include "frontends/frontend_table.h"

namespace fortuna {

const FrontendRow kTerminalFrontend{FrontendKind::Terminal, "terminal", nullptr, EngineKind::Text,
                                    SettingsByDefault::Yes, nullptr,    nullptr};

}  // namespace fortuna
