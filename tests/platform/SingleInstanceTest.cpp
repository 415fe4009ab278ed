#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <filesystem>
#include <future>
#include <mutex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/LocalSingleInstance.h"
#include "platform/MemorySingleInstance.h"
#include "TempDir.h"

namespace corvatt {
namespace {

using namespace std::chrono_literals;
using testing::TempDir;

// Collects the commands a first instance receives on its listener thread.
class Inbox {
public:
    SingleInstance::CommandHandler Handler() {
        return [this](const std::string& command) {
            std::lock_guard lock(m_mutex);
            m_commands.push_back(command);
            m_changed.notify_all();
        };
    }
    std::vector<std::string> WaitFor(std::size_t count) {
        std::unique_lock lock(m_mutex);
        m_changed.wait_for(lock, 5s, [&] { return m_commands.size() >= count; });
        return m_commands;
    }
    std::vector<std::string> Now() {
        std::lock_guard lock(m_mutex);
        return m_commands;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<std::string> m_commands;
};

sockaddr_un Address(const std::string& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    return address;
}

// What a crashed instance leaves: a bound socket file nobody listens on.
void LeaveStaleSocket(const std::string& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    const sockaddr_un address = Address(path);
    ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
}

std::string RawExchange(const std::string& socket_path, const std::string& request) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const sockaddr_un address = Address(socket_path);
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return "no connection";
    }
    (void)::send(fd, request.data(), request.size(), MSG_NOSIGNAL);
    ::shutdown(fd, SHUT_WR);
    std::string reply;
    char buffer[64];
    ssize_t n;
    while ((n = ::recv(fd, buffer, sizeof buffer, 0)) > 0) {
        reply.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return reply;
}

TEST(LocalSingleInstance, SecondStartHandsShowAndQuitToTheFirst) {
    TempDir dir;
    Inbox inbox;
    LocalSingleInstance first(dir.Path(), "Corvatt");
    LocalSingleInstance second(dir.Path(), "Corvatt");

    ASSERT_EQ(first.TryClaim(inbox.Handler()), SingleInstance::Claim::kFirst);
    EXPECT_EQ(second.TryClaim([](const std::string&) {}), SingleInstance::Claim::kRunning);
    EXPECT_TRUE(second.Send(kInstanceCommandShow, 2000));
    EXPECT_TRUE(second.Send(kInstanceCommandQuit, 2000));
    EXPECT_EQ(inbox.WaitFor(2), (std::vector<std::string>{"show", "quit"}));
}

TEST(LocalSingleInstance, OtherApplicationNamesDoNotMeet) {
    TempDir dir;
    LocalSingleInstance first(dir.Path(), "Corvatt");
    LocalSingleInstance other(dir.Path(), "Other/App");
    ASSERT_EQ(first.TryClaim(nullptr), SingleInstance::Claim::kFirst);
    EXPECT_EQ(other.TryClaim(nullptr), SingleInstance::Claim::kFirst);
    EXPECT_EQ(other.SocketPath(), dir / "Other_App.sock");
}

TEST(LocalSingleInstance, StaleSocketFromACrashedInstanceIsReplaced) {
    TempDir dir;
    LocalSingleInstance probe(dir.Path(), "Corvatt");
    LeaveStaleSocket(probe.SocketPath());

    // Nobody listens: a send fails at once instead of hanging.
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(probe.Send(kInstanceCommandQuit, 0));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);

