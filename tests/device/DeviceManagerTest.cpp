#include "device/DeviceManager.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "device/OutputReport.h"
#include "platform/Log.h"
#include "SimFixture.h"

namespace corvatt {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST_F(SimFixture, EnumerationKeepsTheVendorInterfaceWithItsInformation) {
    ASSERT_GT(sim->Plug("v1-wired"), 0);
    EXPECT_EQ(Rescan(), 1);
    const std::vector<DeviceEntry> entries = AllEntries();
    ASSERT_EQ(entries.size(), 1u);
    const DeviceEntry& e = entries[0];
    EXPECT_EQ(e.index, 0);
    EXPECT_EQ(e.vendor_id, 0x1209);
    EXPECT_EQ(e.product_id, 0x0001);
    EXPECT_NE(e.path.find("VID_1209&PID_0001&MI_02"), std::string::npos);
    EXPECT_EQ(e.product, "Corvatt V1");
    EXPECT_EQ(e.release_number, 0x0102);
    EXPECT_EQ(e.device_type, 102);
    EXPECT_EQ(e.mode, 0);
    EXPECT_EQ(e.online, 1);
    EXPECT_EQ(e.identity, "CV01");
    EXPECT_NE(e.handle, nullptr);
    EXPECT_EQ(e.info_block[0], 0x10);
    EXPECT_EQ(e.info_block[1], 0x00);
    EXPECT_EQ(e.info_block[10], 17);
    EXPECT_EQ(e.info_block[11], 0x20);
    EXPECT_EQ(e.info_block[14], 1);
    for (std::size_t i = 33; i < kInfoBlockSize; ++i) {
        ASSERT_EQ(e.info_block[i], 0) << "only 33 bytes are read, byte " << i;
    }
    EXPECT_TRUE(sleeps.empty());
}

TEST_F(SimFixture, UnsupportedIdsAreSkipped) {
    dm.ClearSupportedIds();
    dm.AddSupportedId(0x1209, 0x0003, 201, 0, "CV02");
    sim->Plug("v1-wired");
    sim->Plug("v2-wired");
    EXPECT_EQ(Rescan(), 1);
    const std::vector<DeviceEntry> entries = AllEntries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].device_type, 201);
    EXPECT_EQ(entries[0].identity, "CV02");
}

TEST_F(SimFixture, CableWinsOverReceiverOfTheSameModel) {
    const int receiver = sim->Plug("v1-receiver");
    const int cable = sim->Plug("v1-wired");
    EXPECT_EQ(Rescan(), 2);
    const std::vector<DeviceEntry> entries = AllEntries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].mode, 1);
    EXPECT_EQ(entries[1].mode, 0);
    EXPECT_EQ(entries[1].index, 1);

    dm.SetCurrentType(102);
    EXPECT_EQ(dm.GetConnectionKind(), 0);
    OutputReport request(0x05);
    ASSERT_TRUE(dm.ExchangeReport(request.data(), request.size()));
    EXPECT_EQ(sim->State(cable)->last_request.count(0x05), 1u);
    EXPECT_EQ(sim->State(receiver)->last_request.count(0x05), 0u);
    int vid = 0;
    int pid = 0;
    ASSERT_TRUE(dm.GetCurrentIds(vid, pid));
    EXPECT_EQ(vid, 0x1209);
    EXPECT_EQ(pid, 0x0001);
}

TEST_F(SimFixture, ReceiverWithMouseOffHasNoHandleUntilItLinks) {
    const int receiver = sim->Plug("v1-receiver", false);
    ASSERT_EQ(Rescan(), 1);
    dm.SetCurrentType(102);
    InfoBlock block{};
    std::vector<DeviceEntry> entries = AllEntries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].identity, "CV01") << "the receiver answers for itself";
    EXPECT_EQ(entries[0].info_block[14], 0) << "no mouse linked";
    EXPECT_EQ(dm.GetConnectionKind(), 1);

    dm.PollReceiverStatus();  // the receiver's 0xC0 0x00
    EXPECT_EQ(AllEntries()[0].online, 2);
    EXPECT_EQ(dm.GetCurrentHandle(), nullptr);
    EXPECT_TRUE(dm.HasDeviceInfo(102)) << "2 counts there";
    EXPECT_FALSE(dm.QueryDeviceInfo(block.data(), nullptr));
    OutputReport request(0x12);
    EXPECT_FALSE(dm.ExchangeReport(request.data(), request.size()));

    ASSERT_TRUE(sim->SetMouseOn(receiver, true));
    dm.PollReceiverStatus();  // 0xC0 0x01
    EXPECT_EQ(AllEntries()[0].online, 1);
    EXPECT_NE(dm.GetCurrentHandle(), nullptr);
    EXPECT_TRUE(dm.ExchangeReport(request.data(), request.size()));
}

