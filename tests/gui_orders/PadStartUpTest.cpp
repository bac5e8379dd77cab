#include <gtest/gtest.h>

#include "GUI/Windows.h"
#include "GUI/orders/frmFlightPad.h"
#include "model/SharedSubsAndVar.h"
#include "platform/ScriptedServices.h"

namespace velmora {
namespace {

TEST(PadStartUp, PadLoads) {
    SharedSubsAndVar state;
    ScriptedServices services;
    Windows windows(state, services);
    windows.FlightPad().Show();
    EXPECT_TRUE(windows.FlightPad().Loaded());
    windows.FlightPad().Unload();
    EXPECT_FALSE(windows.FlightPad().Loaded());
}

}  // namespace
}  // namespace velmora
