// Comparison of a test's output with a reference text kept beside the tests (tests/reference/).
//
// A missing reference fails the test; the run never writes a reference. On a difference the test
// fails with a line diff (- reference, + actual), and the actual text is left in the temporary
// folder so that a developer can look at it and, when the change is intended, copy it by hand.
#pragma once

#include <string>

#include <gtest/gtest.h>

namespace vorel::report::testing {

::testing::AssertionResult matches_reference(const std::string& actual, const std::string& name);

// Line diff of two texts (a longest-common-subsequence diff; unchanged lines are left out, each
// difference shows its line numbers).
std::string line_diff(const std::string& expected, const std::string& actual);

}  // namespace vorel::report::testing
