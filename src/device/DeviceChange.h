#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace corvatt {

inline constexpr int kDeviceArrival = 0x8000;
inline constexpr int kDeviceRemoveComplete = 0x8004;
inline constexpr int kBroadcastDeviceInterface = 5;

// Vendor and product id of one catalogue mode record, in catalogue order.
struct ModeIds {
    int vendor_id = 0;
    int product_id = 0;
};

// "VID_1A2B&PID_0C3D": four upper-case hex digits each.
std::string ArrivalPattern(int vendor_id, int product_id);
// ArrivalPattern followed by "&MI_02".
std::string RemovalPattern(int vendor_id, int product_id);

// What a device-change notification asks the worker to do: the task code to queue
// (2 = rescan after an arrival, 3 = refresh after a removal) or 0 for nothing.
//
// Only arrival (0x8000) and removal complete (0x8004) of broadcast type 5 count.
// The path is compared in upper case. Arrival: at the first mode record whose
// arrival pattern occurs in the path, 2 if is_accepted(path) says so, else 0.
// Removal (only while a device is present): 3 at the first mode record whose
// removal pattern occurs in the path. is_accepted is called at most once, and only
// for an arrival that matched a record.
int DecideDeviceChange(int event, int broadcast_type, std::string_view path,
                       const std::vector<ModeIds>& modes, bool device_present,
                       const std::function<bool(const std::string& path)>& is_accepted);

}  // namespace corvatt
