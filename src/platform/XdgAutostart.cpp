#include "platform/XdgAutostart.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/AtomicFile.h"
#include "platform/Folders.h"

namespace corvatt {
namespace {

bool HasControl(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7F;
    });
}

// One argument of an Exec key: quoted, with the characters that are special inside quotes
// escaped, "%" doubled, and then backslashes escaped again as the key is a string value.
std::string QuoteExecArgument(std::string_view arg) {
    std::string quoted = "\"";
    for (const char c : arg) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (c == '%') {
            quoted += "%%";
        } else {
            quoted += c;
        }
    }
    quoted += '"';
    std::string value;
    for (const char c : quoted) {
        if (c == '\\') {
            value += "\\\\";
        } else {
            value += c;
        }
    }
    return value;
}

std::string SafeFileName(std::string_view name) {
    std::string out(name);
    std::replace(out.begin(), out.end(), '/', '_');
    return out.empty() ? std::string("corvatt") : out;
}

}  // namespace

XdgAutostart::XdgAutostart(std::string entry_path, std::string app_name)
    : m_path(std::move(entry_path)), m_app_name(std::move(app_name)) {}

std::string XdgAutostart::DefaultPath(const Environment& env, std::string_view app_name) {
    return XdgConfigHome(env) + "/autostart/" + SafeFileName(app_name) + ".desktop";
}

std::string XdgAutostart::EntryText(std::string_view app_name, std::string_view executable_path) {
    if (executable_path.empty() || HasControl(executable_path) || HasControl(app_name)) {
        return {};
    }
    std::string text = "[Desktop Entry]\n";
    text += "Type=Application\n";
    text += "Name=" + std::string(app_name) + "\n";
    text += "Exec=" + QuoteExecArgument(executable_path) + " -autorun\n";
    text += "Terminal=false\n";
    text += "X-GNOME-Autostart-enabled=true\n";
    return text;
}

bool XdgAutostart::Enable(const std::string& executable_path) {
    const std::string text = EntryText(m_app_name, executable_path);
    if (text.empty()) {
        return false;
    }
    return WriteFileAtomically(m_path, text, 0644);
}

bool XdgAutostart::Disable() {
    return ::unlink(m_path.c_str()) == 0 || errno == ENOENT;
}

bool XdgAutostart::IsEnabled() const {
    return ::access(m_path.c_str(), F_OK) == 0;
}

}  // namespace corvatt
