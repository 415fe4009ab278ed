#include "catalog/DeviceCatalog.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace corvatt {
namespace {

class DeviceCatalogTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = std::filesystem::temp_directory_path() /
                ("catalog-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    bool LoadText(const std::string& xml) {
        const auto path = (m_dir / "config.xml").string();
        std::ofstream(path, std::ios::binary) << xml;
        return m_catalog.Load(path, "/skin/device/");
    }

    std::filesystem::path m_dir;
    DeviceCatalog m_catalog;
};

TEST_F(DeviceCatalogTest, ReadsModelsModesAndSoftwareInFileOrder) {
    ASSERT_TRUE(LoadText(R"(<?xml version="1.0" encoding="UTF-8"?>
<config>
<language.info default_lan="1033"><lan value="1033"/></language.info>
<device>
<mouse name="A" device_type="102" device_attr="key_a" image="a.png">
<mode value="0" desc="cable" vid="0x1a2b" pid="0C3D" dev_id="CV01" hid_interface="MI_02"/>
<mode value="1" desc="receiver" vid="1A2B" pid="0c3e" dev_id="CV01"/>
</mouse>
<mouse name="B" device_type="201" device_attr="key_b" image="b.png"/>
</device>
<software caption="Corvatt" version="2.5">
<website url="https://w"/><feedback url="https://f"/><qa url="https://q"/><upgrade url="https://u"/>
</software>
</config>
)"));
    ASSERT_EQ(m_catalog.Models().size(), 2u);
    EXPECT_EQ(m_catalog.Models()[0].name, "A");
    EXPECT_EQ(m_catalog.Models()[0].image_path, "/skin/device/a.png");
    EXPECT_EQ(m_catalog.Models()[0].mode, 0);
    EXPECT_EQ(m_catalog.Models()[0].vendor_id, 0);
    EXPECT_EQ(m_catalog.Models()[1].device_type, 201);

    // "0x1a2b" and "1A2B" are the same number; a model without modes adds no mode record.
    ASSERT_EQ(m_catalog.Modes().size(), 2u);
    const auto& cable = m_catalog.Modes()[0];
    EXPECT_EQ(cable.name, "A");
    EXPECT_EQ(cable.device_type, 102);
    EXPECT_EQ(cable.model_key, "key_a");
    EXPECT_EQ(cable.vendor_id, 0x1A2B);
    EXPECT_EQ(cable.product_id, 0x0C3D);
    EXPECT_EQ(cable.device_identity, "CV01");
    EXPECT_EQ(cable.hid_interface, "MI_02");
    EXPECT_EQ(cable.reserved_b, -1);
    const auto& receiver = m_catalog.Modes()[1];
    EXPECT_EQ(receiver.mode, 1);
    EXPECT_EQ(receiver.vendor_id, 0x1A2B);
    EXPECT_EQ(receiver.product_id, 0x0C3E);
    EXPECT_EQ(receiver.hid_interface, "");

    EXPECT_TRUE(m_catalog.HasSoftware());
    EXPECT_EQ(m_catalog.Software().version, "2.5");
    EXPECT_EQ(m_catalog.Software().website_url, "https://w");
    EXPECT_EQ(m_catalog.Software().feedback_url, "https://f");
    EXPECT_EQ(m_catalog.Software().qa_url, "https://q");
    EXPECT_EQ(m_catalog.Software().upgrade_url, "https://u");
}

TEST_F(DeviceCatalogTest, LookupByTypeReturnsTheFirstOfTwoModels) {
    ASSERT_TRUE(LoadText(R"(<config><device>
<mouse name="first" device_type="7"/><mouse name="second" device_type="7"/>
</device></config>)"));
    EXPECT_EQ(m_catalog.Models().size(), 2u);
    ASSERT_NE(m_catalog.FindModel(7), nullptr);
    EXPECT_EQ(m_catalog.FindModel(7)->name, "first");
    EXPECT_EQ(m_catalog.FindModel(8), nullptr);
}

TEST_F(DeviceCatalogTest, SearchesOnlyForwardAtEachLevel) {
    // `software` before `device` is not seen; inside `software`, `upgrade` before `website` is missed.
    ASSERT_TRUE(LoadText(R"(<config><software version="1"/><device><mouse name="m" device_type="1"/></device></config>)"));
    EXPECT_EQ(m_catalog.Models().size(), 1u);
    EXPECT_FALSE(m_catalog.HasSoftware());

    ASSERT_TRUE(LoadText(R"(<config><device/><software version="3">
<upgrade url="https://u"/><website url="https://w"/></software></config>)"));
    EXPECT_EQ(m_catalog.Software().website_url, "https://w");
    EXPECT_EQ(m_catalog.Software().upgrade_url, "");
}

TEST_F(DeviceCatalogTest, UnreadableFilesLeaveTheListsEmpty) {
    ASSERT_TRUE(LoadText(R"(<config><device><mouse name="m" device_type="1"><mode vid="zz" pid="12"/></mouse></device></config>)"));
    ASSERT_EQ(m_catalog.Modes().size(), 1u);
    EXPECT_EQ(m_catalog.Modes()[0].vendor_id, 0);  // not hexadecimal: registers 0, which no device matches

    for (const char* bad : {"<other><device><mouse name=\"m\"/></device></other>",
                            "<config><device><mouse name=\"m\"></device></config>", "not xml at all"}) {
        EXPECT_FALSE(LoadText(bad)) << bad;
        EXPECT_TRUE(m_catalog.Models().empty()) << bad;
        EXPECT_TRUE(m_catalog.Modes().empty()) << bad;
    }
    EXPECT_FALSE(m_catalog.Load((m_dir / "missing.xml").string(), ""));
}

}  // namespace
}  // namespace corvatt
