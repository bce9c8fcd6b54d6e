#pragma once
// Where a tool window opens the first time: beside the main window rather than over its
// controls, clear of the other tool window, on the screen.

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

// The top-left corner of the frame of size `tool`: to the right of `mainFrame`, else to its
// left, top-aligned with it or just below a frame of `taken` on that side, wholly on `screen`
// and overlapping neither. On a screen too small for that, it goes on the side with more room,
// moved as little as keeps it on the screen.
QPoint ToolWindowPosition(const QRect& screen, const QRect& mainFrame, const QList<QRect>& taken,
                          const QSize& tool);
