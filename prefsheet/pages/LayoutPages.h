// The layout pages of the advanced page's embedded sheet, besides the poster
// page: each shows what its layout does. The layout itself is set by the
// advanced page's list, so a page never edits the model on its own.
#pragma once

#include "ResourceIds.h"
#include "View.h"

#include <cstdint>

class LayoutPage : public DialogPage {
public:
    // pictureId: the bitmap library's illustration of the layout.
    explicit LayoutPage(uint32_t pictureId) : picture_(pictureId) {}

    void OnInit(View& view) override { view.SetPicture(IDC_LAYOUT_PICTURE, picture_); }
    bool OnCommand(View&, int, Notify) override { return false; }

private:
    uint32_t picture_;
};
