#pragma once

namespace corvatt {

// Codes of the operations queued to the worker thread.
enum class DeviceTask : int {
    kFullRescan = 1,             // RescanDevices, then the refresh sequence without pause
    kRescanAfterArrival = 2,     // RescanDevices, then the refresh sequence after 1 ms
    kRefreshAfterRemoval = 3,    // refresh sequence after 500 ms
    kReReadDevice = 4,           // re-read sequence
    kSendAllSettings = 5,
    kSendButtons = 6,
    kUnused7 = 7,
    kSendLighting = 8,
    kSendDpiStages = 9,
    kSendDpiColours = 10,
    kSendReportRate = 11,
    kSendLiftOff = 12,
    kSendSleepOptions = 13,
    kNothing14 = 14,
    kNothing15 = 15,
    kNothing16 = 16,
    kLightingReset = 17,         // command 0x0E, 100 ms, read the lighting back
    kResendDpiStages = 18,
    kNothing19 = 19,
    kFactoryReset = 20,
    kNothing21 = 21,
    kUnused22 = 22,
    kSoftwareVersionCheck = 23,
    kFirmwareVersionCheck = 24,
    kNothing25 = 25,
    kSoftwareDownload = 26,
    kFirmwareUpgrade = 27,
};

inline constexpr int kFirstDeviceTask = 1;
inline constexpr int kLastDeviceTask = 27;

constexpr int ToCode(DeviceTask task) { return static_cast<int>(task); }

// Codes that are taken from the queue and dropped: 14, 15, 16, 19, 21, 25.
constexpr bool IsNoOpTask(int code) {
    return code == 14 || code == 15 || code == 16 || code == 19 || code == 21 || code == 25;
}

}  // namespace corvatt
