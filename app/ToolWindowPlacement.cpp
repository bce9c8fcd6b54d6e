#include "app/ToolWindowPlacement.h"

#include <algorithm>

namespace {

constexpr int Gap = 8;  // pixels between two windows' frames

bool IsFree(const QRect& place, const QRect& screen, const QRect& mainFrame,
            const QList<QRect>& taken) {
    if (!screen.contains(place) || place.intersects(mainFrame)) {
        return false;
    }
    return std::none_of(taken.begin(), taken.end(),
                        [&](const QRect& frame) { return place.intersects(frame); });
}

}  // namespace

QPoint ToolWindowPosition(const QRect& screen, const QRect& mainFrame, const QList<QRect>& taken,
                          const QSize& tool) {
    const int rightX = mainFrame.right() + 1 + Gap;
    const int leftX = mainFrame.left() - Gap - tool.width();
    for (const int x : {rightX, leftX}) {
        QList<int> tops{mainFrame.top()};
        for (const QRect& frame : taken) {
            tops << frame.bottom() + 1 + Gap;
        }
        std::sort(tops.begin(), tops.end());
        for (const int y : tops) {
            const QRect place(QPoint(x, y), tool);
            if (IsFree(place, screen, mainFrame, taken)) {
                return place.topLeft();
            }
        }
    }
    const int roomRight = screen.right() - mainFrame.right();
    const int roomLeft = mainFrame.left() - screen.left();
    const int x = roomRight >= roomLeft ? std::min(rightX, screen.right() + 1 - tool.width())
                                        : std::max(leftX, screen.left());
    const int y = std::clamp(mainFrame.top(), screen.top(),
                             std::max(screen.top(), screen.bottom() + 1 - tool.height()));
    return {x, y};
}
