// For tests that need the real sound server or speech service: without it they are skipped
// with the reason, except where the run asked for them (FORTUNA_AUDIO_REQUIRED=1, as CI does
// after starting both), where a missing service fails the test.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace fortuna::testing {

inline bool audio_required() {
  const char* value = std::getenv("FORTUNA_AUDIO_REQUIRED");
  return value && std::strcmp(value, "1") == 0;
}

}  // namespace fortuna::testing

// Ends the test (or SetUp) when the service is missing: skipped, or failed when required.
#define FORTUNA_NEEDS_AUDIO(available, reason)                      \
  do {                                                              \
    if (!(available)) {                                             \
      if (::fortuna::testing::audio_required()) FAIL() << (reason); \
      GTEST_SKIP() << (reason);                                     \
    }                                                               \
  } while (false)
