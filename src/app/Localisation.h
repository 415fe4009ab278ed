#pragma once
// Switching the language while the program runs, re-applying every text, and the rules that
// show generated names (macro names, button descriptions) in the current language.

#include <functional>
#include <string>
#include <string_view>
#include <utility>

namespace corvatt {

class Registry;

namespace dui {
class MWindow;
}

// Marks a literal language text id in a table, so that the id check of the language files
// finds it: `{1, TextId(71), "icon/tab_home.png", 49}`. Calls written as GetLanguageText(n),
// SetTextId(n), SetTooltipId(n) and MakeText(class, id, rect, n, ...) are found without it.
constexpr int TextId(int id) { return id; }

inline constexpr int kLanguageEnglish = 1033;
inline constexpr int kLanguageChineseSimplified = 2052;
inline constexpr int kLanguageChineseTraditional = 1028;
inline constexpr int kLanguageJapanese = 1041;
inline constexpr int kLanguageRussian = 1049;

// The word that starts generated macro names, and the word of copies.
inline constexpr int kTextCustomWord = TextId(351);
inline constexpr int kTextCopyWord = TextId(31);
// The word of default profile names.
inline constexpr int kTextProfileWord = TextId(61);

inline constexpr const char* kInterfaceFontName = "Open Sans Semibold";
inline constexpr const char* kLanguageRegistryValue = "LCID";

// CurrentLanguage := language_id; LCID under registry_key := "%d" of it (only when the key
// exists); the toolkit font name := "Open Sans Semibold"; then ApplyLanguage. Returns whether
// the registry value was written.
bool SwitchLanguage(int language_id, Registry& registry, std::string_view registry_key);

// Re-applies the texts of every window: each control's remembered text and tool tip ids,
// item ids (tabs, lists), the text font name of every text control, then the hooks below.
// Changes no stored data. Call on the UI thread.
void ApplyLanguage();
// The same for one window (a dialog opened later reads its texts when it is built).
void ApplyLanguage(dui::MWindow& window);

// Texts that are not a plain id on a control (the profile button's display name, the macro
// list's names, the button names of the mouse pictures, the current event editor row, the
// firmware version lines) are refreshed by a hook that their owner registers; ApplyLanguage
// runs the hooks, in the order they were added, after the windows. Returns a token for
// RemoveLanguageHook; hooks run on the thread that calls ApplyLanguage, without the UI lock.
int AddLanguageHook(std::function<void()> hook);
void RemoveLanguageHook(int token);

// A hook that is removed when its owner goes away.
class ScopedLanguageHook {
public:
    ScopedLanguageHook() = default;
    explicit ScopedLanguageHook(std::function<void()> hook) : m_token(AddLanguageHook(std::move(hook))) {}
    ~ScopedLanguageHook() { Reset(); }
    ScopedLanguageHook(ScopedLanguageHook&& other) noexcept : m_token(other.m_token) { other.m_token = 0; }
    ScopedLanguageHook& operator=(ScopedLanguageHook&& other) noexcept {
        if (this != &other) {
            Reset();
            m_token = other.m_token;
            other.m_token = 0;
        }
        return *this;
    }
    ScopedLanguageHook(const ScopedLanguageHook&) = delete;
    ScopedLanguageHook& operator=(const ScopedLanguageHook&) = delete;

    void Reset() {
        if (m_token != 0) RemoveLanguageHook(m_token);
        m_token = 0;
    }

private:
    int m_token = 0;
};

// The macro list's rule: a leading "Custom" or "自定义" becomes text 351; then a trailing
// "Copy" or "复制" is replaced: the text before the word (its blanks kept), a blank, text 31.
std::string LocaliseDefaultName(std::string_view name);
std::string LocaliseDefaultName(std::string_view name, std::string_view custom_word,
                                std::string_view copy_word);

// A macro name shown as a button's description: another language's "custom" word at the
// start becomes text 351, another language's copy word at the end becomes the current
// language's copy suffix. Languages other than 2052, 1033, 1028, 1041 and 1049: unchanged.
std::string LocaliseAssignmentName(std::string_view name);
std::string LocaliseAssignmentName(std::string_view name, int language_id,
                                   std::string_view custom_word);

// A profile name as shown: a leading "Profile" or "配置" becomes text 61; any other name
// (one the user typed) is shown as stored.
std::string LocaliseProfileName(std::string_view name);
std::string LocaliseProfileName(std::string_view name, std::string_view profile_word);

}  // namespace corvatt
