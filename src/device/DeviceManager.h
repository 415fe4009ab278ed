#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "device/DeviceEntry.h"
#include "device/HidBackend.h"
#include "device/SupportedId.h"

namespace corvatt {

// The single owner of the accepted HID interfaces and the only path for report
// exchange.
//
// Threads: the worker thread runs everything that touches the device. Every
// worker operation takes the step lock (recursive) itself; a worker step that
// must not interleave with a change of the current type holds it for the whole
// step through LockStep(). The UI thread may call GetConnectionKind,
// GetReleaseNumber, HasDeviceInfo, GetCurrentType, IsAcceptedInterface at any time
// (they only take the short list lock, never wait for an exchange), and
// SetCurrentType, which waits for the worker's step to end. ClearSupportedIds and
// AddSupportedId are safe from either thread.
class DeviceManager {
public:
    static constexpr int kExchangeReads = 50;
    static constexpr int kExchangeReadTimeoutMs = 30;
    static constexpr int kIdleReadTimeoutMs = 100;
    static constexpr int kIdleReadSliceMs = 10;
    static constexpr int kReceiverReadTimeoutMs = 10;
    static constexpr int kInfoRetryPauseMs = 500;
    static constexpr int kUnknownDeviceType = 101;

    using StepLock = std::unique_lock<std::recursive_mutex>;
    using SleepFunction = std::function<void(std::chrono::milliseconds)>;

    // The process-wide instance, created on first use. It starts without back
    // ends: the program adds the hidraw one and, with --simulate, the virtual one.
    static DeviceManager& Instance();

    // Tests make their own instances.
    DeviceManager();
    ~DeviceManager();
    DeviceManager(const DeviceManager&) = delete;
    DeviceManager& operator=(const DeviceManager&) = delete;

    // Back ends are enumerated in the order they were added.
    void AddBackend(std::shared_ptr<HidBackend> backend);
    void RemoveBackend(const HidBackend* backend);

    // Replaces the pauses (500 ms retry, upgrade retries); tests use a virtual clock.
    void SetSleepFunction(SleepFunction sleep);
    // The idle read (ReadDeviceReport) runs in 10 ms slices and ends early once
    // this returns true (for example: a task is queued). Set before the worker starts.
    void SetReadInterrupt(std::function<bool()> interrupted);
    // Ends a waiting idle read now (call it after queuing a task). Any thread.
    void WakeIdleRead();

    // Supported ids, in catalogue order.
    void AddSupportedId(int vendor_id, int product_id, std::string text, int device_type, int mode,
                        std::string identity);
    void AddSupportedId(int vendor_id, int product_id, int device_type, int mode, std::string identity);
    void ClearSupportedIds();
    std::vector<SupportedId> SupportedIds() const;
    bool IsSupported(int vendor_id, int product_id) const;
    // Mode of the first matching supported id; 0 if none.
    int GetSupportedMode(int vendor_id, int product_id) const;
    // First supported id with these ids whose identity is shorter than 4 characters
    // gives 101, or whose identity equals the reported one gives its type; else 0.
    int ResolveDeviceType(int vendor_id, int product_id, const std::string& identity) const;

    // Appends an entry for every supported interface with the accepted usage that
    // opens, asking each for its information block (a second try after 500 ms).
    // Entries whose type stays 0 are kept. Returns the number of entries added.
    int EnumerateDevice();
    // Clears the open flag, closes and deletes every entry, clears the caches.
    void CloseAll();
    // The open flag: set by the caller after an enumeration pass.
    void SetOpen(bool open);
    bool IsOpen() const;

    // The current type and its caches.
    int GetCurrentType() const;
    // Makes type current and clears the current handle and entry. Waits for a
    // worker step that holds LockStep() to end (ending its idle read early).
    void SetCurrentType(int device_type);
    void ClearCurrentCache();
    // Held by a worker step for its whole run.
    [[nodiscard]] StepLock LockStep();

    // Cached handle, else the first cable entry of the current type, else the first
    // receiver entry of the current type if it is online (1). Valid until CloseAll.
    HidHandle* GetCurrentHandle();

