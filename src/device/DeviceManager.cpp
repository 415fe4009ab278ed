#include "device/DeviceManager.h"

#include <algorithm>
#include <cstring>
#include <thread>

#include "device/OutputReport.h"
#include "device/ReportDescriptor.h"
#include "platform/Log.h"

namespace corvatt {
namespace {

constexpr std::size_t kMaxProductCharacters = 511;
constexpr std::size_t kUpgradeReportSize = 64;
constexpr std::uint8_t kInfoRequest = 0x10;
constexpr std::uint8_t kReceiverStatus = 0xC0;

// Cuts a UTF-8 text after max characters.
std::string TruncateCharacters(const std::string& text, std::size_t max) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            if (count == max) {
                return text.substr(0, i);
            }
            ++count;
        }
    }
    return text;
}

std::size_t CountCharacters(const std::string& text) {
    std::size_t count = 0;
    for (char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            ++count;
        }
    }
    return count;
}

}  // namespace

struct DeviceManager::Slot {
    DeviceEntry entry;
    std::unique_ptr<HidHandle> owned;
};

DeviceManager& DeviceManager::Instance() {
    static DeviceManager instance;
    return instance;
}

DeviceManager::DeviceManager()
    : m_sleep([](std::chrono::milliseconds ms) { std::this_thread::sleep_for(ms); }) {}

DeviceManager::~DeviceManager() {
    CloseUpgradeInterface();
    CloseAll();
}

void DeviceManager::AddBackend(std::shared_ptr<HidBackend> backend) {
    if (!backend) {
        return;
    }
    std::lock_guard lock(m_backend_mutex);
    m_backends.push_back(std::move(backend));
}

void DeviceManager::RemoveBackend(const HidBackend* backend) {
    std::lock_guard lock(m_backend_mutex);
    std::erase_if(m_backends, [backend](const auto& b) { return b.get() == backend; });
}

std::vector<std::shared_ptr<HidBackend>> DeviceManager::Backends() const {
    std::lock_guard lock(m_backend_mutex);
    return m_backends;
}

void DeviceManager::SetSleepFunction(SleepFunction sleep) {
    StepLock step(m_step_mutex);
    if (sleep) {
        m_sleep = std::move(sleep);
    } else {
        m_sleep = [](std::chrono::milliseconds ms) { std::this_thread::sleep_for(ms); };
    }
}

void DeviceManager::SetReadInterrupt(std::function<bool()> interrupted) {
    StepLock step(m_step_mutex);
    m_read_interrupt = std::move(interrupted);
}

void DeviceManager::WakeIdleRead() {
    for (const std::shared_ptr<HidBackend>& backend : Backends()) {
        backend->WakeReaders();
    }
}

void DeviceManager::Sleep(int ms) {
    m_sleep(std::chrono::milliseconds(ms));
}

// ---- supported ids ----

void DeviceManager::AddSupportedId(int vendor_id, int product_id, std::string text, int device_type,
                                   int mode, std::string identity) {
    std::lock_guard lock(m_list_mutex);
    m_supported_ids.push_back(
        SupportedId{vendor_id, product_id, std::move(text), device_type, mode, std::move(identity)});
}

void DeviceManager::AddSupportedId(int vendor_id, int product_id, int device_type, int mode,
                                   std::string identity) {
    AddSupportedId(vendor_id, product_id, std::string(), device_type, mode, std::move(identity));
}

void DeviceManager::ClearSupportedIds() {
    std::lock_guard lock(m_list_mutex);
    m_supported_ids.clear();
}

std::vector<SupportedId> DeviceManager::SupportedIds() const {
    std::lock_guard lock(m_list_mutex);
    return m_supported_ids;
}

bool DeviceManager::IsSupported(int vendor_id, int product_id) const {
    std::lock_guard lock(m_list_mutex);
    return std::any_of(m_supported_ids.begin(), m_supported_ids.end(), [&](const SupportedId& id) {
        return id.vendor_id == vendor_id && id.product_id == product_id;
    });
}

