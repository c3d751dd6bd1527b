#pragma once

class QLineEdit;
class QString;
class QWidget;
class RecordSet;

// The screen's hidden box (named boxName) bound to the stored theme number of its settings
// record set; the screen applies its theme from the box's text.
QLineEdit* themeBox(QWidget* screen, RecordSet& settings, const QString& boxName);
