#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace corvatt {

// Process-wide diagnostic log. Safe to call from any thread.
class Log {
public:
    // 0 silent, 1 diagnostic texts (-v), 2 also every report in hex (-vv).
    static void SetVerbosity(int v);
    static int Verbosity();

    // A diagnostic text; written when the verbosity is at least 1.
    static void Diag(std::string_view text);

    // A report written (tx) or read; written when the verbosity is at least 2 as
    // "TX " or "RX " followed by the bytes in lower-case hex separated by single spaces.
    static void Report(bool tx, const std::uint8_t* data, std::size_t len);

    // Replaces the standard error output: every line goes to the sink instead.
    // An empty function restores standard error.
    static void SetSink(std::function<void(std::string_view line)> sink);

    // The line Report writes, without the verbosity test.
    static std::string FormatReport(bool tx, const std::uint8_t* data, std::size_t len);
};

}  // namespace corvatt
