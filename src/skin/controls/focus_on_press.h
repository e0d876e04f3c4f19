#pragma once
// A press on a control that takes the focus first moves the focus there. When the focus
// cannot get there - a modal window owns input, or the change is refused (the control
// that had the focus takes it back, as a field that will not let go of a bad value does)
// - the press is dropped: a click never acts on a control the user cannot then type into.

class QWidget;

// Moves the focus to `control` unless it has it; answers whether the press goes on.
bool TakeFocusOnPress(QWidget* control);
