#include "layout/LayoutKeeper.h"

#include <cstdio>

#include "platform/Messages.h"
#include "platform/PathText.h"
#include "platform/ResourceIds.h"
#include "platform/StringTable.h"

namespace varnok {

namespace {

bool UsableFileAt(const std::string& name) {
    const RegularFile file(name);
    return file.IsOpen() && file.size() >= kCardLayoutSize;
}

// The part of a layout file that is the layout: what tells whether another
// copy really changed it, whatever its time says.
std::optional<std::string> LayoutBytesOnDisk(const std::string& name) {
    return ReadRegularFile(name, kCardLayoutSize);
}

// A free name for a damaged file kept aside: "<name>.bad", then "<name>.bad.1"
// and on, so that an older damaged copy is never replaced.
std::string FreeDamagedName(const std::string& name) {
    const std::string first = name + ".bad";
    if (KindOf(first) == FileKind::missing) {
        return first;
    }
    for (int n = 1; n < 1000; ++n) {
        const std::string next = first + "." + std::to_string(n);
        if (KindOf(next) == FileKind::missing) {
            return next;
        }
    }
    return {};
}

}  // namespace

void LayoutKeeper::Load(CardLayout& layout, int cardVersion) {
    notice_.clear();
    protectDamaged_ = false;
    ReadVersion(layout, cardVersion);
    loaded_ = layout;
    version_ = cardVersion;
}

void LayoutKeeper::Read(CardLayout& layout, int cardVersion) {
    ReadVersion(layout, cardVersion);
}

void LayoutKeeper::ReadVersion(CardLayout& layout, int cardVersion) {
    const std::string name = LayoutFileName(cardVersion);
    const LayoutFileRead read = ReadLayoutFile(layout, cardVersion);
    if (!read.whole) {
        if (read.regularFile) {
            KeepDamagedFile(name);
        }
        LoadDefaultLayout(layout, cardVersion);
    }
    known_[cardVersion] = LayoutBytesOnDisk(name);
}

// A customised layout cut short by a crash or a full disk can still be
// repaired by hand; the defaults must not silently take its place.
void LayoutKeeper::KeepDamagedFile(const std::string& name) {
    const std::string kept = FreeDamagedName(name);
    if (!kept.empty() && std::rename(name.c_str(), kept.c_str()) == 0) {
        notice_ =
            ResStringWith(ids::kShortLayoutKept, {PathForMessage(name), PathForMessage(kept)});
    } else {
        protectDamaged_ = true;
        notice_ = ResStringWith(ids::kShortLayoutNotKept, {PathForMessage(name)});
    }
}

bool LayoutKeeper::Changed(const CardLayout& layout, int cardVersion) const {
    return cardVersion != version_ || layout != loaded_;
}

bool LayoutKeeper::Save(const CardLayout& layout, int cardVersion) {
    const std::string name = LayoutFileName(cardVersion);
    const bool changed = Changed(layout, cardVersion);
    if (!changed && (protectDamaged_ || UsableFileAt(name))) {
        return true;
    }
    // Another copy of the program wrote other bytes since this one read the file.
    const auto known = known_.find(cardVersion);
    if (changed && known != known_.end() && LayoutBytesOnDisk(name) != known->second &&
        !AskQuestion(ResStringWith(ids::kOverwriteChangedLayout, {PathForMessage(name)}))) {
        return true;
    }
    if (!SaveLayoutFile(layout, cardVersion)) {
        return false;
    }
    loaded_ = layout;
    version_ = cardVersion;
    known_[cardVersion] = std::string(layout.bytes.data(), layout.bytes.size());
    protectDamaged_ = false;
    return true;
}

}  // namespace varnok
