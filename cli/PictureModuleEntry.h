#pragma once
// What velloran-cli's picture module offers the tool that loads it: one table of functions
// under one exported name. The tool and the module come from the same build, so the table's
// types are the build's own; the version guards against a module left from another one.

#include <functional>

#include "common/Canvas.h"
#include "graph/PictureFormat.h"

class QIODevice;

struct PictureModuleEntry {
    const char* version;  // VelloranVersion of the module's build
    // Starts Qt's GUI application (on the offscreen platform unless QT_QPA_PLATFORM names
    // another) unless an application runs already; ends the one it started.
    void (*startApplication)();
    void (*endApplication)();
    bool (*writePicture)(QIODevice& file, const PictureSpec& picture,
                         const std::function<void(Canvas&)>& draw);
};

// The module's file, and where it is installed relative to the tool's (the build tree lays
// it out the same way, so one rule finds it in both).
inline constexpr const char* PictureModuleFileName = "velloran-cli-pictures.so";
// The name under which the module exports its PictureModuleEntry.
inline constexpr const char* PictureModuleEntryName = "VelloranPictureModule";
