// The splitter: finds its neighbour in the docking order, resizes it within
// the room the parent has, and follows the mouse while dragged.

#include "platform/win/Splitter.h"

#include <algorithm>

#include "platform/core/ClassBuilder.h"
#include "platform/win/MouseEvent.h"
#include "platform/win/Win32.h"
#include "platform/win/WinControl.h"

namespace {

int SizeOf(const TControl& c, bool horizontal) { return horizontal ? c.Width() : c.Height(); }

}  // namespace

const TClassInfo& TSplitter::StaticClass() {
    static const TClassInfo info = TClassBuilder<TSplitter>("TSplitter", &TControl::StaticClass)
                                       .Creatable()
                                       .Int("Left", &TSplitter::Left, &TSplitter::SetSplitterLeft)
                                       .Int("Top", &TSplitter::Top, &TSplitter::SetSplitterTop)
                                       .Enum("Align", AlignTypeInfo(), &TSplitter::Align, &TSplitter::SetAlign)
                                       .Default(int(TAlign::alLeft))
                                       .Bool("Beveled", &TSplitter::Beveled, &TSplitter::SetBeveled)
                                       .Default(0)
                                       .Int("MinSize", &TSplitter::MinSize, &TSplitter::SetMinSize)
                                       .Default(30)
                                       .Event("OnMoved", &TSplitter::OnMoved)
                                       .Build();
    return info;
}

TSplitter::TSplitter(TComponent* owner) : TControl(owner) {
    SetBounds(0, 0, 3, 100);
    SetAlign(TAlign::alLeft);
}

void TSplitter::SetMinSize(int value) { minSize_ = std::max(1, value); }

void TSplitter::ChangeScale(int fromPpi, int toPpi) {
    TControl::ChangeScale(fromPpi, toPpi);
    const int size = designMinSize_.Rescale(minSize_, fromPpi, toPpi);
    if (size != minSize_) SetMinSize(size);
}

void TSplitter::SetBeveled(bool value) {
    if (beveled_ == value) return;
    beveled_ = value;
    Invalidate();
}

bool TSplitter::Horizontal() const noexcept { return Align() == TAlign::alLeft || Align() == TAlign::alRight; }

TControl* TSplitter::Neighbour() const {
    const TWinControl* parent = Parent();
    if (!parent || Align() == TAlign::alNone || Align() == TAlign::alClient) return nullptr;
    TControl* found = nullptr;
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* c = parent->Controls(i);
        if (c == this) return found;
        if (c->Visible() && c->Align() == Align()) found = c;
    }
    return nullptr;
}

int TSplitter::ClampSize(const TControl& neighbour, int size) const {
    const bool horizontal = Horizontal();
    const TWinControl* parent = Parent();
    // What the controls docked in the middle have now, once every control
    // docked on either side of this axis has its share.
    const TRect client = parent->ClientRect();
    int rest = horizontal ? client.Width() : client.Height();
    for (int i = 0; i < parent->ControlCount(); ++i) {
        const TControl* c = parent->Controls(i);
        if (!c->Visible()) continue;
        const TAlign a = c->Align();
        const bool sameAxis = horizontal ? (a == TAlign::alLeft || a == TAlign::alRight)
                                         : (a == TAlign::alTop || a == TAlign::alBottom);
        if (sameAxis) rest -= SizeOf(*c, horizontal);
    }
    const int maxSize = SizeOf(neighbour, horizontal) + rest - minSize_;
    return std::max(minSize_, std::min(size, maxSize));
}

bool TSplitter::ResizeNeighbour(int size) {
    TControl* neighbour = Neighbour();
    if (!neighbour) return false;
    const bool horizontal = Horizontal();
    size = ClampSize(*neighbour, size);
    if (size == SizeOf(*neighbour, horizontal)) return false;
    // The neighbour is docked: its parent lays the row out again, which
    // brings the splitter along.
    if (horizontal)
        neighbour->SetWidth(size);
    else
        neighbour->SetHeight(size);
    return true;
}

