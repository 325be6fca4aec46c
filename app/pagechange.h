#pragma once
// Whether a page change enters or leaves the network module's configuration mode. The mode
// belongs to the NETWORK sub-page of the Configuration page: it is entered when that sub-page
// comes into view and left when it goes out of view.
enum class MainPage { None, Config, Diagnostics };

struct PageState {
    MainPage main = MainPage::None;
    bool confIsNetwork = false; // the Configuration page shows its NETWORK sub-page
};

struct PageTransition {
    bool enter = false;
    bool leave = false;
};

PageTransition pageTransition(const PageState& previous, const PageState& now);
