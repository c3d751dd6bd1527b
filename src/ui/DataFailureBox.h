#pragma once

#include <QString>

// The box that shows a failed read or write of the databases.
namespace DataFailureBox {

// A box titled "خطا" with the critical icon over the active window.
void show(const QString& text);

// Makes the data layer's failures appear in this box.
void install();

} // namespace DataFailureBox