int DeviceManager::GetSupportedMode(int vendor_id, int product_id) const {
    std::lock_guard lock(m_list_mutex);
    for (const SupportedId& id : m_supported_ids) {
        if (id.vendor_id == vendor_id && id.product_id == product_id) {
            return id.mode;
        }
    }
    return 0;
}

int DeviceManager::ResolveDeviceType(int vendor_id, int product_id, const std::string& identity) const {
    std::lock_guard lock(m_list_mutex);
    for (const SupportedId& id : m_supported_ids) {
        if (id.vendor_id != vendor_id || id.product_id != product_id) {
            continue;
        }
        if (CountCharacters(id.identity) < 4) {
            return kUnknownDeviceType;
        }
        if (id.identity == identity) {
            return id.device_type;
        }
    }
    return 0;
}

// ---- report traffic ----

int DeviceManager::WriteReport(HidHandle* handle, const std::uint8_t* data, std::size_t len) {
    Log::Report(true, data, len);
    return handle->Write(data, len);
}

int DeviceManager::ReadReport(HidHandle* handle, std::uint8_t* data, std::size_t len, int timeout_ms) {
    const int n = handle->Read(data, len, timeout_ms);
    if (n > 0) {
        Log::Report(false, data, std::min(static_cast<std::size_t>(n), len));
    }
    return n;
}

bool DeviceManager::ReadInterruptible(HidHandle* handle, std::uint8_t* data, std::size_t len,
                                      int timeout_ms) {
    for (int waited = 0; waited < timeout_ms; waited += kIdleReadSliceMs) {
        if (m_type_change_waiting.load() > 0 || (m_read_interrupt && m_read_interrupt())) {
            return false;
        }
        bool woken = false;
        const int n = handle->ReadIdle(data, len, std::min(kIdleReadSliceMs, timeout_ms - waited), woken);
        if (woken) {
            return false;
        }
        if (n > 0) {
            Log::Report(false, data, std::min(static_cast<std::size_t>(n), len));
        }
        if (n > 0) {
            return true;
        }
        if (n < 0) {
            return false;
        }
    }
    return false;
}

bool DeviceManager::QueryDeviceInfo(std::uint8_t* block, HidHandle* handle) {
    StepLock step(m_step_mutex);
    if (block == nullptr) {
        return false;
    }
    if (handle == nullptr) {
        if (GetCurrentHandle() == nullptr || m_current_entry < 0) {
            return false;
        }
        std::lock_guard lock(m_list_mutex);
        const InfoBlock& stored = m_entries[m_current_entry]->entry.info_block;
        std::memcpy(block, stored.data(), kInfoBlockSize);
        return true;
    }
    std::memset(block, 0, kInfoBlockSize);
    block[0] = 0x00;
    block[1] = kInfoRequest;
    OutputReport::StoreChecksum(block);
    if (WriteReport(handle, block, OutputReport::kShortSize) <= 0) {
        return false;
    }
    for (int i = 0; i < kExchangeReads; ++i) {
        const int n = ReadReport(handle, block, OutputReport::kShortSize, kExchangeReadTimeoutMs);
        if (n > 0 && block[1] == 0) {
            return true;
        }
        if (n < 0) {
            break;
        }
    }
    return false;
}

bool DeviceManager::ExchangeReport(std::uint8_t* buffer, std::size_t length) {
    StepLock step(m_step_mutex);
    if (buffer == nullptr || length < OutputReport::kShortSize || length > OutputReport::kLongSize) {
        return false;
    }
    if (m_open.load() == 0) {
        return false;
    }
    HidHandle* handle = GetCurrentHandle();
    if (handle == nullptr) {
        return false;
    }
    OutputReport::StoreChecksum(buffer);
    std::uint8_t work[OutputReport::kLongSize];
    std::memcpy(work, buffer, length);
    if (WriteReport(handle, work, length) <= 0) {
        return false;
    }
    std::memcpy(work, buffer, length);
    bool done = false;
    for (int i = 0; i < kExchangeReads && !done; ++i) {
        const int n = ReadReport(handle, work, length, kExchangeReadTimeoutMs);
        if (n > 0 && work[1] == 0) {
            done = true;
        } else if (n < 0) {
            break;  // the device is gone; further reads fail the same way
        }
    }
    std::memcpy(buffer, work, length);
    return done;
}

