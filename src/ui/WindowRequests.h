#pragma once

#include <QObject>

// What a screen asks of the window flow without knowing the main window: the flow (in app/)
// answers these requests, so that screens below the main window never create one.
class WindowRequests : public QObject
{
    Q_OBJECT

  public:
    static WindowRequests& instance();

  signals:
    // A new main window is wanted (after a theme change, or when the exit is cancelled).
    void mainWindowWanted();

  private:
    WindowRequests() = default;
};
