#pragma once

#include <gtest/gtest.h>

#include <functional>

namespace ferrowick::testing {

// Creates the test program's one QApplication on first use (offscreen in the tests).
void ensureQtApplication();

// A test that builds widgets: the application exists before any member is constructed.
class QtTest : public ::testing::Test {
 protected:
  QtTest() { ensureQtApplication(); }
};

// The number of the run-time error `action` raises; 0 when it raises none.
int raisedError(const std::function<void()>& action);

}  // namespace ferrowick::testing
