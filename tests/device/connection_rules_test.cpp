#include "device/connection_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace m47::device;

TEST(BaudRateChoice, ItemTextGivesTheComponentIndex)
{
    const std::pair<const char*, int> cases[] = {{"115200", 12}, {"57600", 11}, {"38400", 9}, {"19200", 8},
                                                 {"9600", 6},    {"4800", 5},   {"110", 0},   {"256000", 14},
                                                 {"", 12},       {"12345", 12}, {"abc", 12}};
    for (auto [text, index] : cases)
        EXPECT_EQ(BaudRateIndexFor(text), index) << text;
}

TEST(PortItem, ListedPortIsFoundByItsParenthesisedName)
{
    const std::vector<std::string> items{"Alpha (COM12)", "Beta (COM1)", "Gamma (COM1)"};
    EXPECT_EQ(PortTag(1), "(COM1)");
    EXPECT_EQ(FindPortItem(items, 1), 1);
    EXPECT_EQ(FindPortItem(items, 12), 0);
    EXPECT_EQ(FindPortItem(items, 2), -1);
    EXPECT_EQ(FindPortItem({}, 1), -1);
}
