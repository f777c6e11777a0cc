// A test suite that binds the program's SDK table to the full stand-in for all its tests.
#pragma once

#include <gtest/gtest.h>

#include "sdk/sketchup_api.h"
#include "tests/windows/win_test_util.h"

class BoundSdkTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_TRUE(SketchUpAPI::instance().load(wintest::standin_folder("full").c_str()));
  }
  static void TearDownTestSuite() { SketchUpAPI::instance().unload(); }
};
