// Writes the program's icon and bitmaps into the folder given as the only argument.
#include "ImageFiles.h"
#include "Pictures.h"

#include <exception>
#include <iostream>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: imagegen OUTPUT-FOLDER\n";
        return 2;
    }
    const std::string folder = argv[1];
    try {
        writeFile(folder + "/Skirmaker.ico", ico4({paintIcon(32), paintIcon(16)}));
        Canvas banner = paintBanner();
        writeFile(folder + "/AboutBanner.bmp",
                  bmp8(banner.width(), banner.height(), quantise(banner.pixels(), 256)));
        Canvas map = paintMap();
        writeFile(folder + "/MapPositions.bmp", bmp24(map.width(), map.height(), map.pixels()));
    } catch (const std::exception& e) {
        std::cerr << "imagegen: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