    // block: 65 bytes. With a handle: sends the information request and waits for
    // the reply (33 bytes, up to 50 reads of 30 ms). Without: copies the current
    // entry's stored block.
    bool QueryDeviceInfo(std::uint8_t* block, HidHandle* handle);

    // buffer: length bytes, 33 to 65. Stores the checksum in byte 32, writes once,
    // reads up to 50 times (30 ms) until a reply with byte 1 = 0. The buffer then
    // holds the reply; after a failed wait the last data read (or the request);
    // after a failed write the request with its checksum.
    bool ExchangeReport(std::uint8_t* buffer, std::size_t length);

    // buffer: 65 bytes. Reads one unsolicited report: from the current interface
    // (65 bytes, at most 100 ms, interruptible), or else from each receiver entry
    // (33 bytes, 10 ms), applying a receiver status report it sees; that case
    // returns false with the report in the buffer and its entry's type in
    // device_type.
    bool ReadDeviceReport(std::uint8_t* buffer, int& device_type);
    // Reads the status reports of the current type's receivers (online 1 or 2).
    void PollReceiverStatus();
    void SetOnlineState(int device_type, int mode, int state);

    // Copies: all entries if the current type is 0, else those of the current type
    // (the online variant: only those with online 1). True when nonempty.
    bool GetEntriesOfCurrentType(std::vector<DeviceEntry>& out);
    bool GetOnlineEntriesOfCurrentType(std::vector<DeviceEntry>& out);
    // 0: the current type has a cable entry; 1: a receiver entry; -1: neither.
    int GetConnectionKind() const;
    // Some entry of that type has an identity and online above 0.
    bool HasDeviceInfo(int device_type) const;
    // Release number of the first entry with that mode; false when not open or none.
    bool GetReleaseNumber(int& release_number, int mode) const;
    // Ids of the entry owning the current handle (obtaining it first). 0/1.
    bool GetCurrentIds(int& vendor_id, int& product_id);

    // Opens the first interface with these ids and usage page 0xFFEF, usage 0, and
    // keeps it as the upgrade handle (replacing an earlier one). Null if none opens.
    HidHandle* OpenUpgradeInterface(int vendor_id, int product_id);
    void CloseUpgradeInterface();
    // buffer: 64 bytes, written as one report; a failed write is retried once after
    // 3 ms, followed after 5 ms by a read of up to 1000 ms.
    bool ExchangeUpgradeReport(std::uint8_t* buffer);

    // The usage test of a hot-plug path, asked of the back end that knows the path.
    bool IsAcceptedInterface(const std::string& path) const;

private:
    struct Slot;

    std::vector<std::shared_ptr<HidBackend>> Backends() const;
    void Sleep(int ms);
    int WriteReport(HidHandle* handle, const std::uint8_t* data, std::size_t len);
    int ReadReport(HidHandle* handle, std::uint8_t* data, std::size_t len, int timeout_ms);
    bool ReadInterruptible(HidHandle* handle, std::uint8_t* data, std::size_t len, int timeout_ms);
    bool QueryWithRetry(HidHandle* handle, InfoBlock& block);
    static std::string IdentityFromBlock(const InfoBlock& block);
    bool CollectEntries(std::vector<DeviceEntry>& out, bool online_only);

    mutable std::mutex m_backend_mutex;
    std::vector<std::shared_ptr<HidBackend>> m_backends;

    // Step lock: worker operations and the change of the current type.
    std::recursive_mutex m_step_mutex;
    // List lock: the entry list's structure and fields, the supported ids.
    mutable std::mutex m_list_mutex;

    std::atomic<int> m_open{0};
    std::vector<std::unique_ptr<Slot>> m_entries;
    std::vector<SupportedId> m_supported_ids;
    std::atomic<int> m_current_type{0};
    std::atomic<int> m_type_change_waiting{0};  // SetCurrentType calls waiting for a step
    HidHandle* m_current_handle = nullptr;  // guarded by the step lock
    int m_current_entry = -1;               // index into m_entries, step lock
    std::unique_ptr<HidHandle> m_upgrade_handle;

    SleepFunction m_sleep;
    std::function<bool()> m_read_interrupt;
};

}  // namespace corvatt