TEST_F(SimFixture, ReceiverStatusThroughTheIdleRead) {
    const int receiver = sim->Plug("v1-receiver", false);
    ASSERT_EQ(Rescan(), 1);
    dm.SetCurrentType(102);
    dm.SetOnlineState(102, 1, 0);

    InfoBlock report{};
    int type = -1;
    EXPECT_FALSE(dm.ReadDeviceReport(report.data(), type));
    EXPECT_EQ(report[0], 0xC0);
    EXPECT_EQ(report[1], 0x00);
    EXPECT_EQ(type, 102);
    EXPECT_EQ(AllEntries()[0].online, 0);
    EXPECT_FALSE(dm.HasDeviceInfo(102)) << "0 does not count";

    sim->SetBattery(receiver, 70, 2);
    sim->SetMouseOn(receiver, true);
    report.fill(0);
    EXPECT_FALSE(dm.ReadDeviceReport(report.data(), type)) << "the caller uses the buffer";
    EXPECT_EQ(report[0], 0xC0);
    EXPECT_EQ(report[1], 0x01);
    EXPECT_EQ(report[2], 70);
    EXPECT_EQ(report[3], 2);
    const DeviceEntry entry = AllEntries()[0];
    EXPECT_EQ(entry.online, 1);
    EXPECT_EQ(entry.info_block[14], 1) << "the information block was asked again";
    EXPECT_EQ(entry.info_block[12], 70);
    EXPECT_NE(dm.GetCurrentHandle(), nullptr);

    // linked now: the idle read goes to the receiver's handle, which is quiet
    EXPECT_FALSE(dm.ReadDeviceReport(report.data(), type));
}

