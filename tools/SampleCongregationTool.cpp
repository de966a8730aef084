// varnok-sample FOLDER: writes the sample congregation's four data files into
// FOLDER, with figures around today's date.

#include <exception>
#include <filesystem>
#include <iostream>
#include <string_view>

#include "companion/SampleCongregation.h"
#include "platform/Clock.h"

int main(int argc, char** argv) {
    constexpr const char* kUsage = "usage: varnok-sample FOLDER\n";
    const std::string_view first = argc > 1 ? argv[1] : "";
    if (first == "-h" || first == "--help") {
        std::cout
            << kUsage
            << "Writes the sample congregation's data files into FOLDER (made when missing).\n";
        return 0;
    }
    if (argc != 2 || first.starts_with('-')) {
        std::cerr << kUsage;
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
