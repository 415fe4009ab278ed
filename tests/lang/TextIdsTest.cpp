// Every text id the program asks for must be in each shipped language file. The ids are
// found in the sources (calls with a literal id) and in the model description files.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "common/text/Text.h"

namespace corvatt {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The arguments of the call whose "(" is at open, split at top-level commas.
std::vector<std::string> CallArguments(std::string_view code, std::size_t open) {
    std::vector<std::string> args;
    std::string current;
    int depth = 0;
    for (std::size_t i = open + 1; i < code.size(); ++i) {
        const char c = code[i];
        if (c == '(' || c == '{' || c == '[') ++depth;
        if (c == ')' || c == '}' || c == ']') {
            if (depth == 0) {
                args.push_back(text::Trim(current));
                return args;
            }
            --depth;
        }
        if (c == ',' && depth == 0) {
            args.push_back(text::Trim(current));
            current.clear();
            continue;
        }
        current += c;
    }
    return {};  // unbalanced
}

bool IsNumber(const std::string& s) {
    return !s.empty() && s.size() < 6 && s.find_first_not_of("0123456789") == std::string::npos;
}

// Integer constants of a file: "constexpr int kName = 12;" and the like.
std::map<std::string, int> ScanConstants(std::string_view code) {
    std::map<std::string, int> constants;
    static const std::regex kConstant(R"(\b(k\w+)\s*=\s*(\d{1,5})\s*;)");
    const std::string owned(code);
    for (auto it = std::sregex_iterator(owned.begin(), owned.end(), kConstant);
         it != std::sregex_iterator(); ++it) {
        constants.emplace((*it)[1], std::stoi((*it)[2]));
    }
    return constants;
}

// Text ids named in code: GetLanguageText(n) (and any lookup called ...LanguageText or
// ...language_text, as the lower layers receive it), TextId(n), and the last argument of
// SetTextId, SetTooltipId, SetHintId, SetItemTextId, SetVersionLabelId and the like; the
// fourth argument of MakeText(class, id, rect, text_id, ...). n is a number or a constant
// of the file (or of its header). 0 means "no text".
std::set<int> ScanCode(std::string_view code, const std::map<std::string, int>& constants = {}) {
    std::set<int> ids;
    static const std::regex kCall(R"(\b(\w*LanguageText|\w*language_text|TextId|MakeText|Set\w*(?:TextId|TooltipId|HintId|LabelId))\s*\()");
    const std::string owned(code);
    for (auto it = std::sregex_iterator(owned.begin(), owned.end(), kCall); it != std::sregex_iterator();
         ++it) {
        const std::string name = (*it)[1];
        const std::size_t open = static_cast<std::size_t>(it->position(0) + it->length(0) - 1);
        const std::vector<std::string> args = CallArguments(code, open);
        if (args.empty()) continue;
        std::string id;
        if (name.ends_with("LanguageText") || name.ends_with("language_text") || name == "TextId") {
            if (args.size() == 1) id = args[0];
        } else if (name == "MakeText") {
            if (args.size() >= 4) id = args[3];
        } else {
            id = args.back();
        }
        int value = 0;
        if (IsNumber(id)) {
            value = std::stoi(id);
        } else if (const auto constant = constants.find(id); constant != constants.end()) {
            value = constant->second;
        }
        if (value != 0) ids.insert(value);
    }
    return ids;
}

// Button names and default-function descriptions of the model description files.
std::set<int> ScanDescription(std::string_view xml) {
    std::set<int> ids;
    static const std::regex kAttribute(R"(\b(?:name|func_desc)\s*=\s*["'](\d+)["'])");
    const std::string owned(xml);
    for (auto it = std::sregex_iterator(owned.begin(), owned.end(), kAttribute);
         it != std::sregex_iterator(); ++it) {
        ids.insert(std::stoi((*it)[1]));
    }
    return ids;
}

// Where each id is used, for the failure message.
std::map<int, std::set<std::string>> UsedTextIds() {
    std::map<int, std::set<std::string>> used;
    const fs::path src(CORVATT_SOURCE_DIR);
    for (const auto& entry : fs::recursive_directory_iterator(src)) {
        const std::string ext = entry.path().extension().string();
        if (!entry.is_regular_file() || (ext != ".cpp" && ext != ".h")) continue;
        const std::string code = ReadFile(entry.path());
        std::map<std::string, int> constants = ScanConstants(code);
        if (ext == ".cpp") {
            fs::path header = entry.path();
            header.replace_extension(".h");
            if (fs::exists(header)) constants.merge(ScanConstants(ReadFile(header)));
        }
        for (int id : ScanCode(code, constants)) {
            used[id].insert(fs::relative(entry.path(), src).string());
        }
    }
    for (const auto& entry : fs::directory_iterator(fs::path(CORVATT_TEST_DATA) / "device")) {
        if (entry.path().extension() != ".xml") continue;
        for (int id : ScanDescription(ReadFile(entry.path()))) {
            used[id].insert("device/" + entry.path().filename().string());
        }
    }
    return used;
}

struct LanguageFile {
    std::string raw;
    std::vector<std::pair<int, std::string>> entries;  // in file order
    std::vector<std::string> bad_lines;
};

