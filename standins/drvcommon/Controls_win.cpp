// The common-look window classes: picture buttons, transparent pictures,
// links and ink tanks. Each window keeps one C++ object in GWLP_USERDATA,
// made at WM_NCCREATE and deleted at WM_NCDESTROY; the window procedure lets
// no exception reach user32.
#include "drvcommon.h"

#include "MaskedPicture_win.h"
#include "Module_win.h"

#include <shellapi.h>

#include <cstring>
#include <memory>
#include <string>

namespace drvcommon {

namespace {

// The brush the parent paints this control's background with.
HBRUSH parentBrush(HWND window, HDC dc, UINT colourMessage)
{
    HWND parent = GetParent(window);
    HBRUSH brush = nullptr;
    if (parent != nullptr)
        brush = reinterpret_cast<HBRUSH>(
            SendMessageA(parent, colourMessage, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(window)));
    return brush != nullptr ? brush : GetSysColorBrush(COLOR_BTNFACE);
}

void notifyParent(HWND window, WORD code)
{
    HWND parent = GetParent(window);
    if (parent != nullptr)
        SendMessageA(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), code), reinterpret_cast<LPARAM>(window));
}

bool pointInClient(HWND window, LPARAM lParam)
{
    RECT client;
    GetClientRect(window, &client);
    POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    return PtInRect(&client, point) != FALSE;
}

MaskedPicture loadPicture(HMODULE module, DWORD id, COLORREF transparent)
{
    if (id == 0)
        return MaskedPicture();
    Bitmap bitmap = LoadBitmapResource(module, id);
    return MaskedPicture(bitmap.get(), transparent);
}

class Control {
public:
    explicit Control(HWND window) : window_(window) {}
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    virtual LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam)
    {
        switch (message) {
        case WM_ERASEBKGND:
            return 1;   // painted with the rest, off screen
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window_, &paint);
            if (dc != nullptr) {
                RECT client;
                GetClientRect(window_, &client);
                CMemDC memory(dc, client);
                paint_(memory, true);
            }
            EndPaint(window_, &paint);
            return 0;
        }
        case WM_PRINTCLIENT: {
            // The caller's context gets its text colour and modes back.
            HDC dc = reinterpret_cast<HDC>(wParam);
            const int saved = SaveDC(dc);
            paint_(dc, (lParam & PRF_ERASEBKGND) != 0);
            RestoreDC(dc, saved);
            return 0;
        }
        case WM_SETFONT:
            font_ = reinterpret_cast<HFONT>(wParam);
            if (LOWORD(lParam))
                InvalidateRect(window_, nullptr, TRUE);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(font_);
        case WM_ENABLE:
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            InvalidateRect(window_, nullptr, TRUE);
            break;
        case WM_SETTEXT: {
            LRESULT result = DefWindowProcA(window_, message, wParam, lParam);
            InvalidateRect(window_, nullptr, TRUE);
            return result;
        }
        default:
            break;
        }
        return DefWindowProcA(window_, message, wParam, lParam);
    }

protected:
    HWND window() const { return window_; }
    HFONT font() const { return font_ != nullptr ? font_ : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }
    std::string text() const
    {
        int length = GetWindowTextLengthA(window_);
        std::string result(static_cast<size_t>(length) + 1, '\0');
        length = GetWindowTextA(window_, &result[0], length + 1);
        result.resize(static_cast<size_t>(length < 0 ? 0 : length));
        return result;
    }
    bool enabled() const { return IsWindowEnabled(window_) != FALSE; }
    void fillBackground(HDC dc, UINT colourMessage) const
    {
        RECT client;
        GetClientRect(window_, &client);
        FillRect(dc, &client, parentBrush(window_, dc, colourMessage));
    }
    void redraw() const { InvalidateRect(window_, nullptr, TRUE); }

private:
    virtual void paint_(HDC dc, bool erase) = 0;

    HWND window_;
    HFONT font_ = nullptr;
};

