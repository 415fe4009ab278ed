#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "StoreTestSupport.h"
#include "store/ConfigStore.h"

namespace corvatt {
namespace {

constexpr int kWrites = 1500;
constexpr int kEventsPerMacro = 8;

// One thread writes settings, a button and macros while another reads lists; every
// record read must be one that a single write produced.
TEST(ConfigStoreConcurrency, WriterAndReaderNeverSeeATornRecord) {
    testing::TempDataFolder folder;
    ConfigStore store;
    ASSERT_TRUE(store.OpenDatabase(folder.Folder(), "corvatt_v1"));
    const int profile = store.AddProfile(ProfileRecord{0, "配置 1", "", 0, 0});
    const int macro = store.CreateMacro("宏");
    ASSERT_GT(profile, 0);
    ASSERT_GT(macro, 0);
    // The macro as CreateMacro left it, before the writer's first update.
    std::vector<MacroData> created;
    ASSERT_EQ(store.GetMacros(created), 1);
    const MacroData initial = created[0];
    // The setting counts up from 0, so the reader can check that it never goes back.
    ASSERT_TRUE(store.SetConfigValue(profile, "dpi_group0_value", "0"));

    std::atomic<bool> done{false};
    std::atomic<int> writer_failures{0};
    std::atomic<int> reader_failures{0};
    std::atomic<int> reads{0};

    std::thread writer([&] {
        for (int i = 1; i <= kWrites; ++i) {
            const std::string text = std::to_string(i);
            if (!store.SetConfigValue(profile, "dpi_group0_value", text)) ++writer_failures;
            if (!store.UpdateMacro(macro, MacroData{0, "宏 " + text, i, i, i, i})) ++writer_failures;

            KeyAssignment key;
            key.profile = profile;
            key.key_code = 3;
            key.macro_value = i;
            key.macro_value2 = i;
            key.macro_desc = text;
            if (store.SaveKeyAssignment(key) == 0) ++writer_failures;

            if (i % 10 == 0) {
                std::vector<MacroRecord> events;
                for (int e = kEventsPerMacro - 1; e >= 0; --e) {
                    events.push_back(MacroRecord{0, macro, 1, e, i, e, text});
                }
                auto lock = store.Lock();  // replace the events as one change
                if (!store.DeleteMacroRecords(macro)) ++writer_failures;
                store.AddMacroRecords(events);
            }
        }
        done = true;
    });

    std::mutex reasons_mutex;
    std::vector<std::string> reasons;
    auto reader_failed = [&](const std::string& reason) {
        ++reader_failures;
        std::lock_guard lock(reasons_mutex);
        if (reasons.size() < 5) reasons.push_back(reason);
    };
    std::thread reader([&] {
        int last_setting = 0;
        std::vector<MacroData> macros;
        std::vector<MacroRecord> events;
        std::vector<KeyAssignment> keys;
        while (!done || reads < 200) {
            std::string value;
            if (!store.GetConfigValue(profile, "dpi_group0_value", value)) {
                reader_failed("setting unreadable");
            } else {
                const int setting = std::stoi(value);
                if (setting < last_setting) reader_failed("setting went back from " + std::to_string(last_setting) + " to " + value);
                last_setting = setting;
            }

            if (store.GetMacros(macros) != 1) {
                reader_failed("macro list size");
            } else {
                const MacroData& m = macros[0];
                const bool untouched = m.name == initial.name && m.play_type == initial.play_type &&
                                       m.play_times == initial.play_times && m.delay_type == initial.delay_type &&
                                       m.delay_time == initial.delay_time;
                const bool updated = m.play_type == m.play_times && m.play_times == m.delay_type &&
                                     m.delay_type == m.delay_time && m.name == "宏 " + std::to_string(m.play_type);
                const bool consistent = untouched || updated;
                if (!consistent) reader_failed("torn macro " + m.name + " " + std::to_string(m.play_type) + "/" + std::to_string(m.play_times) + "/" + std::to_string(m.delay_type) + "/" + std::to_string(m.delay_time));
            }

            const int count = store.GetMacroRecords(macro, events);
            if (count != 0 && count != kEventsPerMacro) reader_failed("event count " + std::to_string(count));
            for (int e = 0; e < count; ++e) {
                if (events[e].record_index != e || events[e].value != events[0].value) reader_failed("torn events");
            }

            const int key_count = store.GetKeyAssignments(profile, 0, keys);
            if (key_count > 1) reader_failed("key count " + std::to_string(key_count));
            if (key_count == 1 && (keys[0].macro_value != keys[0].macro_value2 ||
                                   std::to_string(keys[0].macro_value) != keys[0].macro_desc)) {
                reader_failed("torn key " + keys[0].macro_desc);
            }
            ++reads;
        }
    });

    writer.join();
    reader.join();
    EXPECT_EQ(writer_failures.load(), 0);
    EXPECT_EQ(reader_failures.load(), 0) << ::testing::PrintToString(reasons);
    EXPECT_GE(reads.load(), 200);

    std::string value;
    ASSERT_TRUE(store.GetConfigValue(profile, "dpi_group0_value", value));
    EXPECT_EQ(value, std::to_string(kWrites));
    std::vector<MacroRecord> events;
    EXPECT_EQ(store.GetMacroRecords(macro, events), kEventsPerMacro);
}

}  // namespace
}  // namespace corvatt
