#pragma once
// Keeps the card window's layout in step with its layout files: loads them,
// keeps a damaged short file for repair, and writes the layout (at closing, at
// a folder change, at a card version change) only when it changed or no usable
// file is there, asking first when another copy of the program changed the
// file's content since this one read it.

#include <map>
#include <optional>
#include <string>

#include "layout/CardLayout.h"
#include "platform/SafeFile.h"

namespace varnok {

class LayoutKeeper {
public:
    // Fills `layout` from the version's file, or with the version's defaults
    // when there is no usable file. A file shorter than a layout is renamed to
    // "<name>.bad" first.
    void Load(CardLayout& layout, int cardVersion);
    // What the user should be told when the window opens; empty for nothing.
    const std::string& notice() const { return notice_; }
    // Writes `layout` to the version's file when needed (see above). False
    // only when a write failed.
    bool Save(const CardLayout& layout, int cardVersion);
    // Reads another version's layout as Load does, for the card version
    // change; the layout kept for closing stays the one loaded by Load.
    void Read(CardLayout& layout, int cardVersion);

private:
    bool Changed(const CardLayout& layout, int cardVersion) const;
    void KeepDamagedFile(const std::string& name);
    void ReadVersion(CardLayout& layout, int cardVersion);

    CardLayout loaded_{};
    int version_ = -1;
    // Each version file's bytes as this copy last read or wrote them
    // (nothing: there was no file).
    std::map<int, std::optional<std::string>> known_;
    // A damaged file that could not be kept aside: not replaced unless the
    // user changes the layout.
    bool protectDamaged_ = false;
    std::string notice_;
};

}  // namespace varnok
