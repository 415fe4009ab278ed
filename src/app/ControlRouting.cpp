#include "app/ControlRouting.h"

#include <algorithm>
#include <initializer_list>

namespace corvatt {
namespace {

bool In(int id, std::initializer_list<int> ids) { return std::find(ids.begin(), ids.end(), id) != ids.end(); }

}  // namespace

PageRoute RouteControl(int id, int event) {
    // Routed whatever the event.
    if (In(id, {93, 102, 105})) return PageRoute::kButtons;
    if (In(id, {116, 117, 139})) return PageRoute::kDpi;
    if (In(id, {156, 166, 178, 184, 187})) return PageRoute::kMacros;
    if (In(id, {204, 207, 226, 231, 232, 233})) return PageRoute::kLighting;

    if (event != 2) return PageRoute::kNone;
    if (In(id, {67, 68, 71, 73, 75, 77, 79, 81, 83, 85, 87, 89, 91, 98, 106, 107, 108})) return PageRoute::kButtons;
    if (In(id, {115, 118, 120, 124, 125, 129, 130, 134, 135, 136, 143, 144, 145})) return PageRoute::kDpi;
    if (In(id, {157, 158, 167, 168, 169, 172, 174, 175, 176, 181, 182, 183, 186, 188, 190, 191})) {
        return PageRoute::kMacros;
    }
    if (In(id, {197, 201}) || (id >= 209 && id <= 216)) return PageRoute::kLighting;
    if (In(id, {46, 250, 277, 273, 276, 279, 281, 282, 286, 287})) return PageRoute::kSettings;
    if (In(id, {248, 249})) return PageRoute::kFirmware;
    return PageRoute::kNone;
}

}  // namespace corvatt
