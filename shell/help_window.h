#pragma once
// The help window: the program folder's rich-text help ("Index.rtf"), a
// button that prints it and a title strip that drags the window.
#include "platform/forms/window.h"

class QLabel;
class QPushButton;
namespace qv { class RichTextBox; }

class Frmhelp : public qv::Window {
    Q_OBJECT
public:
    Frmhelp();

    QLabel* Label1 = nullptr;               // title strip
    QPushButton* Command2 = nullptr;        // "X"
    qv::RichTextBox* RichTextBox1 = nullptr;
    QPushButton* Command1 = nullptr;        // "Print"

    void Command1_Click();
    void Command2_Click();
    // X and Y in twips from the label's top-left corner.
    void Label1_MouseDown(int x, int y);
    void Label1_MouseMove(int x, int y);
    void Label1_MouseUp();

protected:
    void formLoad() override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    bool m_dragging = false;
    int m_dragX = 0;   // where the drag began, twips in the label
    int m_dragY = 0;
};
