#pragma once

class QLineEdit;
class QString;
class QWidget;

// A text box that is never shown, named for the screen's designer name: it holds a value that
// the screen's steps read and write, often bound to a column.
QLineEdit* hiddenBox(QWidget* parent, const QString& name);
