#include "tools/simulate/progress_bar.h"

#include <algorithm>
#include <cmath>

#include "tools/simulate/simulate_report.h"

namespace fortuna {

namespace {

std::string time_left(double seconds) {
  const auto whole = static_cast<std::uint64_t>(std::ceil(seconds));
  if (whole < 60) return std::to_string(whole) + " s";
  if (whole < 3600) return std::to_string(whole / 60) + " min " + std::to_string(whole % 60) + " s";
  return std::to_string(whole / 3600) + " h " + std::to_string(whole / 60 % 60) + " min";
}

}  // namespace

std::string progress_line(std::uint64_t done, std::uint64_t total, double seconds, int width) {
  done = std::min(done, total);
  const double fraction = total == 0 ? 1.0 : static_cast<double>(done) / static_cast<double>(total);
  const double rate = seconds > 0 ? static_cast<double>(done) / seconds : 0;
  std::string text = " " + decimal(100 * fraction, 1) + " % " + grouped(done) + " de " +
                     grouped(total) + " partidas, " + grouped(static_cast<std::uint64_t>(rate)) +
                     " por segundo";
  if (rate > 0 && done < total)
    text += ", quedan " + time_left(static_cast<double>(total - done) / rate);
  // The bar takes what the text leaves, between 10 and 40 cells; it goes when nothing is left.
  const int cells = std::min(40, width - static_cast<int>(text.size()) - 2);
  if (cells < 10) return text.substr(1, static_cast<std::size_t>(std::max(0, width)));
  const auto full = static_cast<int>(fraction * cells);
  return "[" + std::string(static_cast<std::size_t>(full), '#') +
         std::string(static_cast<std::size_t>(cells - full), '.') + "]" + text;
}

}  // namespace fortuna
