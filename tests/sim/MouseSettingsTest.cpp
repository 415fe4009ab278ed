#include <gtest/gtest.h>

#include <vector>

#include "device/OutputReport.h"
#include "sim/VirtualModel.h"
#include "sim/VirtualMouse.h"

namespace corvatt {
namespace {

using Bytes = std::vector<std::uint8_t>;

class MouseSettings : public ::testing::Test {
protected:
    // Sends a frame (report ID first) as the device receives it.
    std::optional<VirtualMouse::Report> Send(OutputReport report) {
        OutputReport::StoreChecksum(report.data());
        return mouse.HandleRequest(report.data() + 1, report.size() - 1);
    }
    OutputReport Write(std::uint8_t command, std::uint8_t length, const Bytes& payload) {
        OutputReport r(command, OutputReport::kLongSize);
        r[3] = 0x01;
        r[4] = length;
        for (std::size_t i = 0; i < payload.size(); ++i) r[5 + i] = payload[i];
        return r;
    }
    OutputReport Chunk(int index, int count, const Bytes& slice) {
        OutputReport r(0x08);
        r[3] = static_cast<std::uint8_t>(index * 16 + count);
        r[4] = static_cast<std::uint8_t>(slice.size());
        for (std::size_t i = 0; i < slice.size(); ++i) r[5 + i] = slice[i];
        return r;
    }

