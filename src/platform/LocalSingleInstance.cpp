#include "platform/LocalSingleInstance.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

#include "platform/Log.h"

namespace corvatt {
namespace {

constexpr std::size_t kMaxLine = 64;
constexpr int kReplyTimeoutMs = 2000;
constexpr int kClientTimeoutMs = 1000;
constexpr int kRetryStepMs = 20;

std::string SafeName(std::string_view name) {
    std::string out;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        out += (c == '/' || byte < 0x20 || byte == 0x7F) ? '_' : c;
    }
    return out.empty() ? std::string("corvatt") : out;
}

// The folder must be a real folder of this user that nobody else can write into, so no
// other user can plant a socket or a lock there.
bool EnsurePrivateFolder(const std::string& folder) {
    if (folder.empty()) {
        return false;
    }
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        return false;
    }
    struct stat st{};
    if (::lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        return false;
    }
    return st.st_uid == ::getuid() && (st.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

bool FillAddress(const std::string& path, sockaddr_un& address) {
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) {
        return false;
    }
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

bool PeerIsSameUser(int fd) {
    ucred credentials{};
    socklen_t size = sizeof credentials;
    return ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credentials, &size) == 0 &&
           credentials.uid == ::getuid();
}

bool SendAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t n = ::send(fd, data.data(), data.size(), MSG_NOSIGNAL);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// Reads one line of at most kMaxLine bytes. Gives up on timeout, on a longer line, or when
// `wake_fd` becomes readable.
bool ReadLine(int fd, int timeout_ms, int wake_fd, std::string& line) {
    line.clear();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    while (true) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                              deadline - std::chrono::steady_clock::now())
                              .count();
        if (left <= 0) {
            return false;
        }
        pollfd fds[2] = {{fd, POLLIN, 0}, {wake_fd, POLLIN, 0}};
        const int ready = ::poll(fds, wake_fd >= 0 ? 2 : 1, static_cast<int>(left));
        if (ready < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        if (ready == 0 || (wake_fd >= 0 && (fds[1].revents & POLLIN) != 0)) {
            return false;
        }
        char buffer[kMaxLine + 1];
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        line.append(buffer, static_cast<std::size_t>(n));
        const std::size_t end = line.find('\n');
        if (end != std::string::npos) {
            line.resize(end);
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            return true;
        }
        if (line.size() > kMaxLine) {
            return false;
        }
    }
}

}  // namespace

LocalSingleInstance::LocalSingleInstance(std::string folder, std::string app_name)
    : m_folder(std::move(folder)), m_name(SafeName(app_name)) {
    while (m_folder.size() > 1 && m_folder.back() == '/') {
        m_folder.pop_back();
    }
}

LocalSingleInstance::~LocalSingleInstance() {
    Release();
}

std::string LocalSingleInstance::DefaultFolder(const Environment& env) {
    const std::string runtime = env.Get("XDG_RUNTIME_DIR");
    if (!runtime.empty() && runtime.front() == '/') {
        return runtime;
    }
    std::string temp = env.Get("TMPDIR");
    if (temp.empty() || temp.front() != '/') {
        temp = "/tmp";
    }
    while (temp.size() > 1 && temp.back() == '/') {
        temp.pop_back();
    }
    return temp + "/corvatt-" + std::to_string(::getuid());
}

std::string LocalSingleInstance::LockPath() const {
    return m_folder + "/" + m_name + ".lock";
}

std::string LocalSingleInstance::SocketPath() const {
    return m_folder + "/" + m_name + ".sock";
}

