#pragma once

// Ending the application: every window closes at once and the process stops, without any
// window's closing step.
namespace ApplicationEnd {
void endNow();
// Whether endNow() has run; closing steps check it and do nothing.
bool isEnding();
// Test seam: lets a test process go on after endNow() (which then only closes windows).
void setQuitsEventLoop(bool quits);
void reset();
} // namespace ApplicationEnd
