#include "platform/Registry.h"

#include "common/text/Text.h"

namespace corvatt {

std::string ApplicationKey(std::string_view app_name) {
    return "SOFTWARE\\" + std::string(app_name);
}

std::size_t RegistryValueBytes(std::string_view utf8_value) {
    return 2 * text::Utf8ToUtf16(utf8_value).size() + 2;
}

RegistryStatus ReadRegistryString(Registry& registry, std::string_view key, std::string_view name,
                                  std::string& value) {
    value.clear();
    std::string stored;
    const RegistryStatus status = registry.QueryValue(key, name, stored);
    if (status != RegistryStatus::kOk) {
        return status;
    }
    if (RegistryValueBytes(stored) > kRegistryReadBytes) {
        return RegistryStatus::kError;
    }
    value = std::move(stored);
    return RegistryStatus::kOk;
}

int ReadRegistryDecimal(Registry& registry, std::string_view key, std::string_view name) {
    std::string value;
    if (ReadRegistryString(registry, key, name, value) != RegistryStatus::kOk) {
        return 0;
    }
    return text::ToInt(value);
}

int ReadRegistryInt(Registry& registry, std::string_view key, std::string_view name) {
    switch (registry.OpenKey(key)) {
        case RegistryStatus::kOk:
            return ReadRegistryDecimal(registry, key, name);
        case RegistryStatus::kNotFound:
            registry.CreateKey(key);
            return 0;
        case RegistryStatus::kError:
            break;
    }
    return 0;
}

bool WriteRegistryString(Registry& registry, std::string_view key, std::string_view name,
                         std::string_view value) {
    if (registry.OpenKey(key) != RegistryStatus::kOk) {
        return false;
    }
    return registry.SetValue(key, name, value);
}

bool WriteRegistryDecimal(Registry& registry, std::string_view key, std::string_view name,
                          int value) {
    return WriteRegistryString(registry, key, name, std::to_string(value));
}

}  // namespace corvatt
