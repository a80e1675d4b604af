#include "frontends/frontend_table.h"

#include "data/translate.h"

namespace fortuna {

namespace {
constexpr const FrontendRow* kTable[] = {&kTerminalFrontend, &kWindowFrontend, &kHeadlessFrontend};
}  // namespace

std::vector<const FrontendRow*> built_frontends() {
  std::vector<const FrontendRow*> rows;
  for (const FrontendRow* row : kTable)
    if (row->create) rows.push_back(row);
  return rows;
}

std::variant<const FrontendRow*, Failure> choose_frontend(const Options& options) {
  const bool script = !options.keys_file.empty();
  for (const FrontendRow* row : built_frontends()) {
    const bool asked = options.frontend ? row->kind == *options.frontend
                                        : !script && row->preferred && row->preferred();
    if (!asked) continue;
    if (!script || row == &kHeadlessFrontend) return row;
    return Failure{format_message(
        translate("--keys plays a key script headless; it does not go with --frontend %s"),
        row->name)};
  }
  return &kHeadlessFrontend;
}

}  // namespace fortuna
