#include "sim/VirtualHidBackend.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "device/DeviceChange.h"
#include "device/DeviceManager.h"
#include "device/OutputReport.h"
#include "device/ReportDescriptor.h"
#include "sim/VirtualModel.h"

namespace corvatt {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Opens interface n of a plugged device.
std::unique_ptr<HidHandle> OpenInterface(VirtualHidBackend& sim, int id, int n) {
    return sim.Open(sim.InterfacePaths(id).at(n));
}

// A 33-byte request with its checksum.
OutputReport Request(std::uint8_t command, std::uint8_t payload5 = 0) {
    OutputReport r(command);
    r[5] = payload5;
    OutputReport::StoreChecksum(r.data());
    return r;
}

class Sim : public ::testing::Test {
protected:
    void SetUp() override { sim.SetVirtualTime(true); }
    VirtualHidBackend sim;
};

TEST_F(Sim, CompositeDeviceInterfaces) {
    const int id = sim.Plug("v1-receiver");
    const std::vector<HidDeviceInfo> infos = sim.Enumerate();
    ASSERT_EQ(infos.size(), 4u);
    const HidUsage usages[] = {{0x0001, 0x0002}, {0x000C, 0x0001}, {0xFF01, 0x0010}, {0xFFEF, 0x0000}};
    for (int i = 0; i < 4; ++i) {
        const HidDeviceInfo& info = infos[i];
        EXPECT_EQ(info.interface_number, i);
        EXPECT_EQ(info.vendor_id, 0x1209);
        EXPECT_EQ(info.product_id, 0x0002);
        EXPECT_EQ(info.release_number, 0x0105);
        EXPECT_EQ((HidUsage{info.usage_page, info.usage}), usages[i]);
        EXPECT_EQ(info.path, sim.InterfacePaths(id)[i]);
        EXPECT_NE(info.path.find("VID_1209&PID_0002&MI_0" + std::to_string(i)), std::string::npos) << info.path;
        // the descriptor says what the enumeration says
        std::vector<std::uint8_t> descriptor;
        ASSERT_TRUE(sim.ReadReportDescriptor(info.path, descriptor));
        EXPECT_EQ(ParseTopLevelUsages(descriptor), std::vector<HidUsage>{usages[i]});
        EXPECT_EQ(IsAcceptedDescriptor(descriptor), i == 2);
    }
    EXPECT_EQ(sim.Open("\\\\?\\HID#VID_1209&PID_0002&MI_02#nothing"), nullptr);
}

struct InfoCase {
    const char* model;
    const char* identity;
    std::uint8_t sensor;
    std::uint8_t rate;
};

TEST_F(Sim, InformationBlockOfEachModel) {
    const InfoCase cases[] = {
        {"v1-wired", "CV01", 17, 0x20},
        {"v1-receiver", "CV01", 17, 0x20},
        {"v2-wired", "CV02", 150, 0x40},
    };
    for (const InfoCase& c : cases) {
        const int id = sim.Plug(c.model);
        sim.SetBattery(id, 64, 3);
        auto handle = OpenInterface(sim, id, 2);
        OutputReport request = Request(0x10);
        ASSERT_EQ(handle->Write(request.data(), 33), 33) << c.model;
        std::uint8_t reply[65] = {};
        ASSERT_EQ(handle->Read(reply, 33, 30), 33) << c.model;
        EXPECT_EQ(reply[0], 0x10) << c.model;
        EXPECT_EQ(reply[1], 0x00) << c.model;
        EXPECT_EQ(std::string(reinterpret_cast<char*>(reply + 4), 4), c.identity) << c.model;
        EXPECT_EQ(reply[10], c.sensor) << c.model;
        EXPECT_EQ(reply[11], c.rate) << c.model;
        EXPECT_EQ(reply[12], 64) << c.model;
        EXPECT_EQ(reply[13], 3) << c.model;
        EXPECT_EQ(reply[14], 1) << c.model << ": linked";
    }
}

TEST_F(Sim, AcknowledgesWellFormedRequestsAndIgnoresBadChecksums) {
    const int id = sim.Plug("v2-wired");
    auto handle = OpenInterface(sim, id, 2);
    std::uint8_t reply[65] = {};

    OutputReport request = Request(0x03, 0x42);
    ASSERT_EQ(handle->Write(request.data(), 33), 33);
    ASSERT_EQ(handle->Read(reply, 65, 30), 64);
    EXPECT_EQ(reply[0], 0x03);
    EXPECT_EQ(reply[1], 0x00);
    EXPECT_EQ(reply[4], 0x42) << "the request echoed";
    EXPECT_EQ(sim.State(id)->last_request.at(0x03)[4], 0x42);

    OutputReport bad = Request(0x03, 0x42);
    bad[32] ^= 0x01;
    ASSERT_EQ(handle->Write(bad.data(), 33), 33);
    EXPECT_EQ(handle->Read(reply, 65, 30), 0) << "no reply";
    EXPECT_EQ(sim.State(id)->bad_checksum_count, 1);
    EXPECT_EQ(sim.State(id)->requests.size(), 1u);

    // interfaces 0 and 1 take writes and never answer
    auto mouse = OpenInterface(sim, id, 0);
    EXPECT_EQ(mouse->Write(request.data(), 33), 33);
    EXPECT_EQ(mouse->Read(reply, 65, 30), 0);
    EXPECT_EQ(sim.State(id)->requests.size(), 1u);
}

TEST_F(Sim, CommandHandlerTableGrows) {
    const int id = sim.Plug("v1-wired");
    ASSERT_TRUE(sim.SetHandler(id, 0x12, [](VirtualMouseState&, const VirtualMouse::Report&,
                                            VirtualMouse::Report& reply) {
        reply[4] = 0x03;  // a report rate code
        return true;
    }));
    ASSERT_TRUE(sim.SetHandler(id, 0x13, [](VirtualMouseState&, const VirtualMouse::Report&, VirtualMouse::Report&) {
        return false;  // no reply
    }));
    auto handle = OpenInterface(sim, id, 2);
    std::uint8_t reply[65] = {};
    OutputReport r12 = Request(0x12);
    handle->Write(r12.data(), 33);
    ASSERT_GT(handle->Read(reply, 65, 30), 0);
    EXPECT_EQ(reply[4], 0x03);
    OutputReport r13 = Request(0x13);
    handle->Write(r13.data(), 33);
    EXPECT_EQ(handle->Read(reply, 65, 30), 0);
}

TEST_F(Sim, ReceiverFollowsItsMouse) {
    const int id = sim.Plug("v1-receiver", false);
    auto handle = OpenInterface(sim, id, 2);
    std::uint8_t reply[65] = {};

    // the information request is answered before the pending status report
    OutputReport info = Request(0x10);
    handle->Write(info.data(), 33);
    ASSERT_EQ(handle->Read(reply, 33, 30), 33);
    EXPECT_EQ(reply[0], 0x10);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(reply + 4), 4), "CV01");
    EXPECT_EQ(reply[14], 0) << "no mouse linked";
    ASSERT_GT(handle->Read(reply, 33, 10), 0);
    EXPECT_EQ(reply[0], 0xC0);
    EXPECT_EQ(reply[1], 0x00);

    OutputReport version = Request(0x20);
    handle->Write(version.data(), 33);
    ASSERT_GT(handle->Read(reply, 33, 30), 0);
    EXPECT_EQ(reply[4], 0x01);
    EXPECT_EQ(reply[5], 0x23);
    OutputReport rate = Request(0x02);
    handle->Write(rate.data(), 33);
    EXPECT_EQ(handle->Read(reply, 33, 30), 0) << "nothing reaches the mouse";

    sim.SetBattery(id, 55, 1);
    ASSERT_TRUE(sim.SetMouseOn(id, true));
    ASSERT_TRUE(sim.SetMouseOn(id, true)) << "no change, no report";
    ASSERT_GT(handle->Read(reply, 33, 10), 0);
    EXPECT_EQ(Bytes(reply, reply + 4), (Bytes{0xC0, 0x01, 55, 1}));
    EXPECT_EQ(handle->Read(reply, 33, 10), 0);
    handle->Write(rate.data(), 33);
    EXPECT_GT(handle->Read(reply, 33, 30), 0);

    ASSERT_TRUE(sim.SetMouseOn(id, false));
    ASSERT_GT(handle->Read(reply, 33, 10), 0);
    EXPECT_EQ(Bytes(reply, reply + 4), (Bytes{0xC0, 0x00, 0, 0}));

    const int wired = sim.Plug("v1-wired");
    EXPECT_FALSE(sim.SetMouseOn(wired, false)) << "a cable mouse has no link to switch";
}

