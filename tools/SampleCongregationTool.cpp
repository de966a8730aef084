// varnok-sample FOLDER: writes the sample congregation's four data files into
// FOLDER, with figures around today's date.

#include <exception>
#include <filesystem>
#include <iostream>

#include "companion/SampleCongregation.h"
#include "platform/Clock.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: varnok-sample FOLDER\n";
        return 2;
    }
    try {
        const std::filesystem::path folder = argv[1];
        std::filesystem::create_directories(folder);
        varnok::companion::WriteCompanionFiles(
            folder, varnok::companion::SampleCongregation(varnok::Today()));
    } catch (const std::exception& e) {
        std::cerr << "varnok-sample: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