// Mouse and keyboard of a control that is clicked: press inside, release
// inside. Subclasses say what a click does and how pressing looks.
class Clickable : public Control {
public:
    using Control::Control;

    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (!enabled())
                return 0;
            SetFocus(window());
            SetCapture(window());
            tracking_ = true;
            setPushed(true);
            return 0;
        case WM_MOUSEMOVE:
            if (tracking_)
                setPushed(pointInClient(window(), lParam));
            return 0;
        case WM_LBUTTONUP:
            if (tracking_) {
                const bool inside = pointInClient(window(), lParam);
                tracking_ = false;
                ReleaseCapture();
                setPushed(false);
                if (inside)
                    click();
            }
            return 0;
        case WM_CAPTURECHANGED:
            if (tracking_) {
                tracking_ = false;
                setPushed(false);
            }
            return 0;
        case WM_KEYDOWN:
            if (wParam == VK_SPACE && enabled())
                setPushed(true);
            else if (wParam == VK_RETURN && enabled())
                click();
            return 0;
        case WM_KEYUP:
            if (wParam == VK_SPACE && pushed_) {
                setPushed(false);
                click();
            }
            return 0;
        case WM_GETDLGCODE:
            return DLGC_BUTTON;
        default:
            return Control::handle(message, wParam, lParam);
        }
    }

protected:
    bool pushed() const { return pushed_; }
    void setPushed(bool pushed)
    {
        if (pushed != pushed_) {
            pushed_ = pushed;
            redraw();
        }
    }
    virtual void click() { notifyParent(window(), BN_CLICKED); }

private:
    bool tracking_ = false;
    bool pushed_ = false;
};

// COwnButton and CGUIButton.
class PictureButton : public Clickable {
public:
    PictureButton(HWND window, bool withText) : Clickable(window), withText_(withText) {}

    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case GUI_SETPICTURES: {
            const auto* source = reinterpret_cast<const GuiPictureSource*>(lParam);
            if (source == nullptr)
                return FALSE;
            up_ = loadPicture(source->module, source->upId, source->transparent);
            down_ = loadPicture(source->module, source->downId, source->transparent);
            disabled_ = up_.greyed();
            redraw();
            return up_.empty() ? FALSE : TRUE;
        }
        case BM_SETCHECK:
            if (checked_ != (wParam == BST_CHECKED)) {
                checked_ = wParam == BST_CHECKED;
                redraw();
            }
            return 0;
        case BM_GETCHECK:
            return checked_ ? BST_CHECKED : BST_UNCHECKED;
        case BM_SETSTATE:
            setPushed(wParam != 0);
            return 0;
        case BM_GETSTATE:
            return (pushed() ? BST_PUSHED : 0) | (checked_ ? BST_CHECKED : 0) |
                   (GetFocus() == window() ? BST_FOCUS : 0);
        case BM_CLICK:
            if (enabled())
                click();
            return 0;
        default:
            return Clickable::handle(message, wParam, lParam);
        }
    }

private:
    void paint_(HDC dc, bool erase) override
    {
        if (erase)
            fillBackground(dc, WM_CTLCOLORBTN);
        RECT client;
        GetClientRect(window(), &client);
        const bool down = (pushed() || checked_) && !down_.empty();
        const MaskedPicture& picture = !enabled() && !disabled_.empty() ? disabled_ : down ? down_ : up_;
        const SIZE size = picture.size();
        const int x = (client.right - size.cx) / 2;
        int y = (client.bottom - size.cy) / 2;
        if (withText_) {
            y = 0;
            RECT label = {0, size.cy + 2, client.right, client.bottom};
            Selection selectedFont(dc, font());
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, GetSysColor(enabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
            const std::string label_text = text();
            DrawTextA(dc, label_text.c_str(), -1, &label, DT_CENTER | DT_TOP | DT_WORDBREAK | DT_NOPREFIX);
        }
        picture.draw(dc, x, y);
        if (GetFocus() == window()) {
            RECT focus = {x - 1, y - 1, x + size.cx + 1, y + size.cy + 1};
            IntersectRect(&focus, &focus, &client);
            DrawFocusRect(dc, &focus);
        }
    }

    bool withText_;
    bool checked_ = false;
    MaskedPicture up_;
    MaskedPicture down_;
    MaskedPicture disabled_;
};

