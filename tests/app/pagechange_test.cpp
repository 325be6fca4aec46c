#include "app/pagechange.h"

#include <gtest/gtest.h>

namespace {

constexpr PageState ConfBaud{MainPage::Config, false};
constexpr PageState ConfNet{MainPage::Config, true};
constexpr PageState DiagBaud{MainPage::Diagnostics, false};
constexpr PageState DiagNet{MainPage::Diagnostics, true};
constexpr PageState Start{MainPage::None, false};

struct TransitionCase {
    const char* what;
    PageState previous;
    PageState now;
    bool enter;
    bool leave;
};

class PageChange : public ::testing::TestWithParam<TransitionCase>
{
};

TEST_P(PageChange, EntersAndLeavesTheNetworkConfigurationMode)
{
    const TransitionCase& c = GetParam();
    const PageTransition t = pageTransition(c.previous, c.now);
    EXPECT_EQ(t.enter, c.enter) << c.what;
    EXPECT_EQ(t.leave, c.leave) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PageChange,
    ::testing::Values(
        TransitionCase{"to the NETWORK sub-page", ConfBaud, ConfNet, true, false},
        TransitionCase{"NETWORK to RESTORE", ConfNet, ConfBaud, false, true},
        TransitionCase{"to Diagnostics while on NETWORK", ConfNet, DiagNet, false, true},
        TransitionCase{"back to Configuration on NETWORK", DiagNet, ConfNet, true, false},
        TransitionCase{"to Diagnostics from another sub-page", ConfBaud, DiagBaud, false, false},
        TransitionCase{"back to Configuration on another sub-page", DiagBaud, ConfBaud, false, false},
        TransitionCase{"no change on NETWORK", ConfNet, ConfNet, false, false},
        TransitionCase{"no change elsewhere", ConfBaud, ConfBaud, false, false},
        TransitionCase{"first handling at start-up", Start, ConfBaud, false, false},
        TransitionCase{"first handling with NETWORK chosen", Start, ConfNet, false, false},
        TransitionCase{"NETWORK chosen while on Diagnostics", DiagBaud, DiagNet, false, false}));

} // namespace
