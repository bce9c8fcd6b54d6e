#pragma once
// How the commands that draw reach what draws. Drawing needs Qt's GUI library and its
// application, which take a good part of the tool's start (fonts, platform, X11 and EGL
// libraries): velloran-cli keeps them in a module that it loads only when a command draws
// (LoadedPictureDrawing.cpp); a program that links the drawing code itself uses it directly
// (LinkedPictureDrawing.cpp). The commands are the same either way.

#include <functional>

#include "common/Canvas.h"
#include "graph/PictureFormat.h"

class QIODevice;

// Makes pictures drawable: loads the module and starts the GUI application, once. A command
// calls it before it computes anything, so that a tool without its module ends with a message
// that says what is missing ("Pictures cannot be drawn: …") and has written nothing.
void PreparePictureDrawing();

// WritePicture (graph/PictureFile.h) of what PreparePictureDrawing made ready.
bool WritePreparedPicture(QIODevice& file, const PictureSpec& picture,
                          const std::function<void(Canvas&)>& draw);

// Ends the GUI application that PreparePictureDrawing started, if it did: before main returns,
// while Qt is still whole.
void EndPictureDrawing();
