#pragma once

// One function per family of pictures; main.cpp writes what they return.

#include "paint_kit.h"

#include <vector>

namespace ferlan::art {

std::vector<Picture> drawElementPictures();  // poles, balls, polarisers, iron ball
std::vector<Picture> drawFloorPictures();    // Boden1 to Boden4
std::vector<Picture> drawPipePictures();     // Anfang, Ende, Verbindung
std::vector<Picture> drawWindowPictures();   // background, cover, panel, indicators, lamps
std::vector<Picture> drawIconPictures();     // program and level-file icons, several sizes each

// All pictures enlarged three times on a checkerboard, each with its name.
QImage drawContactSheet(const std::vector<Picture>& pictures);

// The game's screens put together with their labels, for review only.
std::vector<Picture> drawMockups(const std::vector<Picture>& pictures);

}  // namespace ferlan::art
