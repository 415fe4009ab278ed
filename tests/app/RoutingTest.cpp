#include "app/ControlRouting.h"

#include <gtest/gtest.h>

namespace corvatt {
namespace {

TEST(ControlRoutingTest, IdsGoToTheirPages) {
    struct Case {
        int id;
        int event;
        PageRoute route;
    };
    const Case cases[] = {
        // Routed whatever the event.
        {93, 0, PageRoute::kButtons},   {105, 7, PageRoute::kButtons},  {139, 1, PageRoute::kDpi},
        {116, 9, PageRoute::kDpi},      {156, 0, PageRoute::kMacros},   {187, 3, PageRoute::kMacros},
        {204, 0, PageRoute::kLighting}, {233, 5, PageRoute::kLighting},
        // Only on activation.
        {67, 2, PageRoute::kButtons},   {67, 1, PageRoute::kNone},      {108, 2, PageRoute::kButtons},
        {145, 2, PageRoute::kDpi},      {145, 0, PageRoute::kNone},     {169, 2, PageRoute::kMacros},
        {209, 2, PageRoute::kLighting}, {216, 2, PageRoute::kLighting}, {217, 2, PageRoute::kNone},
        {46, 2, PageRoute::kSettings},  {250, 2, PageRoute::kSettings}, {277, 2, PageRoute::kSettings},
        {287, 2, PageRoute::kSettings}, {248, 2, PageRoute::kFirmware}, {249, 2, PageRoute::kFirmware},
        // The window's own ids and unknown ids.
        {38, 2, PageRoute::kNone},      {149, 2, PageRoute::kNone},     {9999, 2, PageRoute::kNone},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RouteControl(c.id, c.event), c.route) << "id " << c.id << " event " << c.event;
    }
}

}  // namespace
}  // namespace corvatt
