// The program's dialog templates. Each res/dialogNNN.inc holds one template as
// an initializer of DialogTemplate, copied from the dialog tables.

#include "DialogTemplate.h"

namespace varnok {
namespace {

const std::vector<DialogTemplate>& Templates() {
    static const std::vector<DialogTemplate> templates = {
#include "dialog100.inc"
#include "dialog102.inc"
#include "dialog120.inc"
#include "dialog130.inc"
#include "dialog131.inc"
    };
    return templates;
}

}  // namespace

const DialogTemplate* FindDialogTemplate(int id) {
    for (const DialogTemplate& t : Templates()) {
        if (t.id == id) {
            return &t;
        }
    }
    return nullptr;
}

}  // namespace varnok
