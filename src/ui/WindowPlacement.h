#pragma once

class QWidget;

// Where windows open: over the window the operator is looking at, or in the middle of the
// screen when there is none.
namespace WindowPlacement {

// Moves window so that it is centred over the top-level window of owner, or on the screen
// when owner is null or hidden; the whole window stays on the screen.
void centre(QWidget* window, const QWidget* owner);

} // namespace WindowPlacement
