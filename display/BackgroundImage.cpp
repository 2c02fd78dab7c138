// Background picture: absent until the decoder reads "Ploxen.gif".
#include "display/BackgroundImage.h"

bool ImageLoaded = false;
Surface* ImageSurface = nullptr;
