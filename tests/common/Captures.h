// Where the real 802.11 captures are. They live beside the project, not in it, so a clone of the
// project alone has none: tests that need them skip and say where they looked. The environment
// variable NXUI_CAPTURES_DIR wins over the folder the build was configured with.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace nxui::test {

inline std::string CapturesDir() {
  const char* fromEnvironment = std::getenv("NXUI_CAPTURES_DIR");
  if (fromEnvironment != nullptr && *fromEnvironment != '\0') return fromEnvironment;
  return NXUI_CAPTURES_DIR;
}

inline std::string CaptureFile(const std::string& name) { return CapturesDir() + "/" + name; }

inline bool CapturesPresent() {
  std::error_code error;
  return std::filesystem::is_directory(CapturesDir(), error);
}

}  // namespace nxui::test

// First statement of a test that reads the captures.
#define NXUI_SKIP_WITHOUT_CAPTURES()                                                                           \
  do {                                                                                                         \
    if (!::nxui::test::CapturesPresent()) {                                                                    \
      GTEST_SKIP() << "no captures folder at " << ::nxui::test::CapturesDir()                                  \
                   << " (set NXUI_CAPTURES_DIR, or configure with -DNXUI_CAPTURES_DIR=..., to run this test)"; \
    }                                                                                                          \
  } while (false)