    VirtualMouse mouse{*FindVirtualModel("v1-wired")};
};

TEST_F(MouseSettings, ReadsAnswerWithTheFactoryState) {
    auto reply = Send(OutputReport(0x13));
    ASSERT_TRUE(reply);
    EXPECT_EQ((*reply)[0], 0x13);
    EXPECT_EQ((*reply)[1], 0x00);
    EXPECT_EQ((*reply)[4], 0x14);
    const int offsets[6] = {7, 9, 13, 17, 21, 25};
    const int codes[6] = {8, 16, 32, 64, 100, 200};
    for (int n = 0; n < 6; ++n) EXPECT_EQ((*reply)[offsets[n]] | ((*reply)[offsets[n] + 1] << 8), codes[n]) << n;

    reply = Send(OutputReport(0x14));
    EXPECT_EQ(Bytes(reply->begin() + 4, reply->begin() + 10), (Bytes{0xFF, 0, 0, 0, 0xFF, 0}));
    reply = Send(OutputReport(0x12));
    EXPECT_EQ((*reply)[4], 2);
    reply = Send(OutputReport(0x15));
    EXPECT_EQ(Bytes(reply->begin() + 4, reply->begin() + 6), (Bytes{5, 0x33}));
    reply = Send(OutputReport(0x16));
    EXPECT_EQ(Bytes(reply->begin() + 4, reply->begin() + 7), (Bytes{2, 1, 0}));
    reply = Send(OutputReport(0x17));
    EXPECT_EQ(Bytes(reply->begin() + 4, reply->begin() + 8), (Bytes{60, 1, 0, 4}));
}

TEST_F(MouseSettings, WritesAreKeptAndReadBack) {
    ASSERT_TRUE(Send(Write(0x03, 37, {0x25, 20, 0, 20, 0, 0x7F, 0x02, 0x7F, 0x02})));
    ASSERT_TRUE(Send(Write(0x02, 1, {0x40})));
    ASSERT_TRUE(Send(Write(0x06, 5, {3, 0, 1})));
    ASSERT_TRUE(Send(Write(0x07, 4, {5, 0, 1, 12})));
    ASSERT_TRUE(Send(Write(0x05, 5, {3, 0x42, 0xFF, 0x80, 0x00})));
    const VirtualSettings& s = mouse.State().settings;
    EXPECT_EQ(s.dpi_index, 2);
    EXPECT_EQ(s.dpi_count, 5);
    EXPECT_EQ(s.dpi_codes[0], 20);
    EXPECT_EQ(s.dpi_codes[1], 0x27F);
    EXPECT_EQ(s.report_rate, 0x40);
    EXPECT_EQ(s.light_mode, 3);
    EXPECT_EQ(s.light_brightness, 4);
    EXPECT_EQ(s.light_speed, 2);
    EXPECT_EQ(s.light_colours[0], (std::array<std::uint8_t, 3>{0xFF, 0x80, 0x00}));

    auto reply = Send(OutputReport(0x13));
    EXPECT_EQ((*reply)[4], 0x25);
    EXPECT_EQ((*reply)[9] | ((*reply)[10] << 8), 0x27F);
    reply = Send(OutputReport(0x16));
    EXPECT_EQ(Bytes(reply->begin() + 4, reply->begin() + 7), (Bytes{3, 0, 1}));
    reply = Send(OutputReport(0x17));
    EXPECT_EQ(Bytes(reply->begin() + 4, reply->begin() + 8), (Bytes{5, 0, 1, 12}));
    reply = Send(OutputReport(0x15));
    EXPECT_EQ(Bytes(reply->begin() + 4, reply->begin() + 6), (Bytes{3, 0x42}));

    // the lighting reset restores only the lighting, the factory reset everything
    ASSERT_TRUE(Send(Write(0x0E, 1, {1})));
    EXPECT_EQ(s.light_mode, 5);
    EXPECT_EQ(s.report_rate, 0x40);
    ASSERT_TRUE(Send(Write(0x0F, 1, {0x00})));
    EXPECT_EQ(s.report_rate, 0x40) << "0x0F without 0xFF";
    ASSERT_TRUE(Send(Write(0x0F, 1, {0xFF})));
    EXPECT_EQ(s.report_rate, 2);
    EXPECT_EQ(s.dpi_codes[1], 16);
    EXPECT_EQ(mouse.State().factory_resets, 1);
    EXPECT_EQ(mouse.State().lighting_resets, 1);
}

TEST_F(MouseSettings, MacroDownloadsAreReassembledAndChecked) {
    Bytes data = {3};
    for (int i = 0; i < 7; ++i) data.insert(data.end(), {0x30, 0x01, 0x00, static_cast<std::uint8_t>(4 + i)});
    const Bytes first(data.begin(), data.begin() + 27);
    const Bytes second(data.begin() + 27, data.end());

    ASSERT_TRUE(Send(Chunk(0, 2, first)));
    EXPECT_TRUE(mouse.State().macros.empty()) << "not complete yet";
    ASSERT_TRUE(Send(Chunk(1, 2, second)));
    ASSERT_EQ(mouse.State().macros.count(3), 1u);
    EXPECT_EQ(mouse.State().macros[3], Bytes(data.begin() + 1, data.end()));
    EXPECT_EQ(mouse.State().macro_errors, 0);

    struct Case {
        const char* what;
        std::vector<OutputReport> chunks;
    };
    Bytes odd = {5, 0x30, 0x01};
    const Case bad[] = {
        {"second chunk without the first", {Chunk(1, 2, second)}},
        {"count changed", {Chunk(0, 2, first), Chunk(1, 3, second)}},
        {"chunk repeated", {Chunk(0, 3, first), Chunk(0, 3, first), Chunk(2, 3, second)}},
        {"short middle chunk", {Chunk(0, 3, first), Chunk(1, 3, second), Chunk(2, 3, second)}},
        {"not whole events", {Chunk(0, 1, odd)}},
        {"chunk number past the count", {Chunk(2, 2, second)}},
        {"empty chunk", {Chunk(0, 1, {})}},
    };
    for (const Case& c : bad) {
        VirtualMouse fresh{*FindVirtualModel("v1-wired")};
        for (OutputReport r : c.chunks) {
            OutputReport::StoreChecksum(r.data());
            EXPECT_TRUE(fresh.HandleRequest(r.data() + 1, 32)) << c.what << ": still acknowledged";
        }
        EXPECT_TRUE(fresh.State().macros.empty()) << c.what;
        EXPECT_GE(fresh.State().macro_errors, 1) << c.what;
    }
}

}  // namespace
}  // namespace corvatt
