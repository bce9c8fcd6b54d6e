// Pictures drawn by the code the program links, in the application the program runs: for the
// tests, which run the commands in-process.

#include "cli/PictureDrawing.h"
#include "graph/PictureFile.h"

void PreparePictureDrawing() {}

bool WritePreparedPicture(QIODevice& file, const PictureSpec& picture,
                          const std::function<void(Canvas&)>& draw) {
    return WritePicture(file, picture, draw);
}

void EndPictureDrawing() {}
