// A test that runs against the program's real main window, created the way WinMain creates
// it, in Title mode. Destroying a window costs Wine seconds on a display without a window
// manager, so the tests share one window and each starts from the state its creation sets
// up; a test that destroys it gets a new one for the next (with the quit message taken off
// the queue). At the end every dialog script the test queued must have run.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Makes the world's populations these values, every individual alive.
  static void setPopulations(int large, int small, int herbivores, int plants);

  HWND window = nullptr;

 private:
  static HWND shared;
  static RECT firstPlace;
};
