#include "protocol/Reports.h"

#include <algorithm>

#include "protocol/MacroEncoder.h"

namespace corvatt {
namespace {

std::uint8_t Low(int value) { return static_cast<std::uint8_t>(value & 0xFF); }

}  // namespace

OutputReport SettingsFrame(std::uint8_t command, std::uint8_t length, std::size_t size) {
    OutputReport report(command, size);
    report[3] = 0x01;
    report[4] = length;
    return report;
}

OutputReport BuildReadRequest(std::uint8_t command) { return OutputReport(command, OutputReport::kShortSize); }

OutputReport BuildDpiStageReport(const SensorCaps& sensor, int dpi_index, int dpi_count,
                                 const std::array<int, kDpiStageCount>& stage_values) {
    OutputReport report = SettingsFrame(command::kDpiStages, 37, OutputReport::kShortSize);
    report[5] = Low((dpi_index << 4) | dpi_count);
    for (int n = 0; n < kDpiStageCount; ++n) {
        const int code = EncodeDpi(sensor.sensor_code, ClampStageValue(sensor, stage_values[n]));
        const std::uint8_t lo = Low(code);
        const std::uint8_t hi = Low(code >> 8);
        report[6 + 4 * n] = lo;
        report[7 + 4 * n] = hi;
        report[8 + 4 * n] = lo;
        report[9 + 4 * n] = hi;
    }
    return report;
}

OutputReport BuildDpiColourReport(const std::array<int, kDpiStageCount>& colours) {
    OutputReport report = SettingsFrame(command::kDpiColours, 18, OutputReport::kLongSize);
    for (int n = 0; n < kDpiStageCount; ++n) {
        report[5 + 3 * n] = Red(colours[n]);
        report[6 + 3 * n] = Green(colours[n]);
        report[7 + 3 * n] = Blue(colours[n]);
    }
    return report;
}

OutputReport BuildReportRateReport(int report_rate) {
    OutputReport report = SettingsFrame(command::kReportRate, 1, OutputReport::kLongSize);
    report[5] = Low(report_rate);
    return report;
}

OutputReport BuildSensorOptionsReport(int liftoff_height, int sensor_flag) {
    OutputReport report = SettingsFrame(command::kSensorOptions, 5, OutputReport::kLongSize);
    report[5] = Low(liftoff_height);
    report[6] = (sensor_flag & 8) != 0 ? 1 : 0;
    report[7] = (sensor_flag & 4) != 0 ? 1 : 0;
    return report;
}

OutputReport BuildPowerOptionsReport(int sleep_light, int move_wakeup, int move_closelight, int button_respondtime) {
    OutputReport report = SettingsFrame(command::kPowerOptions, 4, OutputReport::kLongSize);
    report[5] = Low(sleep_light);
    report[6] = Low(move_wakeup);
    report[7] = Low(move_closelight);
    report[8] = Low(button_respondtime);
    return report;
}

OutputReport BuildFactoryResetReport() {
    OutputReport report = SettingsFrame(command::kFactoryReset, 1, OutputReport::kShortSize);
    report[5] = 0xFF;
    return report;
}

OutputReport BuildButtonTableReport(const ButtonTable& table) {
    OutputReport report = SettingsFrame(command::kButtonTable, 12, OutputReport::kShortSize);
    std::copy_n(table.begin(), OutputReport::kChecksumIndex - OutputReport::kPayloadBegin,
                report.data() + OutputReport::kPayloadBegin);
    return report;
}

std::vector<OutputReport> BuildMacroReports(const std::vector<std::uint8_t>& data) {
    std::vector<OutputReport> reports;
    const std::size_t length = data.size();
    const std::size_t chunks = std::max<std::size_t>(1, (length + kMacroChunkBytes - 1) / kMacroChunkBytes);
    if (chunks > static_cast<std::size_t>(kMaxMacroChunks)) return reports;
    for (std::size_t i = 0; i < chunks; ++i) {
        const std::size_t begin = i * kMacroChunkBytes;
        const std::size_t n = std::min<std::size_t>(kMacroChunkBytes, length - std::min(length, begin));
        OutputReport report(command::kMacroDownload, OutputReport::kShortSize);
        report[3] = static_cast<std::uint8_t>(i * 16 + chunks);
        report[4] = static_cast<std::uint8_t>(n);
        std::copy_n(data.begin() + static_cast<std::ptrdiff_t>(begin), n, report.data() + OutputReport::kPayloadBegin);
        reports.push_back(report);
    }
    return reports;
}

OutputReport BuildLightingReport(const LightRecord& light) {
    OutputReport report(command::kLighting, OutputReport::kLongSize);
    report[3] = 0x01;
    const std::uint8_t brightness_speed = Low(light.brightness * 16 + light.speed);
    switch (light.mode) {
    case 0:
    case 4:
    case 5:
        report[4] = 2;
        report[5] = Low(light.mode);
        report[6] = brightness_speed;
        break;
    case 1:
        report[4] = 3;
        report[5] = 1;
        report[6] = brightness_speed;
        report[7] = 0;
        break;
    case 2:
        report[4] = 24;
        report[5] = 2;
        report[6] = brightness_speed;
        report[7] = 7;
        for (int c = 0; c < 7; ++c) {
            const int colour = light.ColorValue(c);
            report[8 + 3 * c] = Red(colour);
            report[9 + 3 * c] = Green(colour);
            report[10 + 3 * c] = Blue(colour);
        }
        break;
    case 3:
        report[4] = 5;
        report[5] = 3;
        report[6] = brightness_speed;
        report[7] = Red(light.color_value1);
        report[8] = Green(light.color_value1);
        report[9] = Blue(light.color_value1);
        break;
    default: break;
    }
    return report;
}

OutputReport BuildLightingResetReport() {
    OutputReport report(command::kLightingReset, OutputReport::kShortSize);
    report[3] = 0x01;
    report[4] = 0x01;
    report[5] = 0x01;
    return report;
}

}  // namespace corvatt
