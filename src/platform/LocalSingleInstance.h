#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <thread>

#include "platform/Environment.h"
#include "platform/SingleInstance.h"
#include "platform/UniqueFd.h"

namespace corvatt {

// The claim is an flock on "<folder>/<app>.lock"; commands travel over the Unix-domain
// socket "<folder>/<app>.sock", one line per connection, answered with "ok".
class LocalSingleInstance : public SingleInstance {
public:
    LocalSingleInstance(std::string folder, std::string app_name);
    ~LocalSingleInstance() override;

    LocalSingleInstance(const LocalSingleInstance&) = delete;
    LocalSingleInstance& operator=(const LocalSingleInstance&) = delete;

    // $XDG_RUNTIME_DIR, else "<$TMPDIR or /tmp>/corvatt-<uid>" (created private to the user).
    static std::string DefaultFolder(const Environment& env);

    Claim TryClaim(CommandHandler handler) override;
    bool Send(std::string_view command, int wait_ms) override;
    void Release() override;

    std::string LockPath() const;
    std::string SocketPath() const;

private:
    void Listen();
    void Serve(int client_fd);

    std::string m_folder;
    std::string m_name;  // the application name made safe as a file name
    CommandHandler m_handler;
    UniqueFd m_lock_fd;
    UniqueFd m_listen_fd;
    UniqueFd m_wake_read;
    UniqueFd m_wake_write;
    std::thread m_thread;
    std::mutex m_mutex;
};

}  // namespace corvatt