TEST_F(SimFixture, ResolveDeviceType) {
    dm.ClearSupportedIds();
    dm.AddSupportedId(0x1209, 0x0001, "", 300, 0, "CV09");
    dm.AddSupportedId(0x1209, 0x0001, "", 102, 0, "CV01");
    dm.AddSupportedId(0x1209, 0x0005, "", 555, 1, "X");
    dm.AddSupportedId(0x1209, 0x0005, "", 556, 0, "ABCD");
    dm.AddSupportedId(0x1209, 0x0006, "", 600, 0, "ABCD");
    dm.AddSupportedId(0x1209, 0x0006, "", 601, 0, "AB");
    struct Case {
        int pid;
        const char* identity;
        int expected;
    };
    const Case cases[] = {
        {1, "CV01", 102}, {1, "CV09", 300}, {1, "cv01", 0},   {1, "", 0},       {5, "ABCD", 101},
        {5, "", 101},     {6, "ABCD", 600}, {6, "ZZZZ", 101}, {7, "CV01", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(dm.ResolveDeviceType(0x1209, c.pid, c.identity), c.expected) << c.pid << " " << c.identity;
    }
    EXPECT_TRUE(dm.IsSupported(0x1209, 0x0005));
    EXPECT_FALSE(dm.IsSupported(0x1209, 0x0007));
    EXPECT_FALSE(dm.IsSupported(0x1208, 0x0001));
    EXPECT_EQ(dm.GetSupportedMode(0x1209, 0x0005), 1) << "the first match's mode";
    EXPECT_EQ(dm.GetSupportedMode(0x1209, 0x0007), 0);
    ASSERT_EQ(dm.SupportedIds().size(), 6u);
    EXPECT_EQ(dm.SupportedIds()[2].identity, "X");
}

TEST_F(SimFixture, IdentityRulesOnEnumeratedDevices) {
    struct Case {
        std::vector<std::pair<int, std::string>> ids;  // (type, dev_id) for 1209:0001
        int expected;
    };
    const Case cases[] = {
        {{{555, "X"}}, 101},
        {{{300, "CV09"}, {102, "CV01"}}, 102},
        {{{300, "CV09"}}, 0},
    };
    sim->Plug("v1-wired");
    for (const Case& c : cases) {
        dm.ClearSupportedIds();
        for (const auto& [type, dev_id] : c.ids) {
            dm.AddSupportedId(0x1209, 0x0001, type, 0, dev_id);
        }
        ASSERT_EQ(Rescan(), 1);
        const std::vector<DeviceEntry> entries = AllEntries();
        EXPECT_EQ(entries[0].device_type, c.expected);
        EXPECT_EQ(entries[0].identity, "CV01");
    }
}

TEST_F(SimFixture, ChecksumCoversBytesFiveToThirtyOne) {
    const int id = sim->Plug("v1-wired");
    Rescan();
    dm.SetCurrentType(102);
    for (std::size_t length : {OutputReport::kShortSize, OutputReport::kLongSize}) {
        Bytes buffer(length);
        for (std::size_t i = 0; i < length; ++i) {
            buffer[i] = static_cast<std::uint8_t>(i * 7 + 3);
        }
        buffer[0] = 0;
        buffer[32] = 0xEE;
        unsigned sum = 0;
        for (std::size_t i = 5; i <= 31; ++i) {
            sum += buffer[i];
        }
        const Bytes sent_tail(buffer.begin() + 33, buffer.end());
        ASSERT_TRUE(dm.ExchangeReport(buffer.data(), length)) << length;
        const std::vector<std::uint8_t> received = sim->State(id)->requests.back();
        EXPECT_EQ(received[31], sum % 256) << length;
        EXPECT_EQ(Bytes(received.begin() + 32, received.begin() + 32 + sent_tail.size()), sent_tail)
            << "bytes 33 and on go out as given";
        EXPECT_EQ(buffer[0], received[0]) << "reply byte 0 is the device's first byte";
        EXPECT_EQ(buffer[1], 0);
    }
}

TEST_F(SimFixture, ChecksumValue) {
    sim->Plug("v1-wired");
    Rescan();
    dm.SetCurrentType(102);
    OutputReport request(0x03);
    request[2] = 0xFF;  // bytes 0-4 are not summed
    request[4] = 0xFF;
    request[5] = 0x80;
    request[31] = 0x90;
    Bytes copy(request.data(), request.data() + 33);
    dm.SetOpen(false);
    EXPECT_FALSE(dm.ExchangeReport(request.data(), request.size()));
    EXPECT_EQ(Bytes(request.data(), request.data() + 33), copy) << "refused before the checksum";
    dm.SetOpen(true);
    sim->InjectFault(sim->PluggedIds()[0], {SimFault::kNoReply});
    EXPECT_FALSE(dm.ExchangeReport(request.data(), request.size()));
    EXPECT_EQ(request[32], 0x10) << "0x80 + 0x90 modulo 256";
}

struct FailureCase {
    const char* name;
    FaultSpec fault;
    bool ok;
    enum { kReply, kRequest, kBusy, kJunk } buffer;
};

TEST_F(SimFixture, ExchangeOutcomes) {
    const FailureCase cases[] = {
        {"no fault", {}, true, FailureCase::kReply},
        {"byte 1 never 0", {SimFault::kBusyReply}, false, FailureCase::kBusy},
        {"no reply", {SimFault::kNoReply}, false, FailureCase::kRequest},
        {"garbage", {SimFault::kGarbage}, false, FailureCase::kJunk},
        {"late reply within the wait", {SimFault::kLateReply, 400}, true, FailureCase::kReply},
        {"late reply after the wait", {SimFault::kLateReply, 1600}, false, FailureCase::kRequest},
        {"unplugged during the exchange", {SimFault::kUnplugDuringExchange}, false, FailureCase::kRequest},
    };
    for (const FailureCase& c : cases) {
        sim->UnplugAll();
        const int id = sim->Plug("v1-wired");
        ASSERT_EQ(Rescan(), 1) << c.name;
        dm.SetCurrentType(102);
        if (c.fault.kind != SimFault::kNone) {
            sim->InjectFault(id, c.fault);
        }
        OutputReport request(0x09);
        request[4] = 6;
        request[7] = 0x55;
        OutputReport::StoreChecksum(request.data());
        const Bytes sent(request.data(), request.data() + 33);
        const std::int64_t start = sim->NowMs();
        EXPECT_EQ(dm.ExchangeReport(request.data(), request.size()), c.ok) << c.name;
        const std::int64_t waited = sim->NowMs() - start;
        const Bytes after(request.data(), request.data() + 33);
        switch (c.buffer) {
            case FailureCase::kReply:
                EXPECT_EQ(after[0], 0x09) << c.name;
                EXPECT_EQ(after[1], 0x00) << c.name;
                EXPECT_EQ(after[6], 0x55) << c.name << ": the request echoed, report ID removed";
                break;
            case FailureCase::kRequest:
                EXPECT_EQ(after, sent) << c.name;
                break;
            case FailureCase::kBusy:
                EXPECT_EQ(after[0], 0x09) << c.name;
                EXPECT_EQ(after[1], 0x01) << c.name << ": the last data read stays";
                break;
            case FailureCase::kJunk:
                EXPECT_NE(after, sent) << c.name;
                EXPECT_NE(after[1], 0) << c.name;
                break;
        }
        if (!c.ok && c.fault.kind != SimFault::kUnplugDuringExchange) {
            EXPECT_GE(waited, 49 * 30) << c.name << ": 50 reads of 30 ms";
            EXPECT_LE(waited, 50 * 30) << c.name;
        }
    }
}

TEST_F(SimFixture, FailedWriteKeepsTheRequestWithItsChecksum) {
    const int id = sim->Plug("v1-wired");
    Rescan();
    dm.SetCurrentType(102);
    ASSERT_NE(dm.GetCurrentHandle(), nullptr);
    sim->Unplug(id);  // the entry stays until the next rescan
    OutputReport request(0x0B);
    request[5] = 3;
    EXPECT_FALSE(dm.ExchangeReport(request.data(), request.size()));
    EXPECT_EQ(request[1], 0x0B);
    EXPECT_EQ(request[32], 3);
}

TEST_F(SimFixture, FaultCountEndsAndExchangesRecover) {
    const int id = sim->Plug("v1-wired");
    Rescan();
    dm.SetCurrentType(102);
    sim->InjectFault(id, {SimFault::kNoReply, 0, 1});
    OutputReport first(0x11);
    EXPECT_FALSE(dm.ExchangeReport(first.data(), first.size()));
    OutputReport second(0x11);
    EXPECT_TRUE(dm.ExchangeReport(second.data(), second.size()));
}

TEST_F(SimFixture, ExchangeRefusals) {
    sim->Plug("v1-wired");
    OutputReport request(0x05);
    EXPECT_FALSE(dm.ExchangeReport(request.data(), request.size())) << "not open";
    Rescan();
    dm.SetCurrentType(201);
    EXPECT_FALSE(dm.ExchangeReport(request.data(), request.size())) << "no interface of the current type";
    dm.SetCurrentType(102);
    for (std::size_t length : {0u, 1u, 32u, 66u}) {
        EXPECT_FALSE(dm.ExchangeReport(request.data(), length)) << length;
    }
    EXPECT_FALSE(dm.ExchangeReport(nullptr, 33));
    EXPECT_EQ(request[32], 0) << "untouched";
    EXPECT_TRUE(dm.ExchangeReport(request.data(), request.size()));
}

TEST_F(SimFixture, InformationRequestIsRetriedOnceAfter500ms) {
    const int id = sim->Plug("v1-wired");
    sim->InjectFault(id, {SimFault::kNoReply, 0, 1});
    ASSERT_EQ(Rescan(), 1);
    EXPECT_EQ(sleeps, std::vector<int>{500});
    EXPECT_EQ(AllEntries()[0].device_type, 102);

    sleeps.clear();
    sim->InjectFault(id, {SimFault::kNoReply});
    ASSERT_EQ(Rescan(), 1) << "an unanswered interface is kept";
    EXPECT_EQ(sleeps, std::vector<int>{500});
    const DeviceEntry entry = AllEntries()[0];
    EXPECT_EQ(entry.device_type, 0);
    EXPECT_EQ(entry.identity, "");
    EXPECT_FALSE(dm.HasDeviceInfo(0));
    EXPECT_EQ(sim->State(id)->last_request.count(0x10), 1u);
}

TEST_F(SimFixture, QueryDeviceInfoWithoutHandleCopiesTheCurrentBlock) {
    InfoBlock block{};
    EXPECT_FALSE(dm.QueryDeviceInfo(block.data(), nullptr));
    sim->Plug("v2-wired");
    Rescan();
    dm.SetCurrentType(201);
    block.fill(0xAA);
    ASSERT_TRUE(dm.QueryDeviceInfo(block.data(), nullptr));
    EXPECT_EQ(block, AllEntries()[0].info_block);
    EXPECT_EQ(block[10], 150);
    EXPECT_EQ(block[11], 0x40);

    ASSERT_TRUE(dm.QueryDeviceInfo(block.data(), dm.GetCurrentHandle()));
    EXPECT_EQ(block[4], 'C');
    EXPECT_EQ(block[7], '2');
    EXPECT_EQ(block[40], 0);
}

TEST_F(SimFixture, ListQueries) {
    sim->Plug("v1-wired");
    sim->Plug("v2-wired");
    sim->Plug("v1-receiver");
    int release = -1;
    EXPECT_FALSE(dm.GetReleaseNumber(release, 0)) << "not open";
    Rescan();
    ASSERT_TRUE(dm.GetReleaseNumber(release, 0));
    EXPECT_EQ(release, 0x0102);
    ASSERT_TRUE(dm.GetReleaseNumber(release, 1));
    EXPECT_EQ(release, 0x0105);
    EXPECT_FALSE(dm.GetReleaseNumber(release, 2));

    std::vector<DeviceEntry> out;
    struct Case {
        int type;
        std::size_t entries;
        int kind;
    };
    for (const Case& c : {Case{0, 3, -1}, Case{102, 2, 0}, Case{201, 1, 0}, Case{999, 0, -1}}) {
        dm.SetCurrentType(c.type);
        EXPECT_EQ(dm.GetEntriesOfCurrentType(out), c.entries > 0) << c.type;
        EXPECT_EQ(out.size(), c.entries) << c.type;
        EXPECT_EQ(dm.GetConnectionKind(), c.kind) << c.type;
    }
    dm.SetCurrentType(102);
    dm.SetOnlineState(102, 1, 2);
    EXPECT_TRUE(dm.GetOnlineEntriesOfCurrentType(out));
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].mode, 0);
    dm.SetOnlineState(102, 0, 0);
    EXPECT_FALSE(dm.GetOnlineEntriesOfCurrentType(out));
    EXPECT_TRUE(dm.HasDeviceInfo(102)) << "the receiver entry is at 2";
    dm.SetCurrentType(0);
    EXPECT_TRUE(dm.GetOnlineEntriesOfCurrentType(out)) << "type 0 lists everything";
    EXPECT_EQ(out.size(), 3u);

    dm.CloseAll();
    EXPECT_FALSE(dm.IsOpen());
    EXPECT_FALSE(dm.GetEntriesOfCurrentType(out));
    EXPECT_FALSE(dm.HasDeviceInfo(201));
    EXPECT_FALSE(dm.GetReleaseNumber(release, 0));
    dm.SetCurrentType(201);
    EXPECT_EQ(dm.GetCurrentHandle(), nullptr);
    EXPECT_EQ(dm.GetConnectionKind(), -1);
}

