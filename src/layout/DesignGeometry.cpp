#include "layout/DesignGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace corvane {

GripCursor CursorOfGrip(Grip grip)
{
    switch (grip) {
    case Grip::TopLeft:
    case Grip::BottomRight:
        return GripCursor::DiagonalNwSe;
    case Grip::TopRight:
    case Grip::BottomLeft:
        return GripCursor::DiagonalNeSw;
    case Grip::Top:
    case Grip::Bottom:
        return GripCursor::Vertical;
    case Grip::Left:
    case Grip::Right:
        return GripCursor::Horizontal;
    case Grip::Move:
        break;
    }
    return GripCursor::Grab;
}

int32_t Snap(int32_t value, int32_t step)
{
    if (step < 2)
        return value;
    return step * (value / step);
}

PixelRect BoundingBox(const std::vector<PixelRect>& rects)
{
    if (rects.empty())
        return {};
    int32_t left = rects.front().Left;
    int32_t top = rects.front().Top;
    int32_t right = rects.front().Right();
    int32_t bottom = rects.front().Bottom();
    for (const PixelRect& r : rects) {
        left = std::min(left, r.Left);
        top = std::min(top, r.Top);
        right = std::max(right, r.Right());
        bottom = std::max(bottom, r.Bottom());
    }
    return {left, top, right - left, bottom - top};
}

PixelRect HandleAround(const PixelRect& box, int32_t extra)
{
    return {box.Left - 2, box.Top - 2, box.Width + extra, box.Height + extra};
}

Grip GripAt(int32_t x, int32_t y, int32_t w, int32_t h)
{
    // The tests run in this order and a later match wins, so the edge middles of a small handle
    // take precedence over its corners.
    Grip grip = Grip::Move;
    const double halfW = w * 0.5;
    const double halfH = h * 0.5;
    if (std::abs(x) < 8 && std::abs(y) < 8)
        grip = Grip::TopLeft;
    if (std::abs(x - w) < 8 && std::abs(y - h) < 8)
        grip = Grip::BottomRight;
    if (std::abs(x - w) < 8 && std::abs(y) < 8)
        grip = Grip::TopRight;
    if (std::abs(x) < 8 && std::abs(y - h) < 8)
        grip = Grip::BottomLeft;
    if (std::fabs(x - halfW) < 6 && std::abs(y) < 8)
        grip = Grip::Top;
    if (std::fabs(x - halfW) < 6 && std::abs(y - h) < 8)
        grip = Grip::Bottom;
    if (std::fabs(y - halfH) < 6 && std::abs(x) < 8)
        grip = Grip::Left;
    if (std::fabs(y - halfH) < 6 && std::abs(x - w) < 8)
        grip = Grip::Right;
    return grip;
}

PixelRect DraggedHandleBounds(const PixelRect& handle, Grip grip, int32_t dx, int32_t dy, int32_t stepX,
                              int32_t stepY, int32_t minWidth, int32_t minHeight)
{
    const int32_t l = handle.Left;
    const int32_t t = handle.Top;
    const int32_t w = handle.Width;
    const int32_t h = handle.Height;
    PixelRect r = handle;
    const auto newLeft = [&] {
        r.Left = Snap(l + dx, stepX);
        r.Width = w + l - r.Left;
    };
    const auto newTop = [&] {
        r.Top = Snap(t + dy, stepY);
        r.Height = h + t - r.Top;
    };
    const auto newRight = [&] { r.Width = Snap(w + dx, stepX) - 1; };
    const auto newBottom = [&] { r.Height = Snap(h + dy, stepY) - 1; };
    switch (grip) {
    case Grip::Move:
        r.Left = Snap(l + dx, stepX);
        r.Top = Snap(t + dy, stepY);
        return r;
    case Grip::TopLeft:
        newLeft();
        newTop();
        break;
    case Grip::TopRight:
        newTop();
        newRight();
        break;
    case Grip::BottomLeft:
        newLeft();
        newBottom();
        break;
    case Grip::BottomRight:
        newRight();
        newBottom();
        break;
    case Grip::Top:
        newTop();
        break;
    case Grip::Left:
        newLeft();
        break;
    case Grip::Bottom:
        newBottom();
        break;
    case Grip::Right:
        newRight();
        break;
    }
    r.Width = std::max(r.Width, minWidth);
    r.Height = std::max(r.Height, minHeight);
    return r;
}

PixelRect FollowHandle(const PixelRect& element, const PixelRect& oldHandle, const PixelRect& newHandle)
{
    return {newHandle.Left + element.Left - oldHandle.Left, newHandle.Top + element.Top - oldHandle.Top,
            element.Width + newHandle.Width - oldHandle.Width,
            element.Height + newHandle.Height - oldHandle.Height};
}

PixelRect OutlineOfHandle(const PixelRect& handle)
{
    return {handle.Left + 2, handle.Top + 2, handle.Width - 5, handle.Height - 5};
}