LanguageFile ReadLanguageFile(int language) {
    LanguageFile file;
    file.raw = ReadFile(fs::path(CORVATT_TEST_DATA) / "language" / (std::to_string(language) + ".lan"));
    std::size_t pos = 0;
    bool first = true;
    while (pos < file.raw.size()) {
        std::size_t end = file.raw.find('\n', pos);
        if (end == std::string::npos) end = file.raw.size();
        const std::string line = file.raw.substr(pos, end - pos);
        pos = end + 1;
        if (first) {
            if (line != "[LAN]") file.bad_lines.push_back(line);
            first = false;
            continue;
        }
        const std::size_t eq = line.find('=');
        const std::string key = eq == std::string::npos ? "" : line.substr(0, eq);
        const std::string value = eq == std::string::npos ? "" : line.substr(eq + 1);
        if (!IsNumber(key) || value.empty() || value != text::Trim(value) ||
            text::CharCount(value) > 259) {
            file.bad_lines.push_back(line);
            continue;
        }
        file.entries.emplace_back(std::stoi(key), value);
    }
    return file;
}

TEST(TextIdScanTest, FindsTheWaysCodeNamesATextId) {
    const struct {
        const char* code;
        std::set<int> ids;
    } cases[] = {
        {"ShowMessage(GetLanguageText(57), this, GetLanguageText( 576 ), 0);", {57, 576}},
        {"control->SetTextId(558); x->SetTooltipId(85);", {85, 558}},
        {"tabs->SetItemTextId(index, 71); list->SetVersionLabelId(15);", {15, 71}},
        {R"(MakeText("MText", kNoDeviceText, {150, 450, 1150, 490}, 56, home);)", {56}},
        {R"(MakeText("MButton", 46, Rect{20, 680, f(1, 2), 720}, 558))", {558}},
        {"constexpr Item kItems[] = {{1, TextId(71)}, {2, TextId(72)}};", {71, 72}},
        {"GetLanguageText(item.text_id); SetTextId(id); GetLanguageText(kTextCopyWord);", {}},
        {"Format(\"%s %d\", GetLanguageText(61), 1)", {61}},
        {"line->SetTextId(0);", {}},
        {"m_ui.LanguageText(551); m_language_text(61); m_language_text(std::move(f));", {61, 551}},
        {"constexpr int kCloseTooltip = 5;\nclose->SetTooltipId(kCloseTooltip); GetLanguageText(kOther);",
         {5}},
    };
    for (const auto& c : cases) EXPECT_EQ(ScanCode(c.code, ScanConstants(c.code)), c.ids) << c.code;
    EXPECT_EQ(ScanDescription(R"(<key name="700" key_value="0" func_desc='106' rect="1#2#3"/>)"),
              (std::set<int>{106, 700}));
}

TEST(LanguageFilesTest, HoldEveryTextIdTheProgramUses) {
    const auto used = UsedTextIds();
    ASSERT_FALSE(used.empty());
    for (int language : {1033, 2052}) {
        const LanguageFile file = ReadLanguageFile(language);
        std::set<int> have;
        for (const auto& [id, value] : file.entries) have.insert(id);
        std::string missing;
        for (const auto& [id, where] : used) {
            if (have.count(id)) continue;
            missing += " " + std::to_string(id) + " (" + *where.begin() + ")";
        }
        EXPECT_TRUE(missing.empty()) << language << ".lan lacks:" << missing;
    }
}

TEST(LanguageFilesTest, AreWellFormedAndHoldTheSameIds) {
    std::map<int, std::vector<int>> ids;
    for (int language : {1033, 2052}) {
        const LanguageFile file = ReadLanguageFile(language);
        EXPECT_FALSE(file.raw.starts_with("\xEF\xBB\xBF")) << language;
        EXPECT_TRUE(text::IsValidUtf8(file.raw)) << language;
        EXPECT_EQ(file.raw.find('\r'), std::string::npos) << language;
        for (const std::string& line : file.bad_lines) ADD_FAILURE() << language << ": " << line;
        int previous = -1;
        for (const auto& [id, value] : file.entries) {
            EXPECT_GT(id, previous) << language << ".lan: ids must ascend, " << id;
            previous = id;
            ids[language].push_back(id);
        }
        EXPECT_GT(file.entries.size(), 150u) << language;
    }
    EXPECT_EQ(ids[1033], ids[2052]);
}

TEST(LanguageFilesTest, GeneratedNameWordsMatchTheFixedWords) {
    // The macro and profile rules recognise these words; the shipped texts must be them.
    const std::map<int, std::map<int, std::string>> words = {
        {1033, {{31, "Copy"}, {61, "Profile"}, {351, "Custom"}}},
        {2052, {{31, "复制"}, {61, "配置"}, {351, "自定义"}}},
    };
    for (const auto& [language, expected] : words) {
        std::map<int, std::string> have;
        for (const auto& [id, value] : ReadLanguageFile(language).entries) have[id] = value;
        for (const auto& [id, word] : expected) EXPECT_EQ(have[id], word) << language << " " << id;
    }
}

}  // namespace
}  // namespace corvatt
