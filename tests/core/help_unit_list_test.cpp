#include "reference/help_unit_list.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace {

using namespace halden;

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

std::unique_ptr<UnitCatalogue> SampleCatalogue() {
    auto units = std::make_unique<UnitCatalogue>();
    units->GroupName[0] = "Length";
    units->UnitCount[0] = 3;
    units->UnitName[0] = {"meter (m)", "尺 [shaku]", "mile"};
    units->UnitName[0][3] = "not listed: beyond the count";
    units->GroupName[27] = "Metric Prefixes";
    units->UnitCount[27] = 1;
    units->UnitName[27][0] = "kilo (k)";
    units->GroupName[48] = "Bit, Byte";
    units->UnitCount[48] = 1;
    units->UnitName[48][0] = "bit";
    units->GroupName[14] = "Viscosity";
    units->UnitCount[14] = 1;
    units->UnitName[14][0] = "poise (P)";
    return units;
}

TEST(HelpUnitList, ListsUnitsUpToTheCountOnly) {
    const std::string html = UnitGroupsHtml(*SampleCatalogue());
    EXPECT_TRUE(Contains(html, "<li>meter (m)</li>"));
    EXPECT_TRUE(Contains(html, "<li>尺 [shaku]</li>"));
    EXPECT_TRUE(Contains(html, "<li>mile</li>"));
    EXPECT_FALSE(Contains(html, "beyond the count"));
}

TEST(HelpUnitList, SectionsFollowTheConvertMenu) {
    const std::string html = UnitGroupsHtml(*SampleCatalogue());
    const auto at = [&](const std::string& part) { return html.find(part); };
    ASSERT_NE(at("id=\"group-0\""), std::string::npos);
    EXPECT_LT(at("id=\"group-0\""), at("id=\"group-48\""));
    EXPECT_LT(at("id=\"group-48\""), at("id=\"group-14\""));
    EXPECT_LT(at("id=\"group-14\""), at("Additional Units"));
    EXPECT_LT(at("Additional Units"), at("id=\"group-27\""));
}

TEST(HelpUnitList, UserGroupsTable) {
    struct Row {
        const char* name;
        std::string groupName;
        std::int16_t count;
        const char* slot0;
        const char* slot1;
        bool listed;
        const char* expectedText;
    };
    const Row rows[] = {
        {"unnamed empty group is left out", "", 0, "", "", false, ""},
        {"named group without units says so", "Tools", 0, "", "", true, "has no units"},
        {"blank slot inside the count is shown", "Mine", 2, "", "span", true, "<i>(blank)</i>"},
        {"unnamed group with units gets its menu name", "", 1, "cubit", "", true, ">User 1</h3>"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        auto units = std::make_unique<UnitCatalogue>();
        units->GroupName[kFirstUserGroup] = row.groupName;
        units->UnitCount[kFirstUserGroup] = row.count;
        units->UnitName[kFirstUserGroup][0] = row.slot0;
        units->UnitName[kFirstUserGroup][1] = row.slot1;
        const std::string html = UnitGroupsHtml(*units);
        EXPECT_EQ(Contains(html, "id=\"group-28\""), row.listed);
        EXPECT_TRUE(Contains(html, row.expectedText));
        if (!row.listed) {
            EXPECT_TRUE(Contains(html, "No groups of your own yet"));
        }
    }
}

TEST(HelpUnitList, NamesAreEscapedAndCountsClamped) {
    auto units = std::make_unique<UnitCatalogue>();
    units->GroupName[kFirstUserGroup] = "A & <B>";  // a user group shows its own name
    units->UnitCount[kFirstUserGroup] = 1;
    units->GroupName[1] = "Mass, Weight";
    units->UnitCount[1] = 500;  // more than the slots; must not read past them
    units->UnitName[1][kUnitSlots - 1] = "last \"slot\"";
    const std::string html = UnitGroupsHtml(*units);
    EXPECT_TRUE(Contains(html, "A &amp; &lt;B&gt;"));
    EXPECT_TRUE(Contains(html, "<li>last &quot;slot&quot;</li>"));
    EXPECT_FALSE(Contains(html, "<B>"));
}

TEST(HelpUnitList, EmptyCatalogueGivesEveryHeadingAndNoGroup) {
    auto units = std::make_unique<UnitCatalogue>();
    const std::string html = UnitGroupsHtml(*units);
    EXPECT_FALSE(Contains(html, "<h3"));
    for (const char* section : {"Convert menu", "Computer", "Other Units", "Additional Units", "Metric Prefixes"}) {
        EXPECT_TRUE(Contains(html, std::string("<h2>") + section + "</h2>")) << section;
    }
}

}  // namespace

namespace {

TEST(HelpUnitList, BuiltInGroupsAreNamedAsTheConvertMenuNamesThem) {
    auto units = SampleCatalogue();
    units->GroupName[5] = "Work Rate, Power....";
    units->UnitCount[5] = 1;
    units->UnitName[5][0] = "watt (W)";
    units->GroupName[28] = "My & Co....";
    units->UnitCount[28] = 1;
    units->UnitName[28][0] = "thing";
    const std::string html = UnitGroupsHtml(*units);
    EXPECT_TRUE(Contains(html, "<h3 id=\"group-5\">Work Rate, Power</h3>"));
    EXPECT_TRUE(Contains(html, "<h3 id=\"group-27\">Metric Prefixes</h3>"));
    EXPECT_FALSE(Contains(html, "Power...."));
    EXPECT_TRUE(Contains(html, "<h3 id=\"group-28\">My &amp; Co....</h3>"));
}

}  // namespace
