#include "platform/PosixLauncher.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <thread>

extern char** environ;

namespace corvatt {
namespace {

bool IsExecutableFile(const std::string& path) {
    struct stat st{};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

}  // namespace

PosixLauncher::PosixLauncher() {
    const char* path = std::getenv("PATH");
    m_search_path = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
}

PosixLauncher::PosixLauncher(std::string search_path) : m_search_path(std::move(search_path)) {}

std::string PosixLauncher::FindProgram(std::string_view program, std::string_view search_path) {
    if (program.empty()) {
        return {};
    }
    if (program.find('/') != std::string_view::npos) {
        std::string path(program);
        return IsExecutableFile(path) ? path : std::string();
    }
    while (true) {
        const std::size_t colon = search_path.find(':');
        std::string folder(search_path.substr(0, colon));
        // An empty entry means the working folder; it is not searched.
        if (!folder.empty()) {
            if (folder.back() != '/') {
                folder += '/';
            }
            std::string candidate = folder + std::string(program);
            if (IsExecutableFile(candidate)) {
                return candidate;
            }
        }
        if (colon == std::string_view::npos) {
            return {};
        }
        search_path.remove_prefix(colon + 1);
    }
}

bool PosixLauncher::IsAvailable(std::string_view program) const {
    return !FindProgram(program, m_search_path).empty();
}

bool PosixLauncher::Spawn(const std::vector<std::string>& argv) {
    if (argv.empty()) {
        return false;
    }
    const std::string program = FindProgram(argv.front(), m_search_path);
    if (program.empty()) {
        return false;
    }
    std::vector<char*> args;
    args.reserve(argv.size() + 1);
    for (const std::string& arg : argv) {
        args.push_back(const_cast<char*>(arg.c_str()));
    }
    args.push_back(nullptr);

    posix_spawnattr_t attr;
    if (::posix_spawnattr_init(&attr) != 0) {
        return false;
    }
    // The child starts with the default signal dispositions and nothing blocked.
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    sigaddset(&defaults, SIGCHLD);
    sigset_t no_mask;
    sigemptyset(&no_mask);
    ::posix_spawnattr_setsigdefault(&attr, &defaults);
    ::posix_spawnattr_setsigmask(&attr, &no_mask);
    ::posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
    pid_t pid = 0;
    const int result = ::posix_spawn(&pid, program.c_str(), nullptr, &attr, args.data(), environ);
    ::posix_spawnattr_destroy(&attr);
    if (result != 0) {
        return false;
    }
    // Reap the child so it does not linger as a zombie.
    std::thread([pid] {
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
    return true;
}

}  // namespace corvatt
