#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace corvatt {

enum class RegistryStatus {
    kOk,
    kNotFound,  // the key (or the value) does not exist
    kError,     // any other failure: unreadable store, value too long to read
};

// A per-user store of string values under key paths such as "SOFTWARE\Corvatt".
// Key paths and value names compare case-insensitively (ASCII).
class Registry {
public:
    virtual ~Registry() = default;

    // kOk when the key exists (also when only a sub-key of it was created).
    virtual RegistryStatus OpenKey(std::string_view key) = 0;
    // Creates the key; true also when it already exists.
    virtual bool CreateKey(std::string_view key) = 0;
    // The stored text of a value, whatever its length.
    virtual RegistryStatus QueryValue(std::string_view key, std::string_view name,
                                      std::string& value) = 0;
    // Stores a value under an existing key; false when the key does not exist.
    virtual bool SetValue(std::string_view key, std::string_view name, std::string_view value) = 0;
    // Removes a value; true when it is gone afterwards.
    virtual bool DeleteValue(std::string_view key, std::string_view name) = 0;
};

// A value is read into a buffer of 255 bytes holding UTF-16 text and its terminating zero.
inline constexpr std::size_t kRegistryReadBytes = 255;

// "SOFTWARE\<app>".
std::string ApplicationKey(std::string_view app_name);

// Bytes the value takes as UTF-16 with its terminating zero.
std::size_t RegistryValueBytes(std::string_view utf8_value);

// Reads a value under the 255-byte rule: a value that does not fit fails with kError and
// leaves `value` empty.
RegistryStatus ReadRegistryString(Registry& registry, std::string_view key, std::string_view name,
                                  std::string& value);

// Reads a value under the 255-byte rule and converts it like _wtoi: absent, too long or
// non-numeric read as 0.
int ReadRegistryDecimal(Registry& registry, std::string_view key, std::string_view name);

// Opens the key, creating it when it does not exist (the value then counts as 0), and reads
// the value with ReadRegistryDecimal.
int ReadRegistryInt(Registry& registry, std::string_view key, std::string_view name);

// Writes under an existing key only; nothing is written when the key cannot be opened.
bool WriteRegistryString(Registry& registry, std::string_view key, std::string_view name,
                         std::string_view value);
// Writes the number as "%d".
bool WriteRegistryDecimal(Registry& registry, std::string_view key, std::string_view name,
                          int value);

}  // namespace corvatt
