#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "protocol/ButtonTable.h"
#include "protocol/KeyUsage.h"
#include "protocol/MacroEncoder.h"
#include "protocol/Reports.h"
#include "protocol/SensorTable.h"

namespace corvatt {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Slice(const OutputReport& r, std::size_t from, std::size_t to_inclusive) {
    return Bytes(r.data() + from, r.data() + to_inclusive + 1);
}

// Every byte of the report outside [from, to] is 0 except bytes 1, 3 and 4.
void ExpectRestZero(const OutputReport& r, std::size_t from, std::size_t to) {
    for (std::size_t i = 5; i < r.size(); ++i) {
        if (i >= from && i <= to) continue;
        EXPECT_EQ(r[i], 0) << "byte " << i;
    }
}

struct DpiCase {
    int sensor;
    int code;
    int dpi;
};

TEST(SensorTable, DecodeDpiAtTheEdgesOfEveryRange) {
    const DpiCase cases[] = {
        {4, 1, 100},      {4, 39, 3900},    {4, 40, 4500},    {4, 47, 8000},    {5, 128, 6400},
        {5, 129, 6500},   {16, 48, 4800},   {18, 10, 1000},   {53, 160, 16000}, {17, 100, 5000},
        {17, 199, 9950},  {17, 200, 10000}, {17, 210, 11000}, {17, 220, 12000}, {17, 221, 13000},
        {17, 232, 24000}, {25, 159, 15900}, {25, 160, 16000}, {25, 174, 30000}, {37, 49, 4900},
        {37, 50, 5000},   {37, 60, 10000},  {38, 49, 4900},   {38, 50, 5500},   {38, 59, 10000},
        {150, 19, 950},   {150, 640, 32000}, {149, 19, 1000}, {0, 19, 1000},    {99, 0, 50},
    };
    for (const DpiCase& c : cases) {
        EXPECT_EQ(DecodeDpi(c.sensor, c.code), c.dpi) << "sensor " << c.sensor << " code " << c.code;
    }
}

TEST(SensorTable, EncodeDpiAtTheEdgesOfEveryRange) {
    const DpiCase cases[] = {
        {4, 1, 100},      {4, 40, 4000},    {4, 40, 4500},    {4, 47, 8000},     {5, 128, 6400},
        {5, 129, 6500},   {5, 184, 12000},  {16, 48, 4800},   {18, 1, 100},      {53, 160, 16000},
        {17, 16, 800},    {17, 128, 6400},  {17, 200, 10000}, {17, 200, 10001},  {17, 201, 10100},
        {17, 229, 12999}, {17, 221, 13000}, {17, 232, 24000}, {25, 160, 16000},  {25, 161, 17000},
        {25, 174, 30000}, {37, 50, 5000},   {37, 51, 5500},   {37, 60, 10000},   {38, 1, 200},
        {38, 49, 5000},   {38, 51, 5500},   {38, 60, 10000},  {150, 15, 800},    {149, 19, 1000},
        {0, 519, 26000},  {0, 0, 50},
    };
    for (const DpiCase& c : cases) {
        EXPECT_EQ(EncodeDpi(c.sensor, c.dpi), c.code) << "sensor " << c.sensor << " dpi " << c.dpi;
    }
}

TEST(SensorTable, RowsAndTheUnknownSensor) {
    const SensorCaps s150 = LookupSensor(150);
    EXPECT_EQ(s150.highest_dpi, 38000);
    EXPECT_EQ(s150.highest_text, "32000");
    EXPECT_EQ(s150.slider_highest_code, 640);
    EXPECT_TRUE(s150.sets_second_value);
    const SensorCaps s38 = LookupSensor(38);
    EXPECT_EQ(s38.dpi_step, 200);
    EXPECT_EQ(s38.step_text, "200");
    EXPECT_FALSE(s38.sets_second_value);
    const SensorCaps unknown = LookupSensor(7);
    EXPECT_EQ(unknown.sensor_code, 7);
    EXPECT_EQ(unknown.highest_dpi, 26000);
    EXPECT_EQ(unknown.dpi_step, 50);
    EXPECT_EQ(unknown.highest_text, "26000");
    EXPECT_EQ(unknown.slider_highest_code, 520);

    EXPECT_EQ(ClampStageValue(LookupSensor(53), 26000), 16000);
    EXPECT_EQ(ClampStageValue(LookupSensor(53), 0), 100);
    EXPECT_EQ(ClampStageValue(LookupSensor(53), 100), 100);

    EXPECT_EQ(HighestRateCode(0x10), 5);
    EXPECT_EQ(HighestRateCode(0x20), 6);
    EXPECT_EQ(HighestRateCode(0x40), 7);
    EXPECT_EQ(HighestRateCode(0x30), 4);
}

TEST(KeyUsage, VirtualKeysToUsages) {
    const std::pair<int, int> cases[] = {
        {0x41, 0x04}, {0x5A, 0x1D}, {0x31, 0x1E}, {0x39, 0x26}, {0x30, 0x27}, {0x0D, 0x28}, {0x1B, 0x29},
        {0x08, 0x2A}, {0x09, 0x2B}, {0x20, 0x2C}, {0xBD, 0x2D}, {0xBB, 0x2E}, {0xDB, 0x2F}, {0xDD, 0x30},
        {0xDC, 0x31}, {666, 0x32},  {0xBA, 0x33}, {0xDE, 0x34}, {0xC0, 0x35}, {0xBC, 0x36}, {0xBE, 0x37},
        {0xBF, 0x38}, {0x14, 0x39}, {0x70, 0x3A}, {0x7B, 0x45}, {0x2C, 0x46}, {0x91, 0x47}, {0x13, 0x48},
        {0x2D, 0x49}, {0x24, 0x4A}, {0x21, 0x4B}, {0x2E, 0x4C}, {0x23, 0x4D}, {0x22, 0x4E}, {0x27, 0x4F},
        {0x25, 0x50}, {0x28, 0x51}, {0x26, 0x52}, {0x90, 0x53}, {0x6F, 0x54}, {0x6A, 0x55}, {0x6D, 0x56},
        {0x6B, 0x57}, {0x6C, 0x58}, {0x61, 0x59}, {0x69, 0x61}, {0x60, 0x62}, {0x6E, 0x63}, {0xE2, 0x64},
        {0x5D, 0x65}, {0x7C, 0x68}, {0x87, 0x73}, {0x88, 0x88}, {0x8B, 0x8B}, {0xFE, 0xAF}, {0xA2, 0xE0},
        {0xA0, 0xE1}, {0xA4, 0xE2}, {0x5B, 0xE3}, {0xA3, 0xE4}, {0xA1, 0xE5}, {0xA5, 0xE6}, {0x5C, 0xE7},
        {301, 0xEC},  {302, 0xEB},  {0x8C, 0},    {0x40, 0},    {0x5E, 0},    {0, 0},       {0xFF, 0},
    };
    for (const auto& [vk, usage] : cases) EXPECT_EQ(VirtualKeyToUsage(vk), usage) << "vk " << vk;
}

TEST(KeyUsage, ModifierBits) {
    const std::pair<int, int> cases[] = {
        {0, 0},       {0xA2, 0x01}, {0xE0, 0x01}, {0xA0, 0x02}, {0xE1, 0x02}, {0xA4, 0x04}, {0xE2, 0x04},
        {0x5B, 0x08}, {0xE3, 0x08}, {0xA3, 0x10}, {0xE4, 0x10}, {0xA1, 0x20}, {0xE5, 0x20}, {0xA5, 0x40},
        {0xE6, 0x40}, {0x5C, 0x80}, {0xE7, 0x80}, {0x04, 0x04}, {0x5D, 0x5D}, {0xA6, 0xA6},
    };
    for (const auto& [code, bit] : cases) EXPECT_EQ(ModifierBit(code), bit) << "code " << code;
}

TEST(ButtonTable, DefaultTable) {
    const ButtonTable table = BuildButtonTable({}, {});
    const Bytes head = {0x10, 0x01, 0x00, 0x10, 0x02, 0x00, 0x10, 0x04, 0x00,
                        0x10, 0x08, 0x00, 0x10, 0x10, 0x00, 0x40, 0x01, 0x00};
    EXPECT_EQ(Bytes(table.begin(), table.begin() + 18), head);
    for (std::size_t i = 18; i < table.size(); ++i) EXPECT_EQ(table[i], 0) << i;

    const OutputReport report = BuildButtonTableReport(table);
    EXPECT_EQ(report.size(), 33u);
    EXPECT_EQ(Slice(report, 0, 4), (Bytes{0x00, 0x09, 0x00, 0x01, 12}));
    EXPECT_EQ(Slice(report, 5, 22), head);
    ExpectRestZero(report, 5, 22);
}

KeyAssignment Assign(int key_code, int type, int v, int w = 0) {
    KeyAssignment a;
    a.key_code = key_code;
    a.macro_type = type;
    a.macro_value = v;
    a.macro_value2 = w;
    return a;
}

MacroData Macro(int id, int play_type, int play_times) {
    MacroData m;
    m.macro_id = id;
    m.play_type = play_type;
    m.play_times = play_times;
    return m;
}

TEST(ButtonTable, EntriesByAssignment) {
    const std::vector<MacroData> macros = {Macro(7, 0, 3), Macro(8, 2, 1), Macro(9, 1, 1), Macro(10, 0, 0),
                                           Macro(11, 0, 300)};
    struct Case {
        const char* what;
        KeyAssignment assignment;
        Bytes entry;
    };
    const Case cases[] = {
        {"Ctrl+Alt+A", Assign(6, 2, 0x04, 5), {0x70, 0x05, 0x04}},
        {"lone left Shift", Assign(6, 2, 0xE1, 0), {0x70, 0x02, 0x00}},
        {"Ctrl with right Alt usage", Assign(6, 2, 0xE6, 1), {0x70, 0x01, 0x40}},
        {"Ctrl+keypad 3 keeps its usage", Assign(6, 2, 0x5B, 1), {0x70, 0x01, 0x5B}},
        {"macro, play times 3", Assign(3, 4, 7), {0x90, 0x23, 0x03}},
        {"macro, play type 2", Assign(3, 4, 8), {0x90, 0x43, 0x00}},
        {"macro, play type 1", Assign(3, 4, 9), {0x90, 0x13, 0x00}},
        {"macro, play type 0 without times", Assign(3, 4, 10), {0x90, 0x03, 0x00}},
        {"macro, play times low byte", Assign(3, 4, 11), {0x90, 0x23, 0x2C}},
        {"unknown macro keeps the default", Assign(3, 4, 99), {0x10, 0x08, 0x00}},
        {"mouse 1", Assign(7, 1, 1), {0x10, 0x01, 0x00}},
        {"mouse 2", Assign(7, 1, 2), {0x10, 0x04, 0x00}},
        {"mouse 4", Assign(7, 1, 4), {0x30, 0x32, 0x03}},
        {"mouse 8", Assign(7, 1, 8), {0x20, 0xFF, 0x00}},
        {"mouse 10", Assign(7, 1, 10), {0x10, 0x00, 0xF6}},
        {"mouse other", Assign(0, 1, 11), {0x10, 0x00, 0x00}},
        {"multimedia 1", Assign(7, 3, 1), {0x80, 0x83, 0x01}},
        {"multimedia 8", Assign(7, 3, 8), {0x80, 0xE2, 0x00}},
        {"multimedia other", Assign(7, 3, 9), {0x80, 0x00, 0x00}},
        {"DPI 1", Assign(7, 5, 1), {0x40, 0x02, 0x00}},
        {"DPI 3", Assign(7, 5, 3), {0x40, 0x01, 0x00}},
        {"special 1", Assign(5, 6, 1), {0x60, 0x04, 0x00}},
        {"special other keeps bytes 1 and 2", Assign(5, 6, 3), {0x60, 0x01, 0x00}},
        {"two values", Assign(7, 7, 0x105, 0x2A), {0x30, 0x05, 0x2A}},
        {"system 5", Assign(7, 8, 5), {0x80, 0x23, 0x02}},
        {"system Win+Tab", Assign(7, 8, 8), {0x70, 0x08, 0x2B}},
        {"system other", Assign(7, 8, 12), {0x80, 0x00, 0x00}},
        {"disabled", Assign(0, 9, 1), {0x60, 0x00, 0x00}},
        {"unknown type keeps the default", Assign(1, 10, 1), {0x10, 0x02, 0x00}},
    };
    for (const Case& c : cases) {
        const ButtonTable table = BuildButtonTable({c.assignment}, macros);
        const int at = 3 * c.assignment.key_code;
        EXPECT_EQ(Bytes(table.begin() + at, table.begin() + at + 3), c.entry) << c.what;
        // nothing else moved
        ButtonTable rest = table;
        const ButtonTable defaults = DefaultButtonTable();
        std::copy_n(defaults.begin() + at, 3, rest.begin() + at);
        EXPECT_EQ(rest, defaults) << c.what;
    }
}

TEST(ButtonTable, CodesWithoutAPlaceAreSkipped) {
    ButtonTable table = DefaultButtonTable();
    EXPECT_TRUE(ApplyAssignment(table, Assign(20, 9, 1), {}));
    EXPECT_EQ(Bytes(table.begin() + 60, table.begin() + 63), (Bytes{0x60, 0x00, 0x00}));
    for (int code : {21, 200, 100000, -1}) {
        ButtonTable before = table;
        EXPECT_FALSE(ApplyAssignment(table, Assign(code, 9, 1), {})) << code;
        EXPECT_EQ(table, before) << code;
    }
}

MacroRecord Record(int type, int value) {
    MacroRecord r;
    r.type = type;
    r.value = value;
    return r;
}

TEST(MacroEncoder, Encodings) {
    struct Case {
        const char* what;
        std::vector<MacroRecord> records;
        Bytes events;
    };
    const Case cases[] = {
        {"down A, 50 ms, up A", {Record(2, 0x41), Record(1, 50), Record(3, 0x41)},
         {0x30, 0x32, 0x00, 0x04, 0xB0, 0x01, 0x00, 0x04}},
        {"with a last delay", {Record(2, 0x41), Record(1, 50), Record(3, 0x41), Record(1, 20)},
         {0x30, 0x32, 0x00, 0x04, 0xB0, 0x14, 0x00, 0x04}},
        {"a last delay of 0 is stored", {Record(2, 0x41), Record(1, 0)}, {0x30, 0x00, 0x00, 0x04}},
        {"no delay between events gives 1", {Record(2, 0x41), Record(1, 0), Record(3, 0x41)},
         {0x30, 0x01, 0x00, 0x04, 0xB0, 0x01, 0x00, 0x04}},
        {"delays add up, a leading one joins the first pause",
         {Record(1, 30), Record(2, 0x41), Record(1, 10), Record(1, 10), Record(3, 0x41)},
         {0x30, 0x32, 0x00, 0x04, 0xB0, 0x01, 0x00, 0x04}},
        {"pauses keep their low 16 bits", {Record(2, 0x41), Record(1, 70000), Record(3, 0x41)},
         {0x30, 0x70, 0x11, 0x04, 0xB0, 0x01, 0x00, 0x04}},
        {"modifier path", {Record(2, 0xA0), Record(2, 0x5B), Record(2, 0x5D), Record(3, 0xA5)},
         {0x20, 0x01, 0x00, 0x02, 0x20, 0x01, 0x00, 0x08, 0x20, 0x01, 0x00, 0x5D, 0xA0, 0x01, 0x00, 0x40}},
        {"right Win takes the key path", {Record(2, 0x5C), Record(3, 0x5C)},
         {0x30, 0x01, 0x00, 0xE7, 0xB0, 0x01, 0x00, 0xE7}},
        {"mouse buttons", {Record(4, 1), Record(5, 16)}, {0x10, 0x01, 0x00, 0x01, 0x90, 0x01, 0x00, 0x10}},
        {"unknown types are left out", {Record(2, 0x41), Record(9, 3), Record(3, 0x41)},
         {0x30, 0x01, 0x00, 0x04, 0xB0, 0x01, 0x00, 0x04}},
        {"only delays", {Record(1, 10), Record(1, 20)}, {}},
    };
    for (const Case& c : cases) {
        Bytes events;
        const int n = EncodeMacroRecords(c.records, events);
        EXPECT_EQ(events, c.events) << c.what;
        EXPECT_EQ(n, static_cast<int>(c.events.size() / 4)) << c.what;
    }
}

Bytes Events(int n) {
    Bytes events;
    for (int i = 0; i < n; ++i) {
        events.insert(events.end(), {0x30, static_cast<std::uint8_t>(i), 0x00, 0x04});
    }
    return events;
}

TEST(MacroEncoder, DownloadReports) {
    // all delays: only the button code
    std::vector<OutputReport> reports = BuildMacroReports(BuildMacroData(3, {}));
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(Slice(reports[0], 0, 5), (Bytes{0x00, 0x08, 0x00, 0x01, 0x01, 0x03}));
    ExpectRestZero(reports[0], 5, 5);

    // six events fit in one report
    reports = BuildMacroReports(BuildMacroData(2, Events(6)));
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0][3], 0x01);
    EXPECT_EQ(reports[0][4], 25);

    // seven events: 27 bytes, then 2
    const Bytes seven = Events(7);
    reports = BuildMacroReports(BuildMacroData(4, seven));
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(Slice(reports[0], 0, 4), (Bytes{0x00, 0x08, 0x00, 0x02, 27}));
    EXPECT_EQ(reports[0][5], 4);
    EXPECT_EQ(Slice(reports[0], 6, 31), Bytes(seven.begin(), seven.begin() + 26));
    EXPECT_EQ(Slice(reports[1], 0, 4), (Bytes{0x00, 0x08, 0x00, 0x12, 2}));
    EXPECT_EQ(Slice(reports[1], 5, 6), Bytes(seven.begin() + 26, seven.end()));
    ExpectRestZero(reports[1], 5, 6);
    for (const OutputReport& r : reports) EXPECT_EQ(r.size(), 33u);
}

