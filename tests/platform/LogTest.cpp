#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "platform/Log.h"

namespace corvatt {
namespace {

class LogTest : public ::testing::Test {
protected:
    void SetUp() override {
        Log::SetSink([this](std::string_view line) {
            std::lock_guard lock(m_mutex);
            m_lines.emplace_back(line);
        });
    }
    void TearDown() override {
        Log::SetSink(nullptr);
        Log::SetVerbosity(0);
    }
    std::vector<std::string> Lines() {
        std::lock_guard lock(m_mutex);
        return m_lines;
    }

    std::mutex m_mutex;
    std::vector<std::string> m_lines;
};

TEST_F(LogTest, VerbosityDecidesWhatIsWritten) {
    const std::uint8_t report[] = {0x00, 0xAB, 0x0F, 0xFF};
    for (int verbosity : {0, 1, 2}) {
        Log::SetVerbosity(verbosity);
        EXPECT_EQ(Log::Verbosity(), verbosity);
        Log::Diag("0x02: \xE8\xAE\xBE\xE7\xBD\xAE\xE5\x9B\x9E\xE6\x8A\xA5\xE7\x8E\x87\xE5\xA4\xB1\xE8\xB4\xA5");
        Log::Report(true, report, sizeof report);
        Log::Report(false, report, 1);
    }
    EXPECT_EQ(Lines(), (std::vector<std::string>{
                           "0x02: \xE8\xAE\xBE\xE7\xBD\xAE\xE5\x9B\x9E\xE6\x8A\xA5\xE7\x8E\x87\xE5\xA4\xB1\xE8\xB4\xA5",
                           "0x02: \xE8\xAE\xBE\xE7\xBD\xAE\xE5\x9B\x9E\xE6\x8A\xA5\xE7\x8E\x87\xE5\xA4\xB1\xE8\xB4\xA5",
                           "TX 00 ab 0f ff",
                           "RX 00",
                       }));
}

TEST_F(LogTest, ReportLineFormat) {
    const std::uint8_t one[] = {0x5A};
    EXPECT_EQ(Log::FormatReport(true, one, 1), "TX 5a");
    EXPECT_EQ(Log::FormatReport(false, nullptr, 0), "RX ");
}

TEST_F(LogTest, LinesFromManyThreadsStayWhole) {
    Log::SetVerbosity(2);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([t] {
            const std::uint8_t bytes[] = {static_cast<std::uint8_t>(t), 0x11, 0x22};
            for (int i = 0; i < 200; ++i) {
                Log::Report(t % 2 == 0, bytes, sizeof bytes);
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 800u);
    for (const std::string& line : lines) {
        EXPECT_TRUE(line == "TX 00 11 22" || line == "RX 01 11 22" || line == "TX 02 11 22" ||
                    line == "RX 03 11 22")
            << line;
    }
}

}  // namespace
}  // namespace corvatt
