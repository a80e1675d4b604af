// The command line: parse, then hand over to a front end or to the bench.
#pragma once

namespace fortuna {

// Returns the process exit status: 0, or 2 for bad input (with a one-line message).
int run_command_line(int argc, char** argv);

}  // namespace fortuna
