#pragma once
// A fresh temporary folder that becomes the current folder (the data folder)
// for the life of the object; the previous folder and the files are restored
// and removed afterwards.

#include <filesystem>
#include <string>

namespace varnok::test {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // Writes `bytes` to the file `name` inside the folder.
    void WriteFile(const std::string& name, const std::string& bytes) const;
    std::string ReadFile(const std::string& name) const;
    bool Exists(const std::string& name) const;

private:
    std::filesystem::path path_;
    std::filesystem::path previous_;
};

}  // namespace varnok::test
