#pragma once
// Two services windows use on themselves from their formLoad: staying above
// other windows, and losing the title bar's Close command.
class QWidget;

// Keeps the window above all windows that are not kept on top. Nothing is
// reported; a window that cannot be raised stays as it was.
void MakeTopMost(QWidget* form);

// The title bar can no longer close the window and Alt+F4 does nothing; the
// window's own buttons (and the program) still unload it.
void RemoveCloseCommand(QWidget* form);
