#include "platform/services/qt_ui.h"
#include <QAbstractButton>
#include <QApplication>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>
#include <QUrl>

namespace qv {

namespace {

QString titleOrProgram(const QString& title)
{
    return title.isEmpty() ? UiServices::programTitle() : title;
}

QMessageBox::StandardButton standardButton(int answer)
{
    switch (answer) {
    case MsgResult::Ok: return QMessageBox::Ok;
    case MsgResult::Cancel: return QMessageBox::Cancel;
    case MsgResult::Abort: return QMessageBox::Abort;
    case MsgResult::Retry: return QMessageBox::Retry;
    case MsgResult::Ignore: return QMessageBox::Ignore;
    case MsgResult::Yes: return QMessageBox::Yes;
    default: return QMessageBox::No;
    }
}

QMessageBox::Icon iconOf(int style)
{
    switch (style & 0x70) {
    case MsgStyle::Critical: return QMessageBox::Critical;
    case MsgStyle::Question: return QMessageBox::Question;
    case MsgStyle::Exclamation: return QMessageBox::Warning;
    case MsgStyle::Information: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

// A box of the program stands over the window that raised it, modal, and
// kept on top while the program keeps a window on top; once answered, the
// user's next box in the same handler belongs to that window again.
class RaisedBox {
public:
    RaisedBox() : m_placement(dialogPlacement()) {}
    ~RaisedBox() { boxAnswered(m_placement.owner); }
    RaisedBox(const RaisedBox&) = delete;
    RaisedBox& operator=(const RaisedBox&) = delete;

    QWidget* owner() const { return m_placement.owner; }
    void prepare(QWidget* dialog) const
    {
        dialog->setWindowModality(Qt::ApplicationModal);
        if (m_placement.onTop)
            dialog->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    }

private:
    DialogPlacement m_placement;
};

// A box whose buttons offer no way back (Yes and No) must be answered by
// one of them: Esc and the title bar's close would otherwise answer No, and
// a No that drops something must be meant.
class AnswerRequired : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape)
            return true;
        if (e->type() == QEvent::Close) {
            e->ignore();
            return true;
        }
        return QObject::eventFilter(watched, e);
    }
};

} // namespace

int QtUi::msgBox(const QString& text, int style, const QString& title)
{
    const RaisedBox raised;
    QMessageBox box(raised.owner());
    raised.prepare(&box);
    box.setWindowTitle(titleOrProgram(title));
    // Shown as written: blanks kept, "&" and "<" are text.
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    box.setIcon(iconOf(style));
    const QList<int> answers = msgBoxButtons(style);
    for (int answer : answers)
        box.addButton(standardButton(answer));
    box.setDefaultButton(standardButton(msgBoxDefaultButton(style)));
    // Esc answers Cancel where there is one, as the old boxes did.
    if (answers.contains(MsgResult::Cancel))
        box.setEscapeButton(QMessageBox::Cancel);
    else if (answers.size() == 1)
        box.setEscapeButton(QMessageBox::Ok);
    AnswerRequired answerRequired;
    if (!answers.contains(MsgResult::Cancel) && answers.size() > 1)
        box.installEventFilter(&answerRequired);
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    if (!clicked)
        return answers.contains(MsgResult::Cancel) ? MsgResult::Cancel : answers.first();
    const QMessageBox::StandardButton which = box.standardButton(clicked);
    for (int answer : answers)
        if (standardButton(answer) == which)
            return answer;
    return answers.first();
}

QString QtUi::inputBox(const QString& prompt, const QString& title, const QString& defaultText)
{
    const RaisedBox raised;
    QInputDialog dialog(raised.owner());
    raised.prepare(&dialog);
    dialog.setWindowTitle(titleOrProgram(title));
    dialog.setInputMode(QInputDialog::TextInput);
    // The label is the text box's buddy, so a single "&" would become a
    // shortcut; doubled it is shown as written.
    QString shown = prompt;
    shown.replace(QLatin1Char('&'), QLatin1String("&&"));
    dialog.setLabelText(shown);
    dialog.setTextValue(defaultText);
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
    }
    dialog.resize(qMax(dialog.sizeHint().width(), 420), dialog.sizeHint().height());
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.textValue();
}

QString qtFileFilter(const QString& filter)
{
    if (!filter.contains(QLatin1Char('|')))
        return filter;
    const QStringList parts = filter.split(QLatin1Char('|'));
    // A description that already ends in its own list of patterns
    // ("Pictures (*.bmp;*.jpg)") gives way to the list Qt filters by, so the
    // patterns are shown once.
    static const QRegularExpression ownPatterns(QStringLiteral("\\s*\\(\\s*\\*[^()]*\\)\\s*$"));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        const QString description = QString(parts[i]).remove(ownPatterns).trimmed();
        out << description + QStringLiteral(" (") + patterns.simplified() + QLatin1Char(')');
    }
    return out.join(QStringLiteral(";;"));
}

QString QtUi::openFileDialog(const QString& title, const QString& filter, const QString& folder)
{
    const RaisedBox raised;
    QFileDialog dialog(raised.owner(), titleOrProgram(title), folder, qtFileFilter(filter));
    raised.prepare(&dialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}

bool QtUi::printerDialog(QPrinter* printer)
{
    QPrinter fallback;
    const RaisedBox raised;
    QPrintDialog dialog(printer ? printer : &fallback, raised.owner());
    raised.prepare(&dialog);
    dialog.setWindowTitle(QStringLiteral("Print"));
    return dialog.exec() == QDialog::Accepted;
}

void QtUi::beep()
{
    QApplication::beep();
}

void QtUi::pause(int milliseconds)
{
    QElapsedTimer clock;   // monotonic: midnight or a clock change does not shorten it
    clock.start();
    while (clock.elapsed() < milliseconds) {
        const qint64 left = milliseconds - clock.elapsed();
        QCoreApplication::processEvents(QEventLoop::AllEvents, int(qMin<qint64>(left, 20)));
        if (clock.elapsed() < milliseconds)
            QThread::msleep(qMin<qint64>(qMax<qint64>(milliseconds - clock.elapsed(), 0), 5));
    }
}

bool QtUi::launch(const QString& program, const QStringList& arguments)
{
    const QFileInfo info(program);
    if (arguments.isEmpty() && info.exists() && !info.isExecutable())
        return QDesktopServices::openUrl(QUrl::fromLocalFile(info.absoluteFilePath()));
    if (arguments.isEmpty() && program.contains(QStringLiteral("://")))
        return QDesktopServices::openUrl(QUrl(program));
    return QProcess::startDetached(program, arguments);
}

} // namespace qv
