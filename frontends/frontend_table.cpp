#include "frontends/frontend_table.h"

#include "data/translate.h"

namespace fortuna {

namespace {
constexpr const FrontendRow* kTable[] = {&kTerminalFrontend, &kWindowFrontend, &kHeadlessFrontend};
}  // namespace

std::span<const FrontendRow* const> frontend_table() {
  return kTable;
}

std::vector<const FrontendRow*> built_frontends() {
  std::vector<const FrontendRow*> rows;
  for (const FrontendRow* row : kTable)
    if (row->create) rows.push_back(row);
  return rows;
}

std::variant<const FrontendRow*, Failure> choose_frontend(const Options& options) {
  if (!options.keys_file.empty()) {
    if (options.frontend && *options.frontend != FrontendKind::Headless) {
      const char* asked = "";
      for (const FrontendRow* row : kTable)
        if (row->kind == *options.frontend) asked = row->name;
      return Failure{format_message(
          translate("--keys plays a key script headless; it does not go with --frontend %s"),
          asked)};
    }
    return &kHeadlessFrontend;
  }
  for (const FrontendRow* row : built_frontends()) {
    if (options.frontend ? row->kind == *options.frontend : row->preferred && row->preferred())
      return row;
  }
  return &kHeadlessFrontend;
}

}  // namespace fortuna