TEST(MacroEncoder, LongMacrosAreCutAtAnEventBoundary) {
    bool cut = true;
    Bytes data = BuildMacroData(1, Events(101), &cut);
    EXPECT_FALSE(cut);
    EXPECT_EQ(data.size(), 405u);
    std::vector<OutputReport> reports = BuildMacroReports(data);
    ASSERT_EQ(reports.size(), 15u);
    EXPECT_EQ(reports.back()[3], 14 * 16 + 15);
    EXPECT_EQ(reports.back()[4], 27);

    for (int n : {102, 255, 400}) {
        data = BuildMacroData(1, Events(n), &cut);
        EXPECT_TRUE(cut) << n;
        EXPECT_EQ(data.size(), 405u) << n;
        EXPECT_EQ(Bytes(data.begin() + 1, data.end()), Events(101)) << n;
        reports = BuildMacroReports(data);
        ASSERT_EQ(reports.size(), 15u) << n;
        for (std::size_t i = 0; i < reports.size(); ++i) {
            EXPECT_EQ(reports[i][3], i * 16 + 15) << n;
        }
    }
    // data that would need a 16th chunk is not split at all
    EXPECT_TRUE(BuildMacroReports(Bytes(406, 0x30)).empty());
}

TEST(Reports, DpiStagesWithTheDefaultsOnSensor17) {
    const OutputReport r = BuildDpiStageReport(LookupSensor(17), 1, 6, {800, 1600, 2400, 3200, 6400, 26000});
    EXPECT_EQ(r.size(), 33u);
    EXPECT_EQ(Slice(r, 0, 5), (Bytes{0x00, 0x03, 0x00, 0x01, 0x25, 0x16}));
    EXPECT_EQ(Slice(r, 6, 29), (Bytes{16, 0, 16, 0, 32, 0, 32, 0, 48, 0, 48, 0, 64, 0, 64, 0, 128, 0, 128, 0,
                                      232, 0, 232, 0}));
    ExpectRestZero(r, 5, 29);
}

