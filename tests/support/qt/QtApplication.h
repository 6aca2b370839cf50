#pragma once

#include <gtest/gtest.h>

#include "support/RaisedError.h"

namespace ferrowick::testing {

// Creates the test program's one QApplication on first use (offscreen in the tests).
void ensureQtApplication();

// A test that builds widgets: the application exists before any member is constructed.
class QtTest : public ::testing::Test {
 protected:
  QtTest() { ensureQtApplication(); }
};

}  // namespace ferrowick::testing
