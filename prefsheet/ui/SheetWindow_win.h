// A sheet of pages: a child window (WS_CHILD, WS_EX_CONTROLPARENT) holding a
// tab strip and one child dialog per page, embeddable in any dialog. The tab
// strip can be hidden, and the active page is chosen by index from code.
#pragma once

#include "DialogView_win.h"
#include "Handles_win.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

class SheetWindow {
public:
    SheetWindow(HINSTANCE resources, HINSTANCE bitmaps);
    ~SheetWindow();
    SheetWindow(const SheetWindow&) = delete;
    SheetWindow& operator=(const SheetWindow&) = delete;

    // Pages are added before Create; the page objects outlive the sheet.
    void AddPage(int templateId, const std::string& title, DialogPage& page);
    // Creates the sheet over `area` (client coordinates of parent) and every
    // page in it; false when any window cannot be made.
    bool Create(HWND parent, int controlId, const RECT& area, bool showTabs);

    // The sheet's size that shows the largest page whole, tab strip included
    // when shown; known after Create.
    SIZE RequiredSize() const;
    void ShowTabs(bool on);
    bool SetActivePage(int index);
    int GetActivePage() const { return active_; }
    int PageCount() const { return static_cast<int>(pages_.size()); }
    HWND hwnd() const { return window_.get(); }
    HWND tabs() const { return tabs_; }
    // Null for a page not shown yet: its window is made when first shown.
    HWND pageWindow(int index) const;
    DialogView& view(int index) { return *pages_.at(static_cast<size_t>(index)).view; }

    // OK asks every page in order and stops at the first that refuses.
    bool Apply();
    void Cancel();

private:
    struct Page {
        int templateId;
        std::string title;
        std::unique_ptr<DialogView> view;
    };

    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    RECT pageArea() const;
    void layout();
    bool templateSize(HWND parent, int templateId, SIZE& size) const;
    bool createPage(size_t index);

    HINSTANCE resources_;
    HINSTANCE bitmaps_;
    std::vector<Page> pages_;
    UniqueWindow window_;
    HWND tabs_ = nullptr;   // a child of window_, which destroys it
    bool showTabs_ = true;
    SIZE largestPage_ = {0, 0};
    int active_ = -1;
    bool layedOut_ = false;
};