bool DeviceManager::QueryWithRetry(HidHandle* handle, InfoBlock& block) {
    if (QueryDeviceInfo(block.data(), handle)) {
        return true;
    }
    Sleep(kInfoRetryPauseMs);
    return QueryDeviceInfo(block.data(), handle);
}

std::string DeviceManager::IdentityFromBlock(const InfoBlock& block) {
    std::string identity;
    for (std::size_t i = 4; i < 8 && block[i] != 0; ++i) {
        const unsigned c = block[i];
        if (c < 0x80) {
            identity += static_cast<char>(c);
        } else {  // a byte is one character (U+0080 to U+00FF)
            identity += static_cast<char>(0xC0 | (c >> 6));
            identity += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return identity;
}

// ---- entries ----

int DeviceManager::EnumerateDevice() {
    StepLock step(m_step_mutex);
    int added = 0;
    std::vector<std::string> accepted_paths;
    for (const std::shared_ptr<HidBackend>& backend : Backends()) {
        for (const HidDeviceInfo& info : backend->Enumerate()) {
            if (!IsSupported(info.vendor_id, info.product_id)) {
                continue;
            }
            if (!IsAcceptedUsage(info.usage_page, info.usage)) {
                continue;
            }
            // hidraw lists a node once per top-level collection
            if (std::find(accepted_paths.begin(), accepted_paths.end(), info.path) != accepted_paths.end()) {
                continue;
            }
            std::unique_ptr<HidHandle> handle = backend->Open(info.path);
            if (!handle) {
                continue;
            }
            accepted_paths.push_back(info.path);

            auto slot = std::make_unique<Slot>();
            DeviceEntry& entry = slot->entry;
            entry.vendor_id = info.vendor_id;
            entry.product_id = info.product_id;
            entry.product = TruncateCharacters(handle->ProductString(), kMaxProductCharacters);
            entry.release_number = info.release_number;
            entry.device_type = 0;
            entry.mode = GetSupportedMode(info.vendor_id, info.product_id);
            entry.online = 1;
            entry.path = info.path;
            entry.handle = handle.get();
            if (QueryWithRetry(handle.get(), entry.info_block)) {
                entry.identity = IdentityFromBlock(entry.info_block);
                entry.device_type = ResolveDeviceType(info.vendor_id, info.product_id, entry.identity);
            }
            slot->owned = std::move(handle);

            std::lock_guard lock(m_list_mutex);
            entry.index = static_cast<int>(m_entries.size());
            m_entries.push_back(std::move(slot));
            ++added;
        }
    }
    return added;
}

void DeviceManager::CloseAll() {
    StepLock step(m_step_mutex);
    std::vector<std::unique_ptr<Slot>> closing;
    {
        std::lock_guard lock(m_list_mutex);
        m_open.store(0);
        closing.swap(m_entries);
    }
    m_current_handle = nullptr;
    m_current_entry = -1;
    closing.clear();  // closes the handles
}

void DeviceManager::SetOpen(bool open) {
    m_open.store(open ? 1 : 0);
}

bool DeviceManager::IsOpen() const {
    return m_open.load() != 0;
}

int DeviceManager::GetCurrentType() const {
    return m_current_type.load();
}

void DeviceManager::SetCurrentType(int device_type) {
    StepLock step(m_step_mutex, std::try_to_lock);
    if (!step.owns_lock()) {
        // a worker step runs: end its idle read rather than wait up to 100 ms
        m_type_change_waiting.fetch_add(1);
        WakeIdleRead();
        step.lock();
        m_type_change_waiting.fetch_sub(1);
    }
    m_current_type.store(device_type);
    m_current_handle = nullptr;
    m_current_entry = -1;
}

void DeviceManager::ClearCurrentCache() {
    StepLock step(m_step_mutex);
    m_current_handle = nullptr;
    m_current_entry = -1;
}

DeviceManager::StepLock DeviceManager::LockStep() {
    return StepLock(m_step_mutex);
}

HidHandle* DeviceManager::GetCurrentHandle() {
    StepLock step(m_step_mutex);
    if (m_current_handle != nullptr) {
        return m_current_handle;
    }
    const int type = m_current_type.load();
    std::lock_guard lock(m_list_mutex);
    for (const auto& slot : m_entries) {
        if (slot->entry.device_type == type && slot->entry.mode == 0) {
            m_current_handle = slot->entry.handle;
            m_current_entry = slot->entry.index;
            return m_current_handle;
        }
    }
    for (const auto& slot : m_entries) {
        if (slot->entry.device_type == type && slot->entry.mode == 1) {
            if (slot->entry.online != 1) {
                return nullptr;  // later receiver entries are not tried
            }
            m_current_handle = slot->entry.handle;
            m_current_entry = slot->entry.index;
            return m_current_handle;
        }
    }
    return nullptr;
}

bool DeviceManager::ReadDeviceReport(std::uint8_t* buffer, int& device_type) {
    StepLock step(m_step_mutex);
    if (buffer == nullptr || m_open.load() == 0) {
        return false;
    }
    device_type = m_current_type.load();
    if (HidHandle* handle = GetCurrentHandle()) {
        return ReadInterruptible(handle, buffer, kInfoBlockSize, kIdleReadTimeoutMs);
    }
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        Slot& slot = *m_entries[i];
        if (slot.entry.mode != 1 || slot.entry.handle == nullptr) {
            continue;
        }
        InfoBlock report{};
        if (ReadReport(slot.entry.handle, report.data(), OutputReport::kShortSize,
                       kReceiverReadTimeoutMs) <= 0) {
            continue;
        }
        device_type = slot.entry.device_type;
        if (report[0] == kReceiverStatus) {
            if (report[1] == 1) {
                InfoBlock block{};
                const bool have_block = QueryWithRetry(slot.entry.handle, block);
                const std::string identity = have_block ? IdentityFromBlock(block) : slot.entry.identity;
                const int resolved = have_block
                                         ? ResolveDeviceType(slot.entry.vendor_id, slot.entry.product_id, identity)
                                         : slot.entry.device_type;
                std::lock_guard lock(m_list_mutex);
                slot.entry.online = 1;
                if (have_block) {
                    slot.entry.info_block = block;
                    slot.entry.identity = identity;
                    slot.entry.device_type = resolved;
                }
            } else {
                std::lock_guard lock(m_list_mutex);
                slot.entry.online = 0;
            }
            SetOnlineState(slot.entry.device_type, 1, slot.entry.online);
        }
        std::memcpy(buffer, report.data(), kInfoBlockSize);
        return false;
    }
    return false;
}

void DeviceManager::PollReceiverStatus() {
    StepLock step(m_step_mutex);
    const int type = m_current_type.load();
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        Slot& slot = *m_entries[i];
        if (slot.entry.device_type != type || slot.entry.mode != 1 || slot.entry.handle == nullptr) {
            continue;
        }
        InfoBlock report{};
        if (ReadReport(slot.entry.handle, report.data(), OutputReport::kShortSize,
                       kReceiverReadTimeoutMs) > 0 &&
            report[0] == kReceiverStatus) {
            SetOnlineState(type, 1, report[1] == 1 ? 1 : 2);
        }
    }
}

