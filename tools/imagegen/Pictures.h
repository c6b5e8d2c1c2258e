#pragma once
#include "Canvas.h"
#include "ImageFiles.h"

// The program's icon at one size: a dart-shaped ship with its exhaust on a dark disc.
IconImage paintIcon(int size);

// The about box banner: "SKIRMAKER" over a starfield, 250 by 45.
Canvas paintBanner();

// The start-position map: the AI group, team 2 and team 1 on a dark grid, 163 by 272.
Canvas paintMap();
