#pragma once
// Drawing: brushes, pens, canvases and off-screen bitmaps.

#include "platform/win/Bitmap.h"
#include "platform/win/Canvas.h"
#include "platform/win/GraphicsObjects.h"
