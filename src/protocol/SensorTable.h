#pragma once

#include <string>

namespace corvatt {

// What a sensor model allows, and what the DPI slider is given for it.
struct SensorCaps {
    int sensor_code = 0;
    int highest_dpi = 26000;  // used for clamping
    int dpi_step = 50;
    std::string step_text = "50";         // slider description texts
    std::string highest_text = "26000";
    int slider_highest_code = 520;
    bool sets_second_value = false;  // codes 149 and 150 set the slider's second value to 2
};

// The sensor capability row of a sensor code (the last row for unknown codes).
SensorCaps LookupSensor(int sensor_code);

// Stage code read from the device -> DPI.
int DecodeDpi(int sensor_code, int stage_code);
// DPI -> stage code (integer divisions truncating toward zero).
int EncodeDpi(int sensor_code, int dpi);
// Below the step: the step; above the highest DPI: the highest.
int ClampStageValue(const SensorCaps& sensor, int dpi);

// Information block byte 11 -> highest report-rate code: 0x10 -> 5, 0x20 -> 6, 0x40 -> 7, else 4.
int HighestRateCode(int capability_byte);

}  // namespace corvatt