TEST_F(SimFixture, ReceiverOnlyConnection) {
    sim->Plug("v1-receiver");
    Rescan();
    dm.SetCurrentType(102);
    EXPECT_EQ(dm.GetConnectionKind(), 1);
    int vid = 0;
    int pid = 0;
    ASSERT_TRUE(dm.GetCurrentIds(vid, pid));
    EXPECT_EQ(pid, 0x0002);
}

TEST_F(SimFixture, UpgradeInterface) {
    const int id = sim->Plug("v1-wired");
    std::uint8_t packet[64];
    std::memset(packet, 0xFF, sizeof packet);
    packet[0] = 0;
    EXPECT_FALSE(dm.ExchangeUpgradeReport(packet)) << "no upgrade handle";
    EXPECT_EQ(dm.OpenUpgradeInterface(0x1209, 0x0009), nullptr);
    ASSERT_NE(dm.OpenUpgradeInterface(0x1209, 0x0001), nullptr);
    EXPECT_TRUE(dm.ExchangeUpgradeReport(packet));
    EXPECT_EQ(sim->State(id)->upgrade_writes, 1);
    EXPECT_EQ(sim->State(id)->last_upgrade_report.size(), 64u);
    EXPECT_TRUE(sleeps.empty());

    sim->Unplug(id);
    EXPECT_FALSE(dm.ExchangeUpgradeReport(packet));
    EXPECT_EQ(sleeps, (std::vector<int>{3, 5})) << "second write after 3 ms, read after 5 ms";
}

