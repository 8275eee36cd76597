// The program's start-up, once for all tests of this executable.
#include <gtest/gtest.h>

#include "support/FormFixture.h"
#include "support/Wine.h"

namespace {
// Before anything else, while no window exists and nothing was printed: under Wine this may
// re-run the exe (see EnsureUnmanagedWindows).
[[maybe_unused]] const bool kUnmanaged = (orvelle::test::EnsureUnmanagedWindows(), true);

[[maybe_unused]] const ::testing::Environment* const kProgram =
    ::testing::AddGlobalTestEnvironment(new orvelle::test::ProgramEnvironment);
}  // namespace
