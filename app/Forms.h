#pragma once
// Creates the program's six windows, hidden, each reachable under its instance name
// (MainForm, SelectRtForm, TexOb, OprList, Kontakt, InfoForm); the main window is registered
// as the one the work-window protocol disables and enables.
// Depends on the shell and the windows of every subsystem.

void createForms();
// Destroys them again, and the guide's window if it was opened (tests that start over).
void destroyForms();