TEST_F(SimFixture, InterfaceTestOnHotPlugPaths) {
    const int id = sim->Plug("v1-receiver");
    const std::vector<std::string> paths = sim->InterfacePaths(id);
    ASSERT_EQ(paths.size(), 4u);
    const bool expected[] = {false, false, true, false};
    for (std::size_t i = 0; i < paths.size(); ++i) {
        EXPECT_EQ(dm.IsAcceptedInterface(paths[i]), expected[i]) << paths[i];
    }
    EXPECT_FALSE(dm.IsAcceptedInterface("/dev/hidraw99"));
    sim->Unplug(id);
    EXPECT_FALSE(dm.IsAcceptedInterface(paths[2])) << "a path that cannot be opened is rejected";
}

TEST_F(SimFixture, IdleReadEndsEarlyWhenInterrupted) {
    const int id = sim->Plug("v1-wired");
    Rescan();
    dm.SetCurrentType(102);
    InfoBlock report{};
    int type = 0;

    std::int64_t start = sim->NowMs();
    EXPECT_FALSE(dm.ReadDeviceReport(report.data(), type));
    EXPECT_EQ(sim->NowMs() - start, 100) << "nothing to read: the whole 100 ms";
    EXPECT_EQ(type, 102);

    int checks = 0;
    dm.SetReadInterrupt([&] { return ++checks > 3; });
    start = sim->NowMs();
    EXPECT_FALSE(dm.ReadDeviceReport(report.data(), type));
    EXPECT_EQ(sim->NowMs() - start, 30) << "three 10 ms slices, then the interrupt";

    dm.SetReadInterrupt(nullptr);
    dm.WakeIdleRead();  // a wake with no idle read waiting ...
    OutputReport request(0x05);
    start = sim->NowMs();
    EXPECT_TRUE(dm.ExchangeReport(request.data(), request.size())) << "... leaves exchanges alone";
    EXPECT_FALSE(dm.ReadDeviceReport(report.data(), type));
    EXPECT_EQ(sim->NowMs() - start, 0) << "... and ends the next idle read at once";
    start = sim->NowMs();
    EXPECT_FALSE(dm.ReadDeviceReport(report.data(), type));
    EXPECT_EQ(sim->NowMs() - start, 100) << "one wake, one read";

    sim->PushInputReport(id, {0xC2, 0x25});
    EXPECT_TRUE(dm.ReadDeviceReport(report.data(), type));
    EXPECT_EQ(report[0], 0xC2);
    EXPECT_EQ(report[1], 0x25);

    dm.SetOpen(false);
    EXPECT_FALSE(dm.ReadDeviceReport(report.data(), type));
}

