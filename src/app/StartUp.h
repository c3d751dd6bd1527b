#pragma once

class Frm1;

// The start once the program folder and the databases are ready: the running-copy check, the
// day's automatic backup (never while another copy runs; a failure is told once and the start
// goes on) and then the main window.
namespace StartUp {
// The main window shown, or nullptr when the start was refused.
Frm1* openMainWindow();
} // namespace StartUp
