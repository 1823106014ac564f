// Tests over the real main window, made as WinMain makes it and in Title mode, that check at
// the end that every dialog script they queued has run.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include "dialog_script.h"

namespace dialogtest {

class GameWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window = openGameWindow();
    ASSERT_NE(window, nullptr);
  }
  void TearDown() override {
    EXPECT_FALSE(abandonScripts()) << "a dialog script did not finish";
    closeGameWindow(window);
  }

  HWND window = nullptr;
};

}  // namespace dialogtest
