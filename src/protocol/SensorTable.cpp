#include "protocol/SensorTable.h"

namespace corvatt {

SensorCaps LookupSensor(int sensor_code) {
    struct Row {
        int code;
        int highest;
        int step;
        const char* step_text;
        const char* highest_text;
        int slider_code;
        bool second;
    };
    static constexpr Row kRows[] = {
        {4, 8000, 100, "100", "8000", 47, false},      {5, 12000, 50, "50", "12000", 183, false},
        {16, 4800, 100, "100", "4800", 48, false},     {17, 24000, 50, "50", "24000", 232, false},
        {18, 4800, 100, "100", "4800", 48, false},     {25, 30000, 100, "100", "30000", 174, false},
        {37, 10000, 100, "100", "10000", 60, false},   {38, 10000, 200, "200", "10000", 59, false},
        {53, 16000, 100, "100", "16000", 160, false},  {149, 26000, 100, "100", "26000", 520, true},
        {150, 38000, 100, "100", "32000", 640, true},
    };
    SensorCaps caps;
    caps.sensor_code = sensor_code;
    for (const Row& row : kRows) {
        if (row.code != sensor_code) continue;
        caps.highest_dpi = row.highest;
        caps.dpi_step = row.step;
        caps.step_text = row.step_text;
        caps.highest_text = row.highest_text;
        caps.slider_highest_code = row.slider_code;
        caps.sets_second_value = row.second;
        break;
    }
    return caps;
}

int DecodeDpi(int sensor_code, int code) {
    switch (sensor_code) {
    case 4: return code <= 39 ? code * 100 : (code - 31) * 500;
    case 5: return code <= 128 ? code * 50 : (code - 64) * 100;
    case 16:
    case 18:
    case 53: return code * 100;
    case 17:
        if (code <= 199) return code * 50;
        if (code <= 220) return (code - 100) * 100;
        return (code - 208) * 1000;
    case 25: return code <= 159 ? code * 100 : (code - 144) * 1000;
    case 37: return code <= 49 ? code * 100 : (code - 40) * 500;
    case 38: return code <= 49 ? code * 100 : (code - 39) * 500;
    case 150: return code * 50;
    default: return code * 50 + 50;
    }
}

int EncodeDpi(int sensor_code, int dpi) {
    switch (sensor_code) {
    case 4: return dpi <= 4000 ? dpi / 100 : (dpi - 4000) / 500 + 39;
    case 5: return dpi <= 6400 ? dpi / 50 : (dpi - 6400) / 100 + 128;
    case 16:
    case 18:
    case 53: return dpi / 100;
    case 17:
        if (dpi <= 10000) return dpi / 50;
        if (dpi <= 12999) return (dpi - 10000) / 100 + 200;
        return (dpi - 13000) / 1000 + 221;
    case 25: return dpi <= 16000 ? dpi / 100 : (dpi - 16000) / 1000 + 160;
    case 37: return dpi <= 5000 ? dpi / 100 : (dpi - 5000) / 500 + 50;
    case 38: return dpi <= 5000 ? dpi / 100 - 1 : (dpi - 5000) / 500 + 50;
    default: return dpi / 50 - 1;
    }
}

int ClampStageValue(const SensorCaps& sensor, int dpi) {
    if (dpi < sensor.dpi_step) return sensor.dpi_step;
    if (dpi > sensor.highest_dpi) return sensor.highest_dpi;
    return dpi;
}

int HighestRateCode(int capability_byte) {
    switch (capability_byte) {
    case 0x10: return 5;
    case 0x20: return 6;
    case 0x40: return 7;
    default: return 4;
    }
}

}  // namespace corvatt
