#pragma once
// Builds a dialog's Qt widgets from its template: every control at its place in
// dialog units (from the template font's character size), in the template's
// order (the Tab order), with its id as objectName.
//
// Buttons 1 and 2 call the dialog's accept() and reject(), as OK and Cancel do;
// a dialog overrides those to give them its own meaning. The default push
// button answers Enter and Esc rejects. A control without kTabStop takes the
// focus only by click; Tab enters a radio group at its checked button.

#include <QDialog>
#include <QFont>
#include <QRect>
#include <QString>
#include <functional>

#include "platform/DialogTemplate.h"

namespace varnok {

// Returns the widget to put in place of a control, or nullptr for the standard
// widget of the control's kind. The builder sets its parent, place, objectName,
// and hidden and disabled states.
using ControlFactory = std::function<QWidget*(const ControlTemplate&, QWidget* parent)>;

void BuildDialog(QDialog& dialog, const DialogTemplate& t, const ControlFactory& factory = {});

// The template's font: its face at its point size, as the dialogs show it.
QFont DialogFont(const DialogTemplate& t);

// Dialog units to pixels for a font (x * averageCharWidth / 4, y * height / 8).
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);
    int X(int x) const { return x * charWidth_ / 4; }
    int Y(int y) const { return y * charHeight_ / 8; }
    QRect Map(int x, int y, int width, int height) const;
    int charWidth() const { return charWidth_; }
    int charHeight() const { return charHeight_; }

private:
    int charWidth_ = 1;
    int charHeight_ = 1;
};

// The control with id `id` among the dialog's widgets; nullptr when none of type T.
template <typename T>
T* Control(QWidget& dialog, int id) {
    return dialog.findChild<T*>(QString::number(id));
}

}  // namespace varnok
