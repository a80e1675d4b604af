// Built into sanitizer builds only. Leaks inside system libraries that the program starts, not
// ours to free: SDL's PulseAudio backend can leave a small libpulse allocation behind when its
// audio subsystem shuts down, and SDL's video start-up keeps a D-Bus buffer when a session bus
// is running (as it is while the speech service runs). Named here rather than in an environment
// variable so that every binary, tests and the programs they start alike, agrees.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libpulse.so\n"
         "leak:libdbus-1.so\n";
}

// A suppressed leak must not add lines to what the program writes: tests count them.
extern "C" const char* __lsan_default_options() {
  return "print_suppressions=0";
}