SingleInstance::Claim LocalSingleInstance::TryClaim(CommandHandler handler) {
    std::lock_guard lock(m_mutex);
    if (m_lock_fd.Valid()) {
        return Claim::kFirst;
    }
    if (!EnsurePrivateFolder(m_folder)) {
        Log::Diag("single instance: no private folder " + m_folder);
        return Claim::kFailed;
    }
    UniqueFd lock_fd(::open(LockPath().c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600));
    if (!lock_fd.Valid()) {
        return Claim::kFailed;
    }
    if (::flock(lock_fd.Get(), LOCK_EX | LOCK_NB) != 0) {
        return errno == EWOULDBLOCK ? Claim::kRunning : Claim::kFailed;
    }

    // Holding the lock, any socket file left behind belongs to an instance that is gone.
    sockaddr_un address{};
    if (!FillAddress(SocketPath(), address)) {
        return Claim::kFailed;
    }
    ::unlink(SocketPath().c_str());
    UniqueFd listen_fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (!listen_fd.Valid() ||
        ::bind(listen_fd.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listen_fd.Get(), 8) != 0) {
        return Claim::kFailed;
    }
    int wake[2];
    if (::pipe2(wake, O_CLOEXEC | O_NONBLOCK) != 0) {
        ::unlink(SocketPath().c_str());
        return Claim::kFailed;
    }
    m_wake_read.Reset(wake[0]);
    m_wake_write.Reset(wake[1]);
    m_lock_fd = std::move(lock_fd);
    m_listen_fd = std::move(listen_fd);
    m_handler = std::move(handler);
    m_thread = std::thread([this] { Listen(); });
    return Claim::kFirst;
}

void LocalSingleInstance::Listen() {
    while (true) {
        pollfd fds[2] = {{m_listen_fd.Get(), POLLIN, 0}, {m_wake_read.Get(), POLLIN, 0}};
        const int ready = ::poll(fds, 2, -1);
        if (ready < 0) {
            if (errno == EINTR) {
                continue;
            }
            return;
        }
        if ((fds[1].revents & POLLIN) != 0) {
            return;
        }
        if ((fds[0].revents & POLLIN) != 0) {
            UniqueFd client(::accept4(m_listen_fd.Get(), nullptr, nullptr, SOCK_CLOEXEC));
            if (client.Valid()) {
                Serve(client.Get());
            }
        } else if ((fds[0].revents & (POLLERR | POLLHUP | POLLNVAL)) != 0) {
            return;
        }
    }
}

void LocalSingleInstance::Serve(int client_fd) {
    if (!PeerIsSameUser(client_fd)) {
        return;
    }
    std::string command;
    if (!ReadLine(client_fd, kClientTimeoutMs, m_wake_read.Get(), command)) {
        return;
    }
    if (!IsInstanceCommand(command)) {
        SendAll(client_fd, "error\n");
        return;
    }
    SendAll(client_fd, "ok\n");
    if (m_handler) {
        m_handler(command);
    }
}

bool LocalSingleInstance::Send(std::string_view command, int wait_ms) {
    if (!IsInstanceCommand(command)) {
        return false;
    }
    sockaddr_un address{};
    if (!FillAddress(SocketPath(), address)) {
        return false;
    }
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(wait_ms < 0 ? 0 : wait_ms);
    UniqueFd fd;
    while (true) {
        fd.Reset(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
        if (!fd.Valid()) {
            return false;
        }
        if (::connect(fd.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
            break;
        }
        // Not listening (yet): no socket file, or one left by an instance that is gone.
        const int error = errno;
        if ((error != ENOENT && error != ECONNREFUSED && error != EAGAIN) ||
            std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        ::usleep(kRetryStepMs * 1000);
    }
    if (!PeerIsSameUser(fd.Get()) || !SendAll(fd.Get(), std::string(command) + "\n")) {
        return false;
    }
    std::string reply;
    return ReadLine(fd.Get(), kReplyTimeoutMs, -1, reply) && reply == "ok";
}

void LocalSingleInstance::Release() {
    std::lock_guard lock(m_mutex);
    if (m_thread.joinable()) {
        const char byte = 1;
        while (::write(m_wake_write.Get(), &byte, 1) < 0 && errno == EINTR) {
        }
        m_thread.join();
    }
    m_listen_fd.Reset();
    if (m_lock_fd.Valid()) {
        ::unlink(SocketPath().c_str());
        m_lock_fd.Reset();
    }
    m_wake_read.Reset();
    m_wake_write.Reset();
    m_handler = nullptr;
}

}  // namespace corvatt
