// The shipped state and ZIP ranges as the build makes them (sysdata/CSZ.DBF in the build tree),
// opened the way the program opens them: from a program directory's sysdata.

#include <gtest/gtest.h>

#include <filesystem>

#include "bulkmail/StateZipCheck.h"
#include "core/SystemTables.h"
#include "platform/xbase/Table.h"
#include "support/ScratchHome.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;

struct ShippedCase {
    const char* State;
    const char* Zip;
    bool Questionable;
};

TEST(ShippedStateZipRanges, PlaceKnownAddresses)
{
    testing::ScratchHome home;
    const fs::path built = CORVANE_BUILD_SYSDATA;
    fs::create_directories(home.File("sysdata"));
    for (const char* name : {"CSZ.DBF", "CSZ.CDX"}) {
        ASSERT_TRUE(fs::exists(built / name)) << (built / name) << " was not built";
        fs::copy_file(built / name, fs::path(home.File("sysdata")) / name);
    }
    xbase::Table csz;
    ASSERT_TRUE(OpenCityStateZipTable(csz));
    auto ranges = StateZipRanges::Load(csz);
    ASSERT_TRUE(ranges) << ranges.Message();
    // 50 states, DC, 5 territories, 3 freely associated states, 3 military, 13 provinces.
    EXPECT_EQ(ranges->Size(), 75u);
    const ShippedCase cases[] = {
        {"NY", "10001", false},   {"NY", "14999-1234", false}, {"NY", "00501", true}, // Holtsville is a stray
        {"CA", "94105", false},   {"CA", "96200", true},       {"TX", "73301", true},
        {"DC", "20500", false},   {"MD", "20500", true},       {"AP", "96201", false},
        {"ON", "K1A 0B1", false}, {"ON", "M5V 2T6", false},    {"QC", "H2X 1Y4", false},
        {"NU", "X0A 0H0", false}, {"NT", "X1A 2P7", false},    {"NT", "X0A 0H0", true},
        {"YT", "Y1A 1B1", false}, {"BC", "T2P 1J9", true},
    };
    for (const ShippedCase& c : cases)
        EXPECT_EQ(IsQuestionable(*ranges, c.State, c.Zip, false), c.Questionable) << c.State << " " << c.Zip;
}

} // namespace
} // namespace corvane
