#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "device/DeviceManager.h"
#include "sim/VirtualHidBackend.h"
#include "sim/VirtualModel.h"

namespace corvatt {

// A DeviceManager on the virtual devices, on virtual time, with the shipped ids.
class SimFixture : public ::testing::Test {
protected:
    void SetUp() override {
        sim->SetVirtualTime(true);
        dm.AddBackend(sim);
        dm.SetSleepFunction([this](std::chrono::milliseconds ms) {
            sleeps.push_back(static_cast<int>(ms.count()));
            sim->SleepFor(ms);
        });
        for (const VirtualModel& m : VirtualModels()) {
            dm.AddSupportedId(m.vendor_id, m.product_id, m.device_type, m.mode, m.identity);
        }
    }

    // What a rescan does: close, enumerate, set the open flag.
    int Rescan() {
        dm.CloseAll();
        const int n = dm.EnumerateDevice();
        dm.SetOpen(true);
        return n;
    }

    std::vector<DeviceEntry> AllEntries() {
        const int type = dm.GetCurrentType();
        dm.SetCurrentType(0);
        std::vector<DeviceEntry> entries;
        dm.GetEntriesOfCurrentType(entries);
        dm.SetCurrentType(type);
        return entries;
    }

    std::shared_ptr<VirtualHidBackend> sim = std::make_shared<VirtualHidBackend>();
    DeviceManager dm;
    std::vector<int> sleeps;
};

}  // namespace corvatt
