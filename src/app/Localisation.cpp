#include "app/Localisation.h"

#include <array>
#include <map>
#include <mutex>
#include <vector>

#include "app/Language.h"
#include "common/text/Text.h"
#include "common/ui/MControlFont.h"
#include "common/ui/MDialog.h"
#include "common/ui/Manager.h"
#include "platform/Registry.h"

namespace corvatt {

namespace {

struct HookList {
    std::mutex mutex;
    int next_token = 1;
    std::map<int, std::function<void()>> hooks;  // token order = order added
};

HookList& Hooks() {
    static HookList list;
    return list;
}

// The words of generated names, fixed in the program.
constexpr std::string_view kCustomEnglish = "Custom";
constexpr std::string_view kCustomChineseSimplified = "自定义";
constexpr std::string_view kCustomChineseTraditional = "自定義";
constexpr std::string_view kCustomJapanese = "カスタム";
constexpr std::string_view kCustomRussian = "Пользоват";

constexpr std::string_view kCopyEnglish = "Copy";
constexpr std::string_view kCopyChineseSimplified = "复制";
constexpr std::string_view kCopyChineseTraditional = "複製";
constexpr std::string_view kCopyRussian = "Копировать";

struct NameRule {
    int language;
    std::array<std::string_view, 4> custom_words;  // tested at the start, in order
    std::array<std::string_view, 3> copy_words;    // tested at the end, in order
    const char* copy_format;
};

constexpr std::array<NameRule, 5> kNameRules{{
    {kLanguageChineseSimplified,
     {kCustomEnglish, kCustomChineseTraditional, kCustomJapanese, kCustomRussian},
     {kCopyEnglish, kCopyChineseTraditional, kCopyRussian},
     "%s 复制"},
    {kLanguageEnglish,
     {kCustomChineseSimplified, kCustomChineseTraditional, kCustomJapanese, kCustomRussian},
     {kCopyChineseSimplified, kCopyChineseTraditional, kCopyRussian},
     "%s Copy"},
    {kLanguageChineseTraditional,
     {kCustomChineseSimplified, kCustomEnglish, kCustomJapanese, kCustomRussian},
     {kCopyChineseSimplified, kCopyEnglish, kCopyRussian},
     "%s 複製"},
    {kLanguageJapanese,
     {kCustomChineseSimplified, kCustomEnglish, kCustomChineseTraditional, kCustomRussian},
     {kCopyChineseSimplified, kCopyEnglish, kCopyRussian},
     "%s 複製"},
    {kLanguageRussian,
     {kCustomChineseSimplified, kCustomEnglish, kCustomChineseTraditional, kCustomJapanese},
     {kCopyChineseSimplified, kCopyEnglish, {}},
     "%s Копировать"},
}};

// The text before the word that ends the name. The word is taken where it ends the name, so
// a name that holds the word twice keeps its first one.
std::string_view BeforeTrailing(std::string_view name, std::string_view word) {
    return name.substr(0, name.size() - word.size());
}

void ApplyToWindow(dui::MWindow& window, const dui::TextLookup& lookup, const std::string& font) {
    auto* dialog = dynamic_cast<dui::MDialog*>(&window);
    if (dialog == nullptr) return;
    dialog->ApplyTexts(lookup);
    for (dui::MControl* control : dialog->Controls()) {
        if (auto* text_control = dynamic_cast<dui::MControlFont*>(control)) {
            text_control->SetFontName(font);
        }
    }
}

void ApplyToWindows(dui::MWindow* only) {
    // One parsed file for the whole walk: one check of the disk instead of one per text.
    const std::shared_ptr<const IniFile> texts = Language::Instance().CurrentTexts();
    const dui::TextLookup lookup = [&texts](int id) {
        return texts->Get("LAN", text::Format("%d", id));
    };
    dui::Manager& manager = dui::Manager::Instance();
    const std::string font = manager.GetFontName();
    if (only != nullptr) {
        ApplyToWindow(*only, lookup, font);
        return;
    }
    // Off the UI thread, windows are unregistered under the UI lock.
    std::unique_lock<std::recursive_mutex> ui_lock(manager.UiLock(), std::defer_lock);
    if (!manager.IsUiThread()) ui_lock.lock();
    for (dui::MWindow* window : manager.Windows()) ApplyToWindow(*window, lookup, font);
}

void RunHooks() {
    std::vector<std::function<void()>> hooks;
    {
        HookList& list = Hooks();
        std::lock_guard lock(list.mutex);
        for (const auto& [token, hook] : list.hooks) hooks.push_back(hook);
    }
    for (const auto& hook : hooks) hook();
}

}  // namespace

bool SwitchLanguage(int language_id, Registry& registry, std::string_view registry_key) {
    Language::Instance().SetCurrentLanguage(language_id);
    const bool written =
        WriteRegistryDecimal(registry, registry_key, kLanguageRegistryValue, language_id);
    dui::Manager::Instance().SetFontName(kInterfaceFontName);
    ApplyLanguage();
    return written;
}

void ApplyLanguage() {
    ApplyToWindows(nullptr);
    RunHooks();
}

void ApplyLanguage(dui::MWindow& window) { ApplyToWindows(&window); }

int AddLanguageHook(std::function<void()> hook) {
    if (!hook) return 0;
    HookList& list = Hooks();
    std::lock_guard lock(list.mutex);
    const int token = list.next_token++;
    list.hooks.emplace(token, std::move(hook));
    return token;
}

void RemoveLanguageHook(int token) {
    HookList& list = Hooks();
    std::lock_guard lock(list.mutex);
    list.hooks.erase(token);
}

std::string LocaliseDefaultName(std::string_view name, std::string_view custom_word,
                                std::string_view copy_word) {
    std::string result;
    if (name.starts_with(kCustomEnglish)) {
        result = std::string(custom_word) + std::string(name.substr(kCustomEnglish.size()));
    } else if (name.starts_with(kCustomChineseSimplified)) {
        result = std::string(custom_word) + std::string(name.substr(kCustomChineseSimplified.size()));
    } else {
        result = std::string(name);
    }
    for (std::string_view word : {kCopyEnglish, kCopyChineseSimplified}) {
        if (std::string_view(result).ends_with(word)) {
            return text::Format("%s %s", std::string(BeforeTrailing(result, word)),
                                std::string(copy_word));
        }
    }
    return result;
}

std::string LocaliseDefaultName(std::string_view name) {
    const std::shared_ptr<const IniFile> texts = Language::Instance().CurrentTexts();
    return LocaliseDefaultName(name, texts->Get("LAN", text::Format("%d", kTextCustomWord)),
                               texts->Get("LAN", text::Format("%d", kTextCopyWord)));
}

std::string LocaliseAssignmentName(std::string_view name, int language_id,
                                   std::string_view custom_word) {
    const NameRule* rule = nullptr;
    for (const NameRule& candidate : kNameRules) {
        if (candidate.language == language_id) rule = &candidate;
    }
    if (rule == nullptr) return std::string(name);

    std::string result(name);
    for (std::string_view word : rule->custom_words) {
        if (!word.empty() && std::string_view(result).starts_with(word)) {
            result = std::string(custom_word) + result.substr(word.size());
            break;
        }
    }
    for (std::string_view word : rule->copy_words) {
        if (!word.empty() && std::string_view(result).ends_with(word)) {
            return text::Format(rule->copy_format, std::string(BeforeTrailing(result, word)));
        }
    }
    return result;
}

std::string LocaliseAssignmentName(std::string_view name) {
    Language& language = Language::Instance();
    const int current = language.CurrentLanguage();
    return LocaliseAssignmentName(name, current, language.Text(current, kTextCustomWord));
}

std::string LocaliseProfileName(std::string_view name, std::string_view profile_word) {
    constexpr std::string_view kEnglish = "Profile";
    constexpr std::string_view kChinese = "配置";
    if (name.starts_with(kEnglish)) {
        return std::string(profile_word) + std::string(name.substr(kEnglish.size()));
    }
    if (name.starts_with(kChinese)) {
        return std::string(profile_word) + std::string(name.substr(kChinese.size()));
    }
    return std::string(name);
}

std::string LocaliseProfileName(std::string_view name) {
    return LocaliseProfileName(name, GetLanguageText(kTextProfileWord));
}

}  // namespace corvatt
