#pragma once

class QPoint;
class QWidget;

// How the program goes from window to window: the exit prompt, the screen that shows a newly
// applied theme, and the next main window. Screens ask for the next main window through
// WindowRequests; the flow answers for the life of the application.
namespace WindowFlow {

// Shows the exit prompt at the given place, reusing the one already shown.
void showExitPrompt(const QPoint& place);
// Shows the screen that confirms a newly applied theme.
void showThemedScreen();
// Creates and shows a new main window that deletes itself when closed.
QWidget* openMainWindow();

} // namespace WindowFlow
