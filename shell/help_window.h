#pragma once
// The help window: the program folder's rich-text help ("Index.rtf"), a
// button that prints it and a title strip that drags the window.
#include "platform/forms/window.h"

class QLabel;
class QPushButton;
namespace qv { class RichTextBox; }

class HelpWindow : public qv::Window {
    Q_OBJECT
public:
    HelpWindow();

protected:
    void formLoad() override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void printHelp();
    void closeHelp();
    // Dragging the window by its title strip; X and Y in twips from the
    // strip's top-left corner.
    void startDrag(int x, int y);
    void dragTo(int x, int y);
    void endDrag();

    // Controls; tests and other windows find them by their objectName.
    QLabel* titleStrip = nullptr;
    QPushButton* closeButton = nullptr;   // "X"
    qv::RichTextBox* helpText = nullptr;
    QPushButton* printButton = nullptr;

    bool m_dragging = false;
    int m_dragX = 0;   // where the drag began, twips in the title strip
    int m_dragY = 0;
};
