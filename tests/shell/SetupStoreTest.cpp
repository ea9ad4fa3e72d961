// The SETUP store: the settings and offsets go in as bound values and come back unchanged.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "shell/SetupStore.h"

namespace dc {

TEST(SetupStore, SettingsAndOffsetsRoundTripWithAQuoteInAText) {
    test::ProgramFolder folder;
    folder.OpenDatabase();
    SetupStore(TestDb()).StoreSetupRow({true, "1'; Delete From SETUP; --", false, true});
    SetupStore(TestDb()).StorePrinterOffsets(0.0474, -1.5);

    const std::optional<SetupRow> row = SetupStore(TestDb()).ReadSetupRow();
    ASSERT_TRUE(row);
    EXPECT_TRUE(row->sounds);
    EXPECT_EQ(row->labelStyle, "1'; Delete From SETUP; --");
    EXPECT_FALSE(row->flag18_9);
    EXPECT_TRUE(row->usCaFlag);
    const PrinterOffsets offsets = SetupStore(TestDb()).ReadPrinterOffsets();
    EXPECT_DOUBLE_EQ(offsets.x, 0.047) << "three decimals are kept";
    EXPECT_DOUBLE_EQ(offsets.y, -1.5);
}

}  // namespace dc