// CTransStaticBmp paints its parent's background first; CTransparentBmp never
// erases, so whatever was drawn below shows through.
class TransparentPicture : public Control {
public:
    TransparentPicture(HWND window, bool erase) : Control(window), erase_(erase)
    {
        if (!erase_)
            SetWindowLongPtrA(window, GWL_EXSTYLE, GetWindowLongPtrA(window, GWL_EXSTYLE) | WS_EX_TRANSPARENT);
    }

    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case GUI_SETPICTURES: {
            const auto* source = reinterpret_cast<const GuiPictureSource*>(lParam);
            if (source == nullptr)
                return FALSE;
            picture_ = loadPicture(source->module, source->upId, source->transparent);
            disabled_ = picture_.greyed();
            position_ = static_cast<GuiPicturePosition>(wParam);
            if (erase_) {
                redraw();
            } else {
                // Nothing of this window erases the old picture: the parent
                // repaints the place, then this window draws on top.
                RECT place;
                GetWindowRect(window(), &place);
                MapWindowPoints(nullptr, GetParent(window()), reinterpret_cast<POINT*>(&place), 2);
                InvalidateRect(GetParent(window()), &place, TRUE);
                redraw();
            }
            return picture_.empty() ? FALSE : TRUE;
        }
        case WM_NCHITTEST:
            // A picture is clicked only when it asks to notify, like a static.
            if ((GetWindowLongPtrA(window(), GWL_STYLE) & SS_NOTIFY) == 0)
                return HTTRANSPARENT;
            break;
        case WM_LBUTTONUP:
            notifyParent(window(), STN_CLICKED);
            return 0;
        case WM_PAINT:
            if (!erase_) {
                PAINTSTRUCT paint;
                HDC dc = BeginPaint(window(), &paint);
                if (dc != nullptr)
                    paint_(dc, false);
                EndPaint(window(), &paint);
                return 0;
            }
            break;
        default:
            break;
        }
        return Control::handle(message, wParam, lParam);
    }

private:
    void paint_(HDC dc, bool erase) override
    {
        if (erase && erase_)
            fillBackground(dc, WM_CTLCOLORSTATIC);
        RECT client;
        GetClientRect(window(), &client);
        const SIZE size = picture_.size();
        int x = 0;
        int y = 0;
        if (position_ == GuiPictureCentred) {
            x = (client.right - size.cx) / 2;
            y = (client.bottom - size.cy) / 2;
        } else if (position_ == GuiPictureRight) {
            x = client.right - size.cx;
            y = (client.bottom - size.cy) / 2;
        }
        // A disabled picture greys as the control it illustrates does.
        (!enabled() && !disabled_.empty() ? disabled_ : picture_).draw(dc, x, y);
    }

    bool erase_;
    GuiPicturePosition position_ = GuiPictureTopLeft;
    MaskedPicture picture_;
    MaskedPicture disabled_;
};

// CGUILink and CGUIUrlLink.
class Link : public Clickable {
public:
    Link(HWND window, bool opensUrl) : Clickable(window), opensUrl_(opensUrl) {}

    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case GUI_SETLINKCOLOR:
            colour_ = static_cast<COLORREF>(wParam);
            redraw();
            return 0;
        case GUI_SETURL:
            url_ = lParam != 0 ? reinterpret_cast<const char*>(lParam) : "";
            return TRUE;
        case GUI_SETPICTURES: {
            // A link written on a picture: the picture fills the control.
            const auto* source = reinterpret_cast<const GuiPictureSource*>(lParam);
            if (source == nullptr)
                return FALSE;
            backdrop_ = loadPicture(source->module, source->upId, source->transparent);
            redraw();
            return backdrop_.empty() ? FALSE : TRUE;
        }
        case WM_SETFONT:
            underlined_.reset();
            break;
        case WM_SETCURSOR:
            if (enabled()) {
                SetCursor(LoadCursor(nullptr, IDC_HAND));
                return TRUE;
            }
            break;
        default:
            break;
        }
        return Clickable::handle(message, wParam, lParam);
    }