TEST(Reports, DpiStageClampingAndHighCodes) {
    // 26000 on a 16000 sensor, and a value below the step
    OutputReport r = BuildDpiStageReport(LookupSensor(53), 0, 2, {26000, 0, 100, 100, 100, 100});
    EXPECT_EQ(r[5], 0x02);
    EXPECT_EQ(Slice(r, 6, 13), (Bytes{160, 0, 160, 0, 1, 0, 1, 0}));
    // sensor 38 at 5000 and 5500
    r = BuildDpiStageReport(LookupSensor(38), 5, 6, {5000, 5500, 200, 200, 200, 200});
    EXPECT_EQ(r[5], 0x56);
    EXPECT_EQ(Slice(r, 6, 13), (Bytes{49, 0, 49, 0, 51, 0, 51, 0}));
    // codes above 255 carry their high byte; index and count are cut to 8 bits
    r = BuildDpiStageReport(LookupSensor(150), 0x12, 0x03, {38000, 32000, 100, 100, 100, 100});
    EXPECT_EQ(r[5], 0x23);
    EXPECT_EQ(Slice(r, 6, 13), (Bytes{0xF7, 0x02, 0xF7, 0x02, 0x7F, 0x02, 0x7F, 0x02}));
}

TEST(Reports, SettingsFrames) {
    OutputReport r = BuildDpiColourReport({255, 16711680, 65280, 65535, 16711935, 16776960});
    EXPECT_EQ(r.size(), 65u);
    EXPECT_EQ(Slice(r, 0, 4), (Bytes{0x00, 0x04, 0x00, 0x01, 18}));
    EXPECT_EQ(Slice(r, 5, 22), (Bytes{0xFF, 0, 0, 0, 0, 0xFF, 0, 0xFF, 0, 0xFF, 0xFF, 0, 0xFF, 0, 0xFF, 0, 0xFF,
                                      0xFF}));
    ExpectRestZero(r, 5, 22);

    r = BuildReportRateReport(64);
    EXPECT_EQ(r.size(), 65u);
    EXPECT_EQ(Slice(r, 0, 5), (Bytes{0x00, 0x02, 0x00, 0x01, 1, 0x40}));
    ExpectRestZero(r, 5, 5);

    r = BuildSensorOptionsReport(2, 53);
    EXPECT_EQ(r.size(), 65u);
    EXPECT_EQ(Slice(r, 0, 9), (Bytes{0x00, 0x06, 0x00, 0x01, 5, 2, 0, 1, 0, 0}));
    ExpectRestZero(r, 5, 7);
    r = BuildSensorOptionsReport(1, 12);
    EXPECT_EQ(Slice(r, 5, 7), (Bytes{1, 1, 1}));
    r = BuildSensorOptionsReport(300, 8);
    EXPECT_EQ(Slice(r, 5, 7), (Bytes{44, 1, 0}));

    r = BuildPowerOptionsReport(3, 1, 0, 8);
    EXPECT_EQ(r.size(), 65u);
    EXPECT_EQ(Slice(r, 0, 8), (Bytes{0x00, 0x07, 0x00, 0x01, 4, 3, 1, 0, 8}));
    ExpectRestZero(r, 5, 8);

    r = BuildFactoryResetReport();
    EXPECT_EQ(r.size(), 33u);
    EXPECT_EQ(Slice(r, 0, 5), (Bytes{0x00, 0x0F, 0x00, 0x01, 1, 0xFF}));
    ExpectRestZero(r, 5, 5);

    r = BuildLightingResetReport();
    EXPECT_EQ(r.size(), 33u);
    EXPECT_EQ(Slice(r, 0, 5), (Bytes{0x00, 0x0E, 0x00, 0x01, 0x01, 0x01}));
    ExpectRestZero(r, 5, 5);

    r = BuildReadRequest(0x13);
    EXPECT_EQ(r.size(), 33u);
    EXPECT_EQ(Slice(r, 0, 4), (Bytes{0x00, 0x13, 0x00, 0x00, 0x00}));
    ExpectRestZero(r, 99, 99);
}

