#pragma once
// Dialog templates as data: each control's id, kind, text and position in
// dialog units, in the template's order (which is also the Tab order).

#include <string>
#include <vector>

namespace varnok {

constexpr int kNoId = -1;  // static texts and group boxes that nothing addresses

enum class ControlKind {
    ListBox,
    OwnerDrawButton,  // the two previews
    PushButton,
    DefaultPushButton,
    CheckBox,
    RadioButton,
    GroupBox,
    Static,  // left-aligned text
    StaticCentered,
    StaticRight,
    Edit,
    EditCentered,
    EditMasked,  // password entry
    SpinButton,  // up-down arrows beside a buddy static
    Icon,
};

enum ControlFlag : unsigned {
    kHidden = 1u << 0,
    kDisabled = 1u << 1,
    kFlat = 1u << 2,
    kGroupStart = 1u << 3,  // first radio button of a group
    kTabStop = 1u << 4,
};

struct ControlTemplate {
    int id = kNoId;
    ControlKind kind = ControlKind::Static;
    std::string text;  // edition code page; "&" marks the Alt mnemonic
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    unsigned flags = 0;
};

struct DialogTemplate {
    int id = 0;
    std::string caption;
    std::string fontFace;
    int pointSize = 8;
    int width = 0;
    int height = 0;
    std::vector<ControlTemplate> controls;
};

// The template with resource id `id` (100, 102, 120, 130, 131); nullptr for none.
const DialogTemplate* FindDialogTemplate(int id);

}  // namespace varnok