private:
    void click() override
    {
        if (opensUrl_) {
            const std::string address = url_.empty() ? text() : url_;
            const INT_PTR result = reinterpret_cast<INT_PTR>(
                ShellExecuteA(GetParent(window()), "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
            if (result <= 32)
                Spy("CGUIUrlLink: ShellExecute " + address + " failed, code " + std::to_string(result));
        }
        Clickable::click();
    }

    HFONT underlinedFont()
    {
        if (!underlined_) {
            LOGFONTA description = {};
            GetObjectA(font(), sizeof description, &description);
            description.lfUnderline = TRUE;
            underlined_.reset(CreateFontIndirectA(&description));
        }
        return underlined_ ? underlined_.get() : font();
    }

    void paint_(HDC dc, bool erase) override
    {
        if (erase)
            fillBackground(dc, WM_CTLCOLORSTATIC);
        RECT client;
        GetClientRect(window(), &client);
        if (!backdrop_.empty()) {
            backdrop_.drawStretched(dc, client);
            client.left += (client.bottom - client.top) / 3;   // the text keeps off the picture's rounded end
        }
        const LONG_PTR style = GetWindowLongPtrA(window(), GWL_STYLE);
        UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
        if ((style & SS_TYPEMASK) == SS_CENTER)
            format |= DT_CENTER;
        else if ((style & SS_TYPEMASK) == SS_RIGHT)
            format |= DT_RIGHT;
        Selection selectedFont(dc, underlinedFont());
        SetBkMode(dc, TRANSPARENT);
        // On a picture the caller's colour stays: it chose one that reads
        // there, greyed or not; grey text would vanish on a dark picture.
        SetTextColor(dc, enabled() || !backdrop_.empty() ? colour_ : GetSysColor(COLOR_GRAYTEXT));
        const std::string label = text();
        DrawTextA(dc, label.c_str(), -1, &client, format);
        if (GetFocus() == window()) {
            RECT extent = client;
            DrawTextA(dc, label.c_str(), -1, &extent, format | DT_CALCRECT);
            DrawFocusRect(dc, &extent);
        }
    }

    bool opensUrl_;
    COLORREF colour_ = RGB(0, 70, 200);
    std::string url_;
    Font underlined_;
    MaskedPicture backdrop_;
};

// CGUIInkTank: one cartridge holder, one bar per ink.
class InkTank : public Control {
public:
    using Control::Control;

    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case GUI_SETINKTANK: {
            const auto* data = reinterpret_cast<const GuiInkTankData*>(lParam);
            if (data == nullptr)
                return FALSE;
            data_ = *data;
            if (data_.inkCount > 3)
                data_.inkCount = 3;
            redraw();
            return TRUE;
        }
        case GUI_GETINKRECT: {
            auto* rect = reinterpret_cast<RECT*>(lParam);
            if (rect == nullptr || data_.state != 0 || wParam >= data_.inkCount)
                return FALSE;
            *rect = barRect(static_cast<int>(wParam));
            return TRUE;
        }
        default:
            return Control::handle(message, wParam, lParam);
        }
    }

private:
    RECT body() const
    {
        RECT client;
        GetClientRect(window(), &client);
        return RECT{client.left + 2, client.top + 2, client.right - 2, client.bottom - 2};
    }

    // The inside of ink bar i: the level fills it from the bottom.
    RECT barRect(int i) const
    {
        const RECT outer = body();
        const int count = static_cast<int>(data_.inkCount);
        const int margin = 5;
        const int gap = 4;
        int width = (outer.right - outer.left - 2 * margin - (count - 1) * gap) / (count > 0 ? count : 1);
        if (width > 16)
            width = 16;   // one black bar stays a bar
        const int group = count * width + (count - 1) * gap;
        const int left = (outer.left + outer.right - group) / 2 + i * (width + gap);
        return RECT{left + 1, outer.top + 9, left + width - 1, outer.bottom - margin - 1};
    }

    void paint_(HDC dc, bool erase) override
    {
        if (erase)
            fillBackground(dc, WM_CTLCOLORSTATIC);
        const RECT outer = body();
        if (data_.state == 1) {
            paintMissing(dc, outer);
            return;
        }
        const COLORREF shell = data_.photo ? RGB(72, 60, 104) : RGB(58, 62, 72);
        Brush shellBrush(CreateSolidBrush(shell));
        Brush dark(CreateSolidBrush(RGB(30, 30, 36)));
        {
            Selection brush(dc, shellBrush.get());
            Selection pen(dc, GetStockObject(NULL_PEN));
            RoundRect(dc, outer.left, outer.top, outer.right + 1, outer.bottom + 1, 8, 8);
        }
        if (data_.state == 2) {
            paintQuestion(dc, outer, RGB(220, 220, 225));
            return;
        }
        Brush slot(CreateSolidBrush(RGB(236, 238, 242)));
        for (int i = 0; i < static_cast<int>(data_.inkCount); ++i) {
            const RECT bar = barRect(i);
            RECT frame = {bar.left - 1, bar.top - 1, bar.right + 1, bar.bottom + 1};
            FillRect(dc, &frame, dark.get());
            FillRect(dc, &bar, slot.get());
            const LONG percent = data_.inks[i].percent;
            if (percent < 0) {
                paintQuestion(dc, bar, RGB(120, 120, 128));
                continue;
            }
            RECT level = bar;
            level.top = bar.bottom - MulDiv(bar.bottom - bar.top, percent, 100);
            Brush ink(CreateSolidBrush(data_.inks[i].colour));
            FillRect(dc, &level, ink.get());
            if (data_.lastKnown) {
                // Last known levels: hatched, since the port reports no live ones.
                Brush hatch(CreateHatchBrush(HS_BDIAGONAL, RGB(255, 255, 255)));
                const int mode = SetBkMode(dc, TRANSPARENT);
                FillRect(dc, &level, hatch.get());
                SetBkMode(dc, mode);
            }
        }
    }

    void paintMissing(HDC dc, const RECT& outer)
    {
        // An empty holder: its dashed outline and a red cross.
        LOGBRUSH outline = {BS_SOLID, RGB(128, 128, 136), 0};
        GdiObject<HPEN> dashed(ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, &outline, 0, nullptr));
        {
            Selection pen(dc, dashed.get());
            Selection brush(dc, GetStockObject(NULL_BRUSH));
            RoundRect(dc, outer.left, outer.top, outer.right, outer.bottom, 8, 8);
        }
        const int size = (outer.right - outer.left < outer.bottom - outer.top ? outer.right - outer.left
                                                                               : outer.bottom - outer.top) / 3;
        const int cx = (outer.left + outer.right) / 2;
        const int cy = (outer.top + outer.bottom) / 2;
        GdiObject<HPEN> red(CreatePen(PS_SOLID, 3, RGB(200, 40, 40)));
        Selection pen(dc, red.get());
        MoveToEx(dc, cx - size / 2, cy - size / 2, nullptr);
        LineTo(dc, cx + size / 2, cy + size / 2);
        MoveToEx(dc, cx + size / 2, cy - size / 2, nullptr);
        LineTo(dc, cx - size / 2, cy + size / 2);
    }

    void paintQuestion(HDC dc, const RECT& area, COLORREF colour)
    {
        RECT box = area;
        Selection selectedFont(dc, font());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, colour);
        DrawTextA(dc, "?", 1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }

    GuiInkTankData data_ = {2, 0, 0, 0, {}};
};