TEST_F(SimFixture, ReportsGoToTheLogAtTheHighestVerbosity) {
    sim->Plug("v1-wired");
    Rescan();
    dm.SetCurrentType(102);
    std::vector<std::string> lines;
    Log::SetSink([&](std::string_view line) { lines.emplace_back(line); });
    Log::SetVerbosity(1);
    OutputReport request(0x05);
    request[5] = 0x0A;
    dm.ExchangeReport(request.data(), request.size());
    EXPECT_TRUE(lines.empty()) << "-v has no report lines";

    Log::SetVerbosity(2);
    OutputReport again(0x05);
    again[5] = 0x0A;
    ASSERT_TRUE(dm.ExchangeReport(again.data(), again.size()));
    Log::SetVerbosity(0);
    Log::SetSink(nullptr);
    ASSERT_EQ(lines.size(), 2u);
    std::string tx = "TX 00 05 00 00 00 0a";
    for (int i = 6; i < 32; ++i) {
        tx += " 00";
    }
    tx += " 0a";  // checksum
    EXPECT_EQ(lines[0], tx);
    EXPECT_EQ(lines[1].substr(0, 9), "RX 05 00 ");
    EXPECT_EQ(lines[1].size(), 3u + 33 * 3 - 1) << "the bytes read";
}

}  // namespace
}  // namespace corvatt
