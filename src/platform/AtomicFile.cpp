#include "platform/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

#include "platform/Folders.h"
#include "platform/UniqueFd.h"

namespace corvatt {

FileReadResult ReadWholeFile(const std::string& path, std::string& content) {
    content.clear();
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.Valid()) {
        return errno == ENOENT ? FileReadResult::kMissing : FileReadResult::kError;
    }
    char buffer[8192];
    for (;;) {
        const ssize_t n = ::read(fd.Get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            content.clear();
            return FileReadResult::kError;
        }
        if (n == 0) {
            return FileReadResult::kOk;
        }
        content.append(buffer, static_cast<std::size_t>(n));
    }
}

bool WriteFileAtomically(const std::string& path, std::string_view content, unsigned mode) {
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string(".") : path.substr(0, slash);
    const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    if (base.empty()) {
        return false;
    }
    if (!folder.empty()) {
        CreateFolderTree(folder);
    }
    std::string temp = folder + "/." + base + ".XXXXXX";
    std::vector<char> name(temp.begin(), temp.end());
    name.push_back('\0');
    UniqueFd fd(::mkostemp(name.data(), O_CLOEXEC));
    if (!fd.Valid()) {
        return false;
    }
    temp.assign(name.data());
    bool ok = ::fchmod(fd.Get(), static_cast<mode_t>(mode)) == 0;
    std::size_t written = 0;
    while (ok && written < content.size()) {
        const ssize_t n = ::write(fd.Get(), content.data() + written, content.size() - written);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            ok = false;
        } else {
            written += static_cast<std::size_t>(n);
        }
    }
    ok = ok && ::fsync(fd.Get()) == 0;
    const int close_result = ::close(fd.Release());
    ok = ok && close_result == 0;
    ok = ok && ::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
    }
    return ok;
}

}  // namespace corvatt