PixelRect NudgedBox(const PixelRect& box, NudgeKey key, bool resize, int32_t panelWidth, int32_t panelHeight)
{
    // Growing or moving right (down) is allowed while the box's far edge stays within the panel;
    // shrinking stops at MinimumNudgeSize, so a single element 11 wide shrinks once to 10.
    PixelRect r = box;
    switch (key) {
    case NudgeKey::Left:
        if (resize) {
            if (r.Width > MinimumNudgeSize)
                --r.Width;
        } else if (r.Left > 0) {
            --r.Left;
        }
        break;
    case NudgeKey::Up:
        if (resize) {
            if (r.Height > MinimumNudgeSize)
                --r.Height;
        } else if (r.Top > 0) {
            --r.Top;
        }
        break;
    case NudgeKey::Right:
        if (panelWidth >= r.Width + 1 + r.Left) {
            if (resize)
                ++r.Width;
            else
                ++r.Left;
        }
        break;
    case NudgeKey::Down:
        if (panelHeight >= r.Height + 1 + r.Top) {
            if (resize)
                ++r.Height;
            else
                ++r.Top;
        }
        break;
    }
    return r;
}

std::vector<PixelRect> Aligned(const std::vector<PixelRect>& rects, Alignment alignment, int32_t panelWidth,
                               int32_t panelHeight)
{
    std::vector<PixelRect> out = rects;
    int32_t m = 0;
    switch (alignment) {
    case Alignment::Lefts:
        m = panelWidth;
        for (const PixelRect& r : rects)
            m = std::min(m, r.Left);
        for (PixelRect& r : out)
            r.Left = m;
        break;
    case Alignment::Rights:
        m = 0;
        for (const PixelRect& r : rects)
            m = std::max(m, r.Right());
        for (PixelRect& r : out)
            r.Left = m - r.Width;
        break;
    case Alignment::Tops:
        m = panelHeight;
        for (const PixelRect& r : rects)
            m = std::min(m, r.Top);
        for (PixelRect& r : out)
            r.Top = m;
        break;
    case Alignment::Bottoms:
        m = 0;
        for (const PixelRect& r : rects)
            m = std::max(m, r.Bottom());
        for (PixelRect& r : out)
            r.Top = m - r.Height;
        break;
    }
    return out;
}

int32_t CentredStart(int32_t panelExtent, int32_t extent)
{
    return panelExtent / 2 - extent / 2;
}

PixelRect Clamped(const PixelRect& rect, int32_t panelWidth, int32_t panelHeight)
{
    PixelRect r = rect;
    if (r.Top > panelHeight - 10)
        r.Top = panelHeight - 10;
    if (r.Left > panelWidth - 20)
        r.Left = panelWidth - 20;
    return r;
}

bool IsPurged(const PixelRect& rect, int32_t panelWidth, int32_t panelHeight)
{
    return rect.Top > panelHeight - 10 || rect.Left > panelWidth - 10 || rect.Width < 1 || rect.Height < 1;
}

PixelRect NormalisedBand(int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    const int32_t left = std::min(x1, x2);
    const int32_t top = std::min(y1, y2);
    return {left, top, std::max(x1, x2) - left, std::max(y1, y2) - top};
}

bool Intersects(const PixelRect& a, const PixelRect& b)
{
    const int32_t left = std::max(a.Left, b.Left);
    const int32_t top = std::max(a.Top, b.Top);
    const int32_t right = std::min(a.Right(), b.Right());
    const int32_t bottom = std::min(a.Bottom(), b.Bottom());
    return left < right && top < bottom;
}

std::vector<PixelRect> SelectionMarks(const PixelRect& element, bool onlySelected)
{
    const int32_t left = element.Left - 2;
    const int32_t top = element.Top - 2;
    const int32_t right = element.Right() + 2;
    const int32_t bottom = element.Bottom() + 2;
    std::vector<PixelRect> marks{
        {left, top, 5, 5}, {right - 5, top, 5, 5}, {right - 5, bottom - 5, 5, 5}, {left, bottom - 5, 5, 5}};
    if (onlySelected) {
        const int32_t mx = left + static_cast<int32_t>((right - left) * 0.5);
        const int32_t my = top + static_cast<int32_t>((bottom - top) * 0.5);
        marks.push_back({mx - 2, top, 5, 5});
        marks.push_back({mx - 2, bottom - 5, 5, 5});
        marks.push_back({left, my - 2, 5, 5});
        marks.push_back({right - 5, my - 2, 5, 5});
    }
    return marks;
}

PixelRect EnlargedDropRect(const PixelRect& band)
{
    PixelRect r = band;
    if (r.Width < 25)
        r.Width = 50;
    if (r.Height < 15)
        r.Height = 15;
    return r;
}

PixelRect DroppedBounds(const PixelRect& rect)
{
    return {rect.Left, rect.Top, std::max(rect.Width, 10), std::max(rect.Height, 15)};
}

int ZoomPercentOf(float factor)
{
    return static_cast<int>(std::lround(static_cast<double>(factor) * 100.0));
}

float ZoomFactorOf(int percent)
{
    return static_cast<float>(percent) / 100.0f;
}

int SteppedZoomPercent(int percent, int delta, int minimum, int maximum)
{
    return std::clamp(percent + delta, minimum, maximum);
}

} // namespace corvane