template <typename Make>
LRESULT CALLBACK controlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        auto* control = reinterpret_cast<Control*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (message == WM_NCCREATE) {
            std::unique_ptr<Control> made = Make()(window);
            SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(made.release()));
            return DefWindowProcA(window, message, wParam, lParam);
        }
        if (control == nullptr)
            return DefWindowProcA(window, message, wParam, lParam);
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            delete control;
            return DefWindowProcA(window, message, wParam, lParam);
        }
        return control->handle(message, wParam, lParam);
    } catch (...) {
        Spy("drvcommon: a control's window procedure failed on message " + std::to_string(message));
        return message == WM_NCCREATE ? FALSE : 0;
    }
}

struct MakeOwnButton {
    std::unique_ptr<Control> operator()(HWND w) const { return std::make_unique<PictureButton>(w, false); }
};
struct MakeGuiButton {
    std::unique_ptr<Control> operator()(HWND w) const { return std::make_unique<PictureButton>(w, true); }
};
struct MakeTransStatic {
    std::unique_ptr<Control> operator()(HWND w) const { return std::make_unique<TransparentPicture>(w, true); }
};
struct MakeTransparent {
    std::unique_ptr<Control> operator()(HWND w) const { return std::make_unique<TransparentPicture>(w, false); }
};
struct MakeLink {
    std::unique_ptr<Control> operator()(HWND w) const { return std::make_unique<Link>(w, false); }
};
struct MakeUrlLink {
    std::unique_ptr<Control> operator()(HWND w) const { return std::make_unique<Link>(w, true); }
};
struct MakeInkTank {
    std::unique_ptr<Control> operator()(HWND w) const { return std::make_unique<InkTank>(w); }
};

struct ClassEntry {
    const char* name;
    WNDPROC procedure;
};

const ClassEntry kClasses[] = {
    {GUI_CLASS_OWNBUTTON, controlProc<MakeOwnButton>},
    {GUI_CLASS_GUIBUTTON, controlProc<MakeGuiButton>},
    {GUI_CLASS_TRANSSTATICBMP, controlProc<MakeTransStatic>},
    {GUI_CLASS_TRANSPARENTBMP, controlProc<MakeTransparent>},
    {GUI_CLASS_LINK, controlProc<MakeLink>},
    {GUI_CLASS_URLLINK, controlProc<MakeUrlLink>},
    {GUI_CLASS_INKTANK, controlProc<MakeInkTank>},
};

}  // namespace

