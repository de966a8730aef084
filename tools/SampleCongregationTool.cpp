// varnok-sample [--full] FOLDER: writes the sample congregation's four data
// files into FOLDER, with figures around today's date; with --full, the
// congregation that fills every table (909 publishers) instead.

#include <exception>
#include <filesystem>
#include <iostream>
#include <string_view>

#include "companion/FullCongregation.h"
#include "companion/SampleCongregation.h"
#include "platform/Clock.h"

int main(int argc, char** argv) {
    constexpr const char* kUsage = "usage: varnok-sample [--full] FOLDER\n";
    const std::string_view first = argc > 1 ? argv[1] : "";
    if (first == "-h" || first == "--help") {
        std::cout
            << kUsage
            << "Writes the sample congregation's data files into FOLDER (made when missing).\n"
               "  --full  909 publishers in 30 groups, 600 details records and 898\n"
               "          remarks: every table full, for measuring start-up and prints.\n";
        return 0;
    }
    const bool full = first == "--full";
    const int folderArg = full ? 2 : 1;
    if (argc != folderArg + 1 || std::string_view(argv[folderArg]).starts_with('-')) {
        std::cerr << kUsage;
        return 2;
    }
    try {
        const std::filesystem::path folder = argv[folderArg];
        std::filesystem::create_directories(folder);
        varnok::companion::WriteCompanionFiles(
            folder, full ? varnok::companion::FullCongregation()
                         : varnok::companion::SampleCongregation(varnok::Today()));
    } catch (const std::exception& e) {
        std::cerr << "varnok-sample: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
