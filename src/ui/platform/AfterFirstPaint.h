#pragma once
// Work that the window's first picture does not need, put off until it is on
// the screen: the function runs once, from the event loop, right after the
// widget's first paint (and never if the widget is destroyed unpainted).

#include <QWidget>
#include <functional>

namespace varnok {

void RunAfterFirstPaint(QWidget& widget, std::function<void()> work);

}  // namespace varnok
