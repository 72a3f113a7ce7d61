#include "MemoryView.h"

#include <algorithm>

namespace {
const MemoryView::Control kUntouched;
}

const MemoryView::Control& MemoryView::get(int id) const
{
    auto it = controls_.find(id);
    return it == controls_.end() ? kUntouched : it->second;
}

void MemoryView::SetText(int id, const std::string& text)
{
    Control& c = at(id);
    c.text = c.textLimit > 0 && text.size() > static_cast<size_t>(c.textLimit) ? text.substr(0, c.textLimit) : text;
}

void MemoryView::ClearList(int id)
{
    at(id).items.clear();
    at(id).selection = -1;
}

void MemoryView::AddListItem(int id, const std::string& text, int32_t data)
{
    at(id).items.emplace_back(text, data);
}

int32_t MemoryView::GetListData(int id, int index) const
{
    const Control& c = get(id);
    return index >= 0 && static_cast<size_t>(index) < c.items.size() ? c.items[index].second : -1;
}

void MemoryView::SetListSelection(int id, int index)
{
    Control& c = at(id);
    c.selection = index >= 0 && static_cast<size_t>(index) < c.items.size() ? index : -1;
}

void MemoryView::SetRange(int id, int low, int high)
{
    Control& c = at(id);
    c.low = std::min(low, high);
    c.high = std::max(low, high);
    c.position = std::clamp(c.position, c.low, c.high);
}

// Like the common controls, a position outside the range is clamped.
void MemoryView::SetPosition(int id, int position)
{
    Control& c = at(id);
    c.position = std::clamp(position, c.low, c.high);
}

void MemoryView::MoveBy(int id, int dx, int dy)
{
    at(id).movedX += dx;
    at(id).movedY += dy;
}

std::string MemoryView::String(uint32_t stringId) const
{
    auto it = strings.find(stringId);
    return it != strings.end() ? it->second : "#" + std::to_string(stringId);
}

int MemoryView::MessageBox(const std::string& text, const std::string& caption, unsigned flags)
{
    messages.push_back({text, caption, flags});
    return messageAnswer;
}

int MemoryView::RunDialog(int templateId, DialogPage& page)
{
    dialogsRun.push_back(templateId);
    if (runDialog)
        return runDialog(templateId, page);
    MemoryView child;
    page.OnInit(child);
    page.OnCancel(child);
    return kDialogCancel;
}

void MemoryView::Click(DialogPage& page, int id)
{
    Control& c = at(id);
    c.checked = !c.checked;
    page.OnCommand(*this, id, Notify::Clicked);
}

void MemoryView::Select(DialogPage& page, int id, int index)
{
    SetListSelection(id, index);
    page.OnCommand(*this, id, Notify::SelChange);
}

void MemoryView::Type(DialogPage& page, int id, const std::string& text)
{
    SetText(id, text);
    page.OnCommand(*this, id, Notify::EditChange);
}

KeyAction MemoryView::PressKey(DialogPage& page, int id, Key key, char character)
{
    const KeyAction action = page.OnKey(*this, id, key, character);
    if (action == KeyAction::PressAsSpace)
        Click(page, id);
    return action;
}

std::string MemoryView::SelectedText(int id) const
{
    const Control& c = get(id);
    return c.selection >= 0 ? c.items[c.selection].first : std::string();
}

bool MemoryView::EmbedSheet(int placeholderId, int, const std::vector<SheetPage>& pages)
{
    at(placeholderId).visible = false;
    sheetPages = pages;
    sheetViews_.clear();
    for (const SheetPage& p : pages) {
        sheetViews_.push_back(std::make_unique<MemoryView>());
        sheetViews_.back()->strings = strings;
        p.page->OnInit(*sheetViews_.back());
    }
    if (!pages.empty())
        ShowSheetPage(0);
    return true;
}

void MemoryView::ShowSheetPage(int index)
{
    if (index < 0 || index >= static_cast<int>(sheetPages.size()))
        return;
    sheetPageShown = index;
    sheetPages[static_cast<size_t>(index)].page->OnSetActive(*sheetViews_[static_cast<size_t>(index)]);
}

View* MemoryView::SheetPageView(int index)
{
    if (index < 0 || index >= static_cast<int>(sheetViews_.size()))
        return nullptr;
    return sheetViews_[static_cast<size_t>(index)].get();
}

ScreenRect MemoryView::ControlScreenRect(int id) const
{
    auto it = rects.find(id);
    return it == rects.end() ? ScreenRect{} : it->second;
}

bool MemoryView::OpenModeless(int templateId, DialogPage& page)
{
    Modeless& m = modeless_[&page];
    if (m.view == nullptr) {
        m.templateId = templateId;
        m.view = std::make_unique<MemoryView>();
        m.view->strings = strings;
        m.view->Show(0, false);
        page.OnInit(*m.view);
    }
    return true;
}

MemoryView::Modeless* MemoryView::modeless(const DialogPage& page)
{
    auto it = modeless_.find(&page);
    return it == modeless_.end() ? nullptr : &it->second;
}

ScreenRect MemoryView::ModelessRect(const DialogPage& page) const
{
    auto it = modeless_.find(&page);
    if (it == modeless_.end())
        return ScreenRect{};
    return ScreenRect{it->second.x, it->second.y, it->second.x + modelessWidth, it->second.y + modelessHeight};
}

void MemoryView::ShowModelessAt(DialogPage& page, int x, int y)
{
    Modeless* m = modeless(page);
    if (m == nullptr)
        return;
    m->x = x;
    m->y = y;
    ++m->shown;
    m->view->Show(0, true);
}

bool MemoryView::ApplySheet()
{
    for (size_t i = 0; i < sheetPages.size(); ++i)
        if (!sheetPages[i].page->OnOK(*sheetViews_[i]))
            return false;
    return true;
}

void MemoryView::CancelSheet()
{
    for (size_t i = 0; i < sheetPages.size(); ++i)
        sheetPages[i].page->OnCancel(*sheetViews_[i]);
}
