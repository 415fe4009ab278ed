#include "app/CommandLine.h"

#include <algorithm>
#include <charconv>

namespace corvatt {
namespace {

std::vector<std::string> SplitList(const std::string& list) {
    std::vector<std::string> items;
    std::string item;
    for (char c : list) {
        if (c == ',') {
            if (!item.empty()) items.push_back(item);
            item.clear();
        } else {
            item += c;
        }
    }
    if (!item.empty()) items.push_back(item);
    return items;
}

}  // namespace

CommandLine CommandLine::Parse(const std::vector<std::string>& args) {
    CommandLine cl;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (i > 0) cl.whole += ' ';
        cl.whole += args[i];
    }
    cl.hide = cl.whole.find("-hide") != std::string::npos;

    // Options take their value either as --name=VALUE or as the next argument.
    auto value_of = [&](std::size_t& i, const std::string& name, std::string& out) {
        const std::string& arg = args[i];
        if (arg == name) {
            if (i + 1 < args.size()) {
                out = args[++i];
                return true;
            }
            cl.errors.push_back(name + " needs a value");
            return false;
        }
        if (arg.rfind(name + "=", 0) == 0) {
            out = arg.substr(name.size() + 1);
            return true;
        }
        return false;
    };

    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        std::string value;
        if (arg == "--simulate") {
            cl.simulate = true;
            cl.simulate_devices = {"v1-wired"};
        } else if (arg.rfind("--simulate=", 0) == 0) {
            cl.simulate = true;
            cl.simulate_devices = SplitList(arg.substr(11));
        } else if (arg == "--open") {
            cl.open_device = true;
        } else if (arg == "--quit") {
            cl.quit = true;
        } else if (arg == "-v") {
            cl.verbosity = std::max(cl.verbosity, 1);
        } else if (arg == "-vv") {
            cl.verbosity = 2;
        } else if (value_of(i, "--install-dir", value)) {
            cl.install_dir = value;
        } else if (value_of(i, "--data-dir", value)) {
            cl.data_dir = value;
        } else if (value_of(i, "--screenshot", value)) {
            cl.screenshot = value;
        } else if (value_of(i, "--exit-after", value)) {
            int ms = -1;
            auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), ms);
            if (ec != std::errc() || end != value.data() + value.size() || ms < 0) {
                cl.errors.push_back("--exit-after takes a number of milliseconds");
            } else {
                cl.exit_after_ms = ms;
            }
        }
    }
    return cl;
}

}  // namespace corvatt
