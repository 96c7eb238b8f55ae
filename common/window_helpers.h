#pragma once
// Services windows use on themselves from their formLoad: staying above
// other windows, losing the title bar's Close command, standing in the
// middle of the screen.
class QWidget;

// Keeps the window above all windows that are not kept on top. Nothing is
// reported; a window that cannot be raised stays as it was.
void MakeTopMost(QWidget* form);

// The title bar can no longer close the window and Alt+F4 does nothing; the
// window's own buttons (and the program) still unload it.
void RemoveCloseCommand(QWidget* form);

// Moves the window to the middle of the primary screen (where there is one).
void CenterOnScreen(QWidget* form);
