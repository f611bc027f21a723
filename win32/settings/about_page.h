#pragma once

#include "win32/settings/settings_page.h"

namespace tockbell {

// The About page (template 132): one read-only text box with the program's description.
class CAboutPage : public CSettingsPage {
public:
    using CSettingsPage::CSettingsPage;

    // The text box takes the page inside a margin, and the text. Laying out the long text costs an
    // opening more than all the rest of it, and most openings never show the page: the dialog calls
    // this at the page's first showing.
    void Fill();
    bool Filled() const { return filled_; }

private:
    std::optional<LRESULT> PageProc(UINT, WPARAM, LPARAM) override { return std::nullopt; }

    bool filled_ = false;
};

}  // namespace tockbell
