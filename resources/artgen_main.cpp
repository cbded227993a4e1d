// Draws the program's icon file at build time:
//   artgen OUTDIR          writes OUTDIR/kiv.ico
//   artgen OUTDIR --png    also writes a PNG of every image, to look at
#include <array>
#include <cstdio>
#include <exception>
#include <fstream>
#include <string>
#include <vector>

#include "resources/artwork.h"
#include "resources/ico_writer.h"
#include "resources/png_writer.h"

namespace {

void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    file.close();
    // A half-written icon would only surface later as a resource compiler error.
    if (!file) throw std::runtime_error("cannot write " + path);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3 || (argc == 3 && std::string(argv[2]) != "--png")) {
        std::fprintf(stderr, "usage: artgen OUTDIR [--png]\n");
        return 2;
    }
    try {
        const std::string dir = argv[1];
        std::vector<kiv::Pixmap> icons;
        for (int size : {16, 20, 24, 32, 48, 256}) icons.push_back(kiv::AppIcon(size));
        WriteFile(dir + "/kiv.ico", kiv::EncodeIco(icons));

        if (argc == 3) {
            for (const kiv::Pixmap& icon : icons)
                WriteFile(dir + "/icon_" + std::to_string(icon.width) + ".png", kiv::EncodePng(icon));
            for (int size : {16, 20, 24, 32, 40, 48}) {
                WriteFile(dir + "/toolbar_" + std::to_string(size) + ".png", kiv::EncodePng(kiv::ToolbarStrip(size)));
                WriteFile(dir + "/menu_" + std::to_string(size) + ".png", kiv::EncodePng(kiv::MenuStrip(size)));
            }
            const char* strips[] = {"digits_large", "digits_small", "digits_small_bold"};
            for (int i = 0; i < 3; ++i)
                WriteFile(dir + "/" + strips[i] + ".png",
                          kiv::EncodePng(kiv::DigitStripImage(static_cast<kiv::DigitStrip>(i))));
            WriteFile(dir + "/page_large.png", kiv::EncodePng(kiv::EmptyCalendarPage()));
            WriteFile(dir + "/page_small.png", kiv::EncodePng(kiv::EmptyCalendarPageSmall()));
        }
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "artgen: %s\n", e.what());
        return 1;
    }
}
