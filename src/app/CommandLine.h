#pragma once

#include <string>
#include <vector>

namespace corvatt {

// What the command line asks for. Unknown arguments are ignored, as the program always did.
struct CommandLine {
    std::string whole;               // every argument joined by blanks, for the "-hide" test
    bool hide = false;               // "-hide" anywhere, case-sensitive
    bool quit = false;               // --quit: ask the running instance to end
    bool simulate = false;
    std::vector<std::string> simulate_devices;  // from --simulate[=LIST]; bare --simulate is v1-wired
    std::string install_dir;
    std::string data_dir;
    std::string screenshot;
    bool open_device = false;        // --open: open the first online device on its button page
    int exit_after_ms = -1;
    int verbosity = 0;               // -v 1, -vv 2
    std::vector<std::string> errors; // arguments that need a value and got none

    static CommandLine Parse(const std::vector<std::string>& args);
};

}  // namespace corvatt