TEST_F(Sim, DpiButtonSendsTheStageState) {
    const int id = sim.Plug("v1-wired");
    auto handle = OpenInterface(sim, id, 2);
    std::uint8_t report[65] = {};
    ASSERT_TRUE(sim.SendDpiState(id, 2, 5));
    ASSERT_EQ(handle->Read(report, 65, 10), 64);
    EXPECT_EQ(report[0], 0xC2);
    EXPECT_EQ(report[1], 0x25);
    EXPECT_FALSE(sim.SendDpiState(id, 16, 5));
    EXPECT_FALSE(sim.SendDpiState(id + 100, 0, 1));
}

TEST_F(Sim, DpiButtonPressCyclesTheActiveStages) {
    const int id = sim.Plug("v1-wired");
    auto handle = OpenInterface(sim, id, 2);
    std::uint8_t report[65] = {};
    // Factory state: four stages, the second selected; after the last comes the first.
    for (int expected : {0x24, 0x34, 0x04, 0x14}) {
        ASSERT_TRUE(sim.PressDpiButton(id));
        ASSERT_EQ(handle->Read(report, 65, 10), 64);
        EXPECT_EQ(report[0], 0xC2);
        EXPECT_EQ(report[1], expected);
    }
    EXPECT_EQ(sim.State(id)->settings.dpi_index, 1);

    const int receiver = sim.Plug("v1-receiver");
    ASSERT_TRUE(sim.SetMouseOn(receiver, false));
    EXPECT_FALSE(sim.PressDpiButton(receiver)) << "a switched-off mouse has no button to press";
}

