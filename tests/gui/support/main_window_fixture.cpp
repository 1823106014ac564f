#include "main_window_fixture.h"

#include "dialog_driver.h"
#include "main_window.h"
#include "resource.h"
#include "world.h"

HWND MainWindowTest::shared = nullptr;
RECT MainWindowTest::firstPlace = {};

void MainWindowTest::SetUp() {
  MSG message;
  while (PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
  if (!IsWindow(shared)) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    LoadStringA(instance, IDS_APP_TITLE, appTitle, sizeof appTitle);
    LoadStringA(instance, IDC_VELMORIA, appClassName, sizeof appClassName);
    registerMainClass(instance);
    ASSERT_TRUE(createMainWindow(instance, SW_SHOWNORMAL));
    shared = FindWindowA(appClassName, nullptr);
    ASSERT_NE(shared, nullptr);
    GetWindowRect(shared, &firstPlace);
  } else {
    // What WM_CREATE sets up, and the window's first place and size.
    GameMode = Title;
    dayCount = 0;
    SetTimer(shared, kMainTimerId, kMainTimerMs, nullptr);
    MoveWindow(shared, firstPlace.left, firstPlace.top, firstPlace.right - firstPlace.left,
               firstPlace.bottom - firstPlace.top, TRUE);
  }
  window = shared;
}

void MainWindowTest::TearDown() {
  EXPECT_FALSE(dialogtest::abandonScripts()) << "a dialog script did not finish";
  MSG message;
  while (PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}

void MainWindowTest::setPopulations(int large, int small, int herbivores, int plants) {
  const int populations[kSpeciesCount] = {large, small, herbivores, plants};
  for (int k = 0; k < kSpeciesCount; ++k) {
    world.disturbance[k] = 0;
    world.species[k].population = populations[k];
    world.species[k].startLife = 5000;
    world.species[k].birthChance = 0;
  }
  seedWorld();
}