void DeviceManager::SetOnlineState(int device_type, int mode, int state) {
    StepLock step(m_step_mutex);
    std::lock_guard lock(m_list_mutex);
    for (const auto& slot : m_entries) {
        if (slot->entry.device_type == device_type && slot->entry.mode == mode) {
            slot->entry.online = state;
        }
    }
}

bool DeviceManager::CollectEntries(std::vector<DeviceEntry>& out, bool online_only) {
    StepLock step(m_step_mutex);
    out.clear();
    const int type = m_current_type.load();
    std::lock_guard lock(m_list_mutex);
    for (const auto& slot : m_entries) {
        if (type == 0 || (slot->entry.device_type == type && (!online_only || slot->entry.online == 1))) {
            out.push_back(slot->entry);
        }
    }
    return !out.empty();
}

bool DeviceManager::GetEntriesOfCurrentType(std::vector<DeviceEntry>& out) {
    return CollectEntries(out, false);
}

bool DeviceManager::GetOnlineEntriesOfCurrentType(std::vector<DeviceEntry>& out) {
    return CollectEntries(out, true);
}

int DeviceManager::GetConnectionKind() const {
    const int type = m_current_type.load();
    std::lock_guard lock(m_list_mutex);
    bool receiver = false;
    for (const auto& slot : m_entries) {
        if (slot->entry.device_type != type) {
            continue;
        }
        if (slot->entry.mode == 0) {
            return 0;
        }
        if (slot->entry.mode == 1) {
            receiver = true;
        }
    }
    return receiver ? 1 : -1;
}

