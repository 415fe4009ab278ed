#include "platform/Log.h"

#include <atomic>
#include <memory>
#include <mutex>

#include <spdlog/logger.h>
#include <spdlog/sinks/stdout_sinks.h>

namespace corvatt {
namespace {

using Sink = std::function<void(std::string_view)>;

struct LogState {
    std::atomic<int> verbosity{0};
    std::mutex mutex;
    std::shared_ptr<const Sink> sink;
    std::shared_ptr<spdlog::logger> stderr_logger;
};

LogState& State() {
    static LogState state;
    return state;
}

void Write(std::string_view line) {
    LogState& state = State();
    std::shared_ptr<const Sink> sink;
    std::shared_ptr<spdlog::logger> logger;
    {
        std::lock_guard lock(state.mutex);
        sink = state.sink;
        if (!sink) {
            if (!state.stderr_logger) {
                auto out = std::make_shared<spdlog::sinks::stderr_sink_mt>();
                state.stderr_logger = std::make_shared<spdlog::logger>("corvatt", out);
                state.stderr_logger->set_pattern("[%H:%M:%S.%e] %v");
                state.stderr_logger->set_level(spdlog::level::info);
                state.stderr_logger->flush_on(spdlog::level::info);
            }
            logger = state.stderr_logger;
        }
    }
    if (sink) {
        (*sink)(line);
    } else {
        logger->info("{}", line);
    }
}

}  // namespace

void Log::SetVerbosity(int v) {
    State().verbosity.store(v < 0 ? 0 : v, std::memory_order_relaxed);
}

int Log::Verbosity() {
    return State().verbosity.load(std::memory_order_relaxed);
}

void Log::Diag(std::string_view text) {
    if (Verbosity() >= 1) {
        Write(text);
    }
}

std::string Log::FormatReport(bool tx, const std::uint8_t* data, std::size_t len) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string line = tx ? "TX " : "RX ";
    line.reserve(3 + 3 * len);
    for (std::size_t i = 0; data != nullptr && i < len; ++i) {
        if (i > 0) {
            line += ' ';
        }
        line += kHex[data[i] >> 4];
        line += kHex[data[i] & 0x0F];
    }
    return line;
}

void Log::Report(bool tx, const std::uint8_t* data, std::size_t len) {
    if (Verbosity() >= 2) {
        Write(FormatReport(tx, data, len));
    }
}

void Log::SetSink(std::function<void(std::string_view line)> sink) {
    LogState& state = State();
    std::lock_guard lock(state.mutex);
    if (sink) {
        state.sink = std::make_shared<const Sink>(std::move(sink));
    } else {
        state.sink.reset();
    }
}

}  // namespace corvatt