TEST_F(Sim, Faults) {
    const int id = sim.Plug("v1-wired");
    auto handle = OpenInterface(sim, id, 2);
    std::uint8_t reply[65] = {};
    OutputReport request = Request(0x05, 1);

    sim.InjectFault(id, {SimFault::kLateReply, 200, 1});
    std::int64_t start = sim.NowMs();
    handle->Write(request.data(), 33);
    EXPECT_EQ(handle->Read(reply, 33, 30), 0);
    EXPECT_GT(handle->Read(reply, 33, 1000), 0);
    EXPECT_EQ(sim.NowMs() - start, 200);
    EXPECT_EQ(reply[1], 0);

    sim.InjectFault(id, {SimFault::kBusyReply, 0, 2});
    for (int i = 0; i < 2; ++i) {
        handle->Write(request.data(), 33);
        ASSERT_GT(handle->Read(reply, 33, 30), 0);
        EXPECT_EQ(reply[1], 0x01);
    }
    handle->Write(request.data(), 33);
    ASSERT_GT(handle->Read(reply, 33, 30), 0);
    EXPECT_EQ(reply[1], 0x00) << "the fault ended after two requests";

    sim.InjectFault(id, {SimFault::kGarbage});
    handle->Write(request.data(), 33);
    ASSERT_GT(handle->Read(reply, 33, 30), 0);
    EXPECT_NE(reply[1], 0x00);
    EXPECT_NE(reply[0], 0x05);

    sim.InjectFault(id, {SimFault::kNoReply});
    handle->Write(request.data(), 33);
    EXPECT_EQ(handle->Read(reply, 33, 30), 0);
    sim.ClearFault(id);

    std::vector<std::pair<int, std::string>> events;
    sim.SetDeviceChangeHook([&](int event, std::string path) { events.emplace_back(event, std::move(path)); });
    sim.InjectFault(id, {SimFault::kUnplugDuringExchange});
    EXPECT_EQ(handle->Write(request.data(), 33), 33) << "the request got out";
    EXPECT_EQ(handle->Read(reply, 33, 30), -1);
    EXPECT_EQ(handle->Write(request.data(), 33), -1);
    EXPECT_EQ(events.size(), 4u);
    EXPECT_TRUE(sim.PluggedIds().empty());
    EXPECT_TRUE(sim.Enumerate().empty());
}