void TSplitter::MoveTo(int position) {
    TControl* neighbour = Neighbour();
    if (!neighbour) return;
    switch (Align()) {
    case TAlign::alLeft: ResizeNeighbour(position - neighbour->Left()); break;
    case TAlign::alRight: ResizeNeighbour(neighbour->Left() + neighbour->Width() - (position + Width())); break;
    case TAlign::alTop: ResizeNeighbour(position - neighbour->Top()); break;
    case TAlign::alBottom: ResizeNeighbour(neighbour->Top() + neighbour->Height() - (position + Height())); break;
    default: break;
    }
}

void TSplitter::SetSplitterLeft(int value) {
    // While a form is read, Left is where the splitter was designed.
    if (IsLoading() || !Horizontal() || !Neighbour()) {
        SetLeft(value);
        return;
    }
    MoveTo(value);
}

void TSplitter::SetSplitterTop(int value) {
    if (IsLoading() || Horizontal() || !Neighbour()) {
        SetTop(value);
        return;
    }
    MoveTo(value);
}

void TSplitter::CreateParams(TCreateParams& params) const {
    TControl::CreateParams(params);
    params.classStyle &= ~uint32_t(CS_DBLCLKS);
}

void TSplitter::Paint() {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(WindowHandle(), &ps);
    RECT r;
    ::GetClientRect(WindowHandle(), &r);
    ::FillRect(dc, &r, Brush());
    if (beveled_) ::DrawEdge(dc, &r, BDR_RAISEDINNER, Horizontal() ? BF_LEFT | BF_RIGHT : BF_TOP | BF_BOTTOM);
    ::EndPaint(WindowHandle(), &ps);
}

void TSplitter::EndDrag() {
    if (!dragging_) return;
    dragging_ = false;
    if (::GetCapture() == WindowHandle()) ::ReleaseCapture();
}

void TSplitter::WndProc(TMessage& m) {
    const auto screenPos = [this, &m] {
        const TPoint at = MousePoint(m.LParam);
        POINT p{at.x, at.y};
        ::ClientToScreen(WindowHandle(), &p);
        return Horizontal() ? int(p.x) : int(p.y);
    };
    const auto dragTo = [this](int pos) {
        const int delta = pos - dragStart_;
        const bool grows = Align() == TAlign::alLeft || Align() == TAlign::alTop;
        return ResizeNeighbour(startSize_ + (grows ? delta : -delta));
    };
    switch (m.Msg) {
    case WM_PAINT:
        Paint();
        m.Result = 0;
        return;
    case WM_SETCURSOR:
        if (LOWORD(m.LParam) == HTCLIENT) {
            ::SetCursor(::LoadCursorW(nullptr, Horizontal() ? IDC_SIZEWE : IDC_SIZENS));
            m.Result = TRUE;
            return;
        }
        break;
    case WM_LBUTTONDOWN:
        if (TControl* neighbour = Neighbour()) {
            dragging_ = true;
            moved_ = false;
            dragStart_ = screenPos();
            startSize_ = SizeOf(*neighbour, Horizontal());
            ::SetCapture(WindowHandle());
        }
        m.Result = 0;
        return;
    case WM_MOUSEMOVE: {
        if (dragging_ && dragTo(screenPos())) moved_ = true;
        const TPoint p = MousePoint(m.LParam);
        MouseMoved(MouseShiftState(m.WParam), p.x, p.y);
        m.Result = 0;
        return;
    }
    case WM_LBUTTONUP:
        if (dragging_) {
            if (dragTo(screenPos())) moved_ = true;
            EndDrag();
            if (moved_) OnMoved(this);
        }
        m.Result = 0;
        return;
    case WM_CAPTURECHANGED:
        dragging_ = false;
        break;
    default:
        break;
    }
    TControl::WndProc(m);
}