bool RegisterControlClasses()
{
    const HMODULE module = ThisModule();
    bool all = true;
    for (const ClassEntry& entry : kClasses) {
        WNDCLASSA existing;
        if (GetClassInfoA(module, entry.name, &existing))
            continue;
        WNDCLASSA windowClass = {};
        // Global classes, so dialog templates of other modules can name them.
        windowClass.style = CS_GLOBALCLASS | CS_DBLCLKS | CS_PARENTDC;
        windowClass.lpfnWndProc = entry.procedure;
        windowClass.hInstance = module;
        windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);   // links set the hand themselves
        windowClass.lpszClassName = entry.name;
        if (RegisterClassA(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
            Spy(std::string("drvcommon: RegisterClass ") + entry.name + " failed, error " +
                std::to_string(GetLastError()));
            all = false;
        }
    }
    return all;
}

void UnregisterControlClasses()
{
    for (const ClassEntry& entry : kClasses)
        UnregisterClassA(entry.name, ThisModule());
}

}  // namespace drvcommon

extern "C" BOOL WINAPI GuiRegisterControls(void)
{
    try {
        return drvcommon::RegisterControlClasses() ? TRUE : FALSE;
    } catch (...) {
        return FALSE;
    }
}

extern "C" BOOL WINAPI GuiDrawTransparentBitmap(HDC dc, int x, int y, HBITMAP bitmap, COLORREF transparent)
{
    try {
        const drvcommon::MaskedPicture picture(bitmap, transparent);
        if (dc == nullptr || picture.empty())
            return FALSE;
        picture.draw(dc, x, y);
        return TRUE;
    } catch (...) {
        return FALSE;
    }
}

extern "C" HPALETTE WINAPI GuiCreatePalette256(HMODULE module, DWORD bitmapId)
{
    try {
        HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(bitmapId), MAKEINTRESOURCEA(2) /* RT_BITMAP */);
        HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
        const auto* bytes = static_cast<const BYTE*>(loaded != nullptr ? LockResource(loaded) : nullptr);
        const DWORD size = found != nullptr ? SizeofResource(module, found) : 0;
        if (bytes == nullptr || size < sizeof(BITMAPINFOHEADER)) {
            drvcommon::Spy("CPalette256: no bitmap " + std::to_string(bitmapId));
            return nullptr;
        }
        BITMAPINFOHEADER header;
        memcpy(&header, bytes, sizeof header);
        if (header.biSize < sizeof header || header.biBitCount == 0 || header.biBitCount > 8) {
            drvcommon::Spy("CPalette256: bitmap " + std::to_string(bitmapId) + " has no colour table");
            return nullptr;
        }
        const DWORD colours = header.biClrUsed != 0 && header.biClrUsed <= 256u ? header.biClrUsed
                                                                               : 1u << header.biBitCount;
        // The table must lie inside the resource, whatever the header claims.
        if (header.biSize > size || (size - header.biSize) / sizeof(RGBQUAD) < colours) {
            drvcommon::Spy("CPalette256: bitmap " + std::to_string(bitmapId) + " is truncated");
            return nullptr;
        }
        struct {
            WORD version;
            WORD count;
            PALETTEENTRY entries[256];
        } palette = {0x300, static_cast<WORD>(colours), {}};
        for (DWORD i = 0; i < colours; ++i) {
            RGBQUAD quad;
            memcpy(&quad, bytes + header.biSize + i * sizeof quad, sizeof quad);
            palette.entries[i] = PALETTEENTRY{quad.rgbRed, quad.rgbGreen, quad.rgbBlue, 0};
        }
        return CreatePalette(reinterpret_cast<const LOGPALETTE*>(&palette));
    } catch (...) {
        return nullptr;
    }
}

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved)
{
    // As comctl32 does: the classes exist while the library is loaded. At
    // process exit (reserved non-null) there is nothing left to unregister.
    try {
        if (reason == DLL_PROCESS_ATTACH)
            drvcommon::RegisterControlClasses();
        else if (reason == DLL_PROCESS_DETACH && reserved == nullptr)
            drvcommon::UnregisterControlClasses();
    } catch (...) {
    }
    return TRUE;
}
