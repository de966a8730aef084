#include "layout/LayoutKeeper.h"

#include <cstdio>

#include "platform/Messages.h"
#include "platform/ResourceIds.h"
#include "platform/StringTable.h"

namespace varnok {

namespace {

bool UsableFileAt(const std::string& name) {
    const RegularFile file(name);
    return file.IsOpen() && file.size() >= kCardLayoutSize;
}

}  // namespace

void LayoutKeeper::Load(CardLayout& layout, int cardVersion) {
    const std::string name = LayoutFileName(cardVersion);
    notice_.clear();
    protectDamaged_ = false;
    const LayoutFileRead read = ReadLayoutFile(layout, cardVersion);
    if (!read.whole) {
        if (read.regularFile) {
            KeepDamagedFile(name);
        }
        LoadDefaultLayout(layout, cardVersion);
    }
    loaded_ = layout;
    version_ = cardVersion;
    stamp_ = StampOf(name);
}

// A customised layout cut short by a crash or a full disk can still be
// repaired by hand; the defaults must not silently take its place.
void LayoutKeeper::KeepDamagedFile(const std::string& name) {
    const std::string kept = name + ".bad";
    if (std::rename(name.c_str(), kept.c_str()) == 0) {
        notice_ = ResStringWith(ids::kShortLayoutKept, {AbsolutePath(name), AbsolutePath(kept)});
    } else {
        protectDamaged_ = true;
        notice_ = ResStringWith(ids::kShortLayoutNotKept, {AbsolutePath(name)});
    }
}

bool LayoutKeeper::Changed(const CardLayout& layout, int cardVersion) const {
    return cardVersion != version_ || layout != loaded_;
}

void LayoutKeeper::Save(const CardLayout& layout, int cardVersion) {
    const std::string name = LayoutFileName(cardVersion);
    const bool changed = Changed(layout, cardVersion);
    if (!changed && (protectDamaged_ || UsableFileAt(name))) {
        return;
    }
    // Another copy of the program wrote the file since this one read it.
    if (changed && cardVersion == version_ && StampOf(name) != stamp_ &&
        !AskQuestion(ResStringWith(ids::kOverwriteChangedLayout, {AbsolutePath(name)}))) {
        return;
    }
    if (SaveLayoutFile(layout, cardVersion)) {
        loaded_ = layout;
        version_ = cardVersion;
        stamp_ = StampOf(name);
        protectDamaged_ = false;
    }
}

}  // namespace varnok
