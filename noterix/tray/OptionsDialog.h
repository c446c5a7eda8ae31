#pragma once

#include "wkit/Controls.h"

// The application's main dialog: four switches, applied to the open notes
// at OK. It is only ever shown and hidden.
class OptionsDialog : public wkit::Dialog {
public:
    OptionsDialog();
    bool OnInitDialog() override;
    bool OnOK() override;
    bool OnCancel() override;

private:
    wkit::AutoPrefCheckBox askDelete_;
    wkit::AutoPrefCheckBox scrollBars_;
    wkit::AutoPrefCheckBox colours_;
    wkit::AutoPrefCheckBox onTop_;
};

// The version and the maker's web address; at most one is open.
class AboutDialog : public wkit::Dialog {
public:
    static void Open();
    static bool IsOpen();
    bool OnInitDialog() override;
    bool OnOK() override;
    bool OnCancel() override { return OnOK(); }

private:
    AboutDialog();
    wkit::URLButton link_;
};
