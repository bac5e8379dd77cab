#include <gtest/gtest.h>

#include "GUI/Windows.h"
#include "GUI/main/GUIForm.h"
#include "model/SharedSubsAndVar.h"
#include "platform/ScriptedServices.h"

namespace velmora {
namespace {

TEST(StartUp, MainWindowLoads) {
    SharedSubsAndVar state;
    ScriptedServices services;
    Windows windows(state, services);
    windows.MainForm().Show();
    EXPECT_TRUE(windows.MainForm().Loaded());
    windows.MainForm().Unload();
    EXPECT_FALSE(windows.MainForm().Loaded());
}

}  // namespace
}  // namespace velmora
