#include "pagechange.h"

PageTransition pageTransition(const PageState& previous, const PageState& now)
{
    PageTransition t;
    if (now.confIsNetwork && now.main == MainPage::Config) {
        // Moved to the NETWORK sub-page, or came back to Configuration with it still selected.
        t.enter = (previous.main == MainPage::Config && !previous.confIsNetwork) ||
                  (previous.main == MainPage::Diagnostics && previous.confIsNetwork);
    }
    if (previous.confIsNetwork && previous.main == MainPage::Config) {
        // Left the NETWORK sub-page, or switched to Diagnostics while on it.
        t.leave = (!now.confIsNetwork && now.main == MainPage::Config) ||
                  (now.confIsNetwork && now.main == MainPage::Diagnostics);
    }
    return t;
}