TEST_F(Sim, PlugAndUnplugPostEventsThatDriveTheDecision) {
    DeviceManager dm;
    auto shared = std::make_shared<VirtualHidBackend>();
    dm.AddBackend(shared);
    std::vector<std::pair<int, std::string>> events;
    shared->SetDeviceChangeHook([&](int event, std::string path) { events.emplace_back(event, std::move(path)); });
    const std::vector<ModeIds> modes = {{0x1209, 0x0001}, {0x1209, 0x0002}, {0x1209, 0x0003}};
    auto decide = [&](bool present) {
        std::vector<int> tasks;
        for (const auto& [event, path] : events) {
            tasks.push_back(DecideDeviceChange(event, kBroadcastDeviceInterface, path, modes, present,
                                               [&](const std::string& p) { return dm.IsAcceptedInterface(p); }));
        }
        events.clear();
        return tasks;
    };

    const int id = shared->Plug("v1-receiver");
    ASSERT_EQ(events.size(), 4u);
    for (const auto& [event, path] : events) {
        EXPECT_EQ(event, kDeviceArrival);
    }
    EXPECT_EQ(decide(false), (std::vector<int>{0, 0, 2, 0})) << "only interface 2 queues a rescan";

    shared->Unplug(id);
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[0].first, kDeviceRemoveComplete);
    EXPECT_EQ(decide(true), (std::vector<int>{0, 0, 3, 0}));
    EXPECT_FALSE(shared->Unplug(id)) << "already gone";
    EXPECT_TRUE(events.empty());
}

TEST(SimFactory, ParseList) {
    struct Case {
        const char* text;
        bool ok;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        {"", true, {"v1-wired"}},
        {"v1-wired,v1-receiver", true, {"v1-wired", "v1-receiver"}},
        {" v2-wired , v1-wired", true, {"v2-wired", "v1-wired"}},
        {"v1-wired,v1-wired", true, {"v1-wired", "v1-wired"}},
        {"v1-wired,,v2-wired", false, {""}},
        {"v3-wired", false, {"v3-wired"}},
        {"v1-wired,", false, {""}},
        {"V1-WIRED", false, {"V1-WIRED"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> names;
        EXPECT_EQ(VirtualHidBackend::ParseList(c.text, names), c.ok) << c.text;
        EXPECT_EQ(names, c.names) << c.text;
    }
}

TEST(SimFactory, CreatePlugsTheList) {
    std::string error;
    auto sim = VirtualHidBackend::Create("v1-wired,v2-wired", &error);
    ASSERT_NE(sim, nullptr);
    EXPECT_EQ(sim->PluggedIds().size(), 2u);
    EXPECT_EQ(sim->Enumerate().size(), 8u);
    EXPECT_EQ(VirtualHidBackend::Create("v1-wired,mouse", &error), nullptr);
    EXPECT_EQ(error, "mouse");
}

TEST(SimRealTime, ReadWaitsForALateReplyAndUnplugEndsTheWait) {
    VirtualHidBackend sim;  // real time
    const int id = sim.Plug("v1-wired");
    auto handle = OpenInterface(sim, id, 2);
    std::uint8_t reply[65] = {};
    sim.InjectFault(id, {SimFault::kLateReply, 20, 1});
    OutputReport request = Request(0x05);
    handle->Write(request.data(), 33);
    EXPECT_GT(handle->Read(reply, 33, 2000), 0);
    EXPECT_EQ(reply[1], 0);

    std::thread unplugger([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        sim.Unplug(id);
    });
    EXPECT_EQ(handle->Read(reply, 33, 5000), -1);
    unplugger.join();
}

}  // namespace
}  // namespace corvatt
