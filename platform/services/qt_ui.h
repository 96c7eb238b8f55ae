#pragma once
// The services people see: Qt message, input, file and printer dialogs.
#include "platform/services/services.h"

namespace qv {

class QtUi : public UiServices {
public:
    int msgBox(const QString& text, int style, const QString& title) override;
    QString inputBox(const QString& prompt, const QString& title, const QString& defaultText) override;
    QString openFileDialog(const QString& title, const QString& filter, const QString& folder) override;
    bool printerDialog(QPrinter* printer) override;
    void beep() override;
    void pause(int milliseconds) override;
    bool launch(const QString& program, const QStringList& arguments) override;
};

// "Pictures|*.bmp;*.jpg|All|*.*" (the old dialogs' filter) as a Qt name
// filter list, each description followed once by its patterns; a filter
// without "|" is taken as Qt's own.
QString qtFileFilter(const QString& filter);

} // namespace qv
