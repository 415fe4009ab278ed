#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "device/OutputReport.h"
#include "protocol/ButtonTable.h"
#include "protocol/SensorTable.h"
#include "store/StoreRecords.h"

namespace corvatt {

// Command codes.
namespace command {
inline constexpr std::uint8_t kReportRate = 0x02;
inline constexpr std::uint8_t kDpiStages = 0x03;
inline constexpr std::uint8_t kDpiColours = 0x04;
inline constexpr std::uint8_t kLighting = 0x05;
inline constexpr std::uint8_t kSensorOptions = 0x06;
inline constexpr std::uint8_t kPowerOptions = 0x07;
inline constexpr std::uint8_t kMacroDownload = 0x08;
inline constexpr std::uint8_t kButtonTable = 0x09;
inline constexpr std::uint8_t kLightingReset = 0x0E;
inline constexpr std::uint8_t kFactoryReset = 0x0F;
inline constexpr std::uint8_t kInformation = 0x10;
inline constexpr std::uint8_t kReadHello = 0x11;
inline constexpr std::uint8_t kReadReportRate = 0x12;
inline constexpr std::uint8_t kReadDpiStages = 0x13;
inline constexpr std::uint8_t kReadDpiColours = 0x14;
inline constexpr std::uint8_t kReadLighting = 0x15;
inline constexpr std::uint8_t kReadSensorOptions = 0x16;
inline constexpr std::uint8_t kReadPowerOptions = 0x17;
inline constexpr std::uint8_t kReadReceiverVersion = 0x20;
}  // namespace command

inline constexpr int kDpiStageCount = 6;

// Byte offsets of the six stage codes in the 0x13 reply.
inline constexpr std::array<int, kDpiStageCount> kDpiReadOffsets = {7, 9, 13, 17, 21, 25};

// A settings write: bytes 0-4 = 0, command, 0, 1, length.
OutputReport SettingsFrame(std::uint8_t command, std::uint8_t length, std::size_t size);
// A read request: byte 1 = command, everything else 0 (33 bytes).
OutputReport BuildReadRequest(std::uint8_t command);

// 0x03: byte 5 = index << 4 | count; each stage's clamped code twice, little-endian.
OutputReport BuildDpiStageReport(const SensorCaps& sensor, int dpi_index, int dpi_count,
                                 const std::array<int, kDpiStageCount>& stage_values);
// 0x04: red, green, blue of each stage colour (0x00BBGGRR).
OutputReport BuildDpiColourReport(const std::array<int, kDpiStageCount>& colours);
// 0x02.
OutputReport BuildReportRateReport(int report_rate);
// 0x06: lift-off, then 1/0 for sensor_flag bits 8 and 4.
OutputReport BuildSensorOptionsReport(int liftoff_height, int sensor_flag);
// 0x07.
OutputReport BuildPowerOptionsReport(int sleep_light, int move_wakeup, int move_closelight, int button_respondtime);
// 0x0F with 0xFF.
OutputReport BuildFactoryResetReport();
// 0x09: table bytes 0-26 from byte 5.
OutputReport BuildButtonTableReport(const ButtonTable& table);
// 0x08 downloads of the macro data (button code + events): one report when it
// fits in 27 bytes, else 27-byte chunks with byte 3 = chunk × 16 + chunks. Data
// longer than 15 chunks is not accepted (empty result): cut it first (BuildMacroData).
std::vector<OutputReport> BuildMacroReports(const std::vector<std::uint8_t>& data);
// 0x05 from a mode's lighting record (65 bytes).
OutputReport BuildLightingReport(const LightRecord& light);
// 0x0E with bytes 4 and 5 = 1.
OutputReport BuildLightingResetReport();

// Colour parts of 0x00BBGGRR.
inline std::uint8_t Red(int colour) { return static_cast<std::uint8_t>(colour & 0xFF); }
inline std::uint8_t Green(int colour) { return static_cast<std::uint8_t>((colour >> 8) & 0xFF); }
inline std::uint8_t Blue(int colour) { return static_cast<std::uint8_t>((colour >> 16) & 0xFF); }
inline int Rgb(int red, int green, int blue) { return red + green * 256 + blue * 65536; }

}  // namespace corvatt