LightRecord Light(int mode, int brightness, int speed) {
    LightRecord light;
    light.mode = mode;
    light.brightness = brightness;
    light.speed = speed;
    const int colours[7] = {255, 65280, 16711680, 16776960, 65535, 16711935, 16777215};
    for (int c = 0; c < 7; ++c) light.SetColorValue(c, colours[c]);
    return light;
}

TEST(Reports, LightingRows) {
    OutputReport r = BuildLightingReport(Light(2, 4, 2));
    EXPECT_EQ(r.size(), 65u);
    EXPECT_EQ(Slice(r, 0, 3), (Bytes{0x00, 0x05, 0x00, 0x01}));
    EXPECT_EQ(Slice(r, 4, 28), (Bytes{0x18, 0x02, 0x42, 0x07, 0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0xFF,
                                      0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0xFF, 0xFF, 0xFF}));
    ExpectRestZero(r, 5, 28);

    LightRecord steady = Light(3, 4, 2);
    steady.color_value1 = 33023;
    r = BuildLightingReport(steady);
    EXPECT_EQ(Slice(r, 4, 9), (Bytes{0x05, 0x03, 0x42, 0xFF, 0x80, 0x00}));
    ExpectRestZero(r, 5, 9);

    struct Case {
        int mode;
        int brightness;
        int speed;
        Bytes bytes4_6;
    };
    const Case cases[] = {
        {0, 4, 2, {2, 0, 0x42}}, {4, 1, 3, {2, 4, 0x13}}, {5, 15, 15, {2, 5, 0xFF}},
        {1, 4, 2, {3, 1, 0x42}}, {5, 17, 2, {2, 5, 0x12}}, {6, 4, 2, {0, 0, 0}}, {-1, 4, 2, {0, 0, 0}},
    };
    for (const Case& c : cases) {
        r = BuildLightingReport(Light(c.mode, c.brightness, c.speed));
        EXPECT_EQ(Slice(r, 4, 6), c.bytes4_6) << "mode " << c.mode;
        ExpectRestZero(r, 5, 6);
        EXPECT_EQ(r[3], 0x01);
    }
}

}  // namespace
}  // namespace corvatt
