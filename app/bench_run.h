// `fortuna bench`: fixed all-computer games, their figures and a signature of everything said.
#pragma once

#include <ostream>

namespace fortuna {

int run_bench(std::ostream& out);

}  // namespace fortuna
