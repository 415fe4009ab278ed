#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace corvatt {

inline constexpr std::string_view kInstanceCommandShow = "show";
inline constexpr std::string_view kInstanceCommandQuit = "quit";

// One running instance per user. The first instance receives the commands of later starts.
class SingleInstance {
public:
    enum class Claim {
        kFirst,    // this process is the first instance and now listens for commands
        kRunning,  // another instance holds the claim: send it a command and leave
        kFailed,   // the claim could not be checked; carry on as the first instance
    };
    // Called on a background thread with "show" or "quit".
    using CommandHandler = std::function<void(const std::string& command)>;

    virtual ~SingleInstance() = default;

    virtual Claim TryClaim(CommandHandler handler) = 0;
    // Sends "show" or "quit" to the running instance, waiting up to wait_ms for it to
    // listen. True when the instance acknowledged the command.
    virtual bool Send(std::string_view command, int wait_ms) = 0;
    // Stops listening and gives up the claim (also done by the destructor).
    virtual void Release() = 0;
};

bool IsInstanceCommand(std::string_view command);

}  // namespace corvatt