bool DeviceManager::HasDeviceInfo(int device_type) const {
    std::lock_guard lock(m_list_mutex);
    return std::any_of(m_entries.begin(), m_entries.end(), [&](const auto& slot) {
        return slot->entry.device_type == device_type && !slot->entry.identity.empty() &&
               slot->entry.online > 0;
    });
}

bool DeviceManager::GetReleaseNumber(int& release_number, int mode) const {
    if (m_open.load() == 0) {
        return false;
    }
    std::lock_guard lock(m_list_mutex);
    for (const auto& slot : m_entries) {
        if (slot->entry.mode == mode) {
            release_number = slot->entry.release_number;
            return true;
        }
    }
    return false;
}

bool DeviceManager::GetCurrentIds(int& vendor_id, int& product_id) {
    StepLock step(m_step_mutex);
    if (GetCurrentHandle() == nullptr || m_current_entry < 0) {
        return false;
    }
    std::lock_guard lock(m_list_mutex);
    const DeviceEntry& entry = m_entries[m_current_entry]->entry;
    vendor_id = entry.vendor_id;
    product_id = entry.product_id;
    return true;
}

// ---- upgrade interface ----

HidHandle* DeviceManager::OpenUpgradeInterface(int vendor_id, int product_id) {
    StepLock step(m_step_mutex);
    m_upgrade_handle.reset();
    for (const std::shared_ptr<HidBackend>& backend : Backends()) {
        for (const HidDeviceInfo& info : backend->Enumerate()) {
            if (info.vendor_id == vendor_id && info.product_id == product_id &&
                info.usage_page == 0xFFEF && info.usage == 0x0000) {
                m_upgrade_handle = backend->Open(info.path);
                if (m_upgrade_handle) {
                    return m_upgrade_handle.get();
                }
            }
        }
    }
    return nullptr;
}

void DeviceManager::CloseUpgradeInterface() {
    StepLock step(m_step_mutex);
    m_upgrade_handle.reset();
}

bool DeviceManager::ExchangeUpgradeReport(std::uint8_t* buffer) {
    StepLock step(m_step_mutex);
    if (!m_upgrade_handle || buffer == nullptr) {
        return false;
    }
    if (WriteReport(m_upgrade_handle.get(), buffer, kUpgradeReportSize) > 0) {
        return true;
    }
    Sleep(3);
    WriteReport(m_upgrade_handle.get(), buffer, kUpgradeReportSize);
    Sleep(5);
    return ReadReport(m_upgrade_handle.get(), buffer, kUpgradeReportSize, 1000) > 0;
}

bool DeviceManager::IsAcceptedInterface(const std::string& path) const {
    std::vector<std::uint8_t> descriptor;
    for (const std::shared_ptr<HidBackend>& backend : Backends()) {
        if (backend->ReadReportDescriptor(path, descriptor)) {
            return IsAcceptedDescriptor(descriptor);
        }
    }
    return false;
}

}  // namespace corvatt
