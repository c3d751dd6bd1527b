#pragma once

class QString;
class QWidget;

// The screens' input box: a modal box over owner with a title and a prompt, wide enough to
// show its whole title. Returns the typed text, or the empty text when cancelled.
QString inputBox(QWidget* owner, const QString& title, const QString& prompt);
