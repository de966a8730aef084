#pragma once
// The card window as a desktop main window: a minimise button and its own
// task-bar entry, accessible names and tool tips on its controls, and a
// visible keyboard focus.

class QDialog;

namespace varnok {

// Applies all of the above to the card window built from idd::kCardWindow.
void MakeMainWindow(QDialog& window);

}  // namespace varnok