    Inbox inbox;
    LocalSingleInstance first(dir.Path(), "Corvatt");
    ASSERT_EQ(first.TryClaim(inbox.Handler()), SingleInstance::Claim::kFirst);
    EXPECT_TRUE(probe.Send(kInstanceCommandShow, 2000));
    EXPECT_EQ(inbox.WaitFor(1), std::vector<std::string>{"show"});
}

TEST(LocalSingleInstance, ReleaseLetsTheNextStartBecomeFirst) {
    TempDir dir;
    LocalSingleInstance first(dir.Path(), "Corvatt");
    LocalSingleInstance second(dir.Path(), "Corvatt");
    ASSERT_EQ(first.TryClaim(nullptr), SingleInstance::Claim::kFirst);
    ASSERT_EQ(second.TryClaim(nullptr), SingleInstance::Claim::kRunning);
    first.Release();
    EXPECT_FALSE(std::filesystem::exists(first.SocketPath()));
    EXPECT_FALSE(second.Send(kInstanceCommandShow, 0));
    EXPECT_EQ(second.TryClaim(nullptr), SingleInstance::Claim::kFirst);
}

TEST(LocalSingleInstance, SendWaitsForAFirstInstanceThatIsStillStarting) {
    TempDir dir;
    Inbox inbox;
    LocalSingleInstance first(dir.Path(), "Corvatt");
    LocalSingleInstance second(dir.Path(), "Corvatt");
    auto sent = std::async(std::launch::async, [&] { return second.Send("show", 3000); });
    std::this_thread::sleep_for(150ms);
    ASSERT_EQ(first.TryClaim(inbox.Handler()), SingleInstance::Claim::kFirst);
    EXPECT_TRUE(sent.get());
    EXPECT_EQ(inbox.WaitFor(1), std::vector<std::string>{"show"});
}

TEST(LocalSingleInstance, OnlyKnownCommandsReachTheHandler) {
    TempDir dir;
    Inbox inbox;
    LocalSingleInstance first(dir.Path(), "Corvatt");
    ASSERT_EQ(first.TryClaim(inbox.Handler()), SingleInstance::Claim::kFirst);

    EXPECT_FALSE(first.Send("open /etc/passwd", 1000));
    EXPECT_EQ(RawExchange(first.SocketPath(), "bogus\n"), "error\n");
    EXPECT_EQ(RawExchange(first.SocketPath(), std::string(200, 's') + "\n"), "");
    EXPECT_EQ(RawExchange(first.SocketPath(), "show"), "");  // no end of line
    EXPECT_EQ(RawExchange(first.SocketPath(), "quit\r\n"), "ok\n");
    EXPECT_EQ(inbox.WaitFor(1), std::vector<std::string>{"quit"});
    EXPECT_EQ(inbox.Now().size(), 1u);
}

TEST(LocalSingleInstance, StopIsNotHeldUpByASilentClient) {
    TempDir dir;
    auto first = std::make_unique<LocalSingleInstance>(dir.Path(), "Corvatt");
    ASSERT_EQ(first->TryClaim(nullptr), SingleInstance::Claim::kFirst);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const sockaddr_un address = Address(first->SocketPath());
    ASSERT_EQ(::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    std::this_thread::sleep_for(50ms);
    const auto start = std::chrono::steady_clock::now();
    first.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 500ms);
    ::close(fd);
}

TEST(LocalSingleInstance, FolderOthersCanWriteIsRefused) {
    TempDir dir;
    const std::string shared = dir / "shared";
    ASSERT_EQ(::mkdir(shared.c_str(), 0700), 0);
    ASSERT_EQ(::chmod(shared.c_str(), 0777), 0);
    LocalSingleInstance instance(shared, "Corvatt");
    EXPECT_EQ(instance.TryClaim(nullptr), SingleInstance::Claim::kFailed);
    EXPECT_FALSE(std::filesystem::exists(instance.LockPath()));
}

TEST(LocalSingleInstance, DefaultFolderIsTheRuntimeFolderElseAPrivateTemporaryOne) {
    const std::string uid = std::to_string(::getuid());
    EXPECT_EQ(LocalSingleInstance::DefaultFolder(Environment({{"XDG_RUNTIME_DIR", "/run/user/7"}})),
              "/run/user/7");
    EXPECT_EQ(LocalSingleInstance::DefaultFolder(Environment()), "/tmp/corvatt-" + uid);
    EXPECT_EQ(LocalSingleInstance::DefaultFolder(Environment({{"TMPDIR", "/var/tmp/"}})),
              "/var/tmp/corvatt-" + uid);
}

TEST(MemorySingleInstance, BehavesLikeTheLocalOne) {
    MemoryInstanceBus bus;
    std::vector<std::string> received;
    MemorySingleInstance first(bus);
    MemorySingleInstance second(bus);
    EXPECT_FALSE(second.Send("show", 0));
    ASSERT_EQ(first.TryClaim([&](const std::string& c) { received.push_back(c); }),
              SingleInstance::Claim::kFirst);
    EXPECT_EQ(second.TryClaim(nullptr), SingleInstance::Claim::kRunning);
    EXPECT_TRUE(second.Send("show", 0));
    EXPECT_FALSE(second.Send("bogus", 0));
    EXPECT_TRUE(second.Send("quit", 0));
    EXPECT_EQ(received, (std::vector<std::string>{"show", "quit"}));
    first.Release();
    EXPECT_EQ(second.TryClaim(nullptr), SingleInstance::Claim::kFirst);
}

}  // namespace
}  // namespace corvatt
