#include "shell/password_dialog.h"

#include "common/window_helpers.h"
#include "platform/services/services.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QShowEvent>

const QString PasswordDialog::kPassword = QStringLiteral("marvo");

PasswordDialog::PasswordDialog(const QString& name, const QString& title, const QString& label)
{
    setObjectName(name);
    setWindowTitle(title);
    setTwipsSize(4560, 1800);

    lblLabels = new QLabel(label, this);
    lblLabels->setObjectName(QStringLiteral("lblLabels"));
    lblLabels->setTextFormat(Qt::PlainText);
    qv::place(lblLabels, 120, 240, 1560, 300);

    txtPassword = new QLineEdit(this);
    txtPassword->setObjectName(QStringLiteral("txtPassword"));
    txtPassword->setEchoMode(QLineEdit::Password);
    txtPassword->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
    qv::place(txtPassword, 1740, 200, 2640, 360);
    lblLabels->setBuddy(txtPassword);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    qv::place(cmdOK, 1080, 900, 1260, 420);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    qv::place(cmdCancel, 2580, 900, 1260, 420);

    onClick(cmdOK, [this] { cmdOK_Click(); });
    onClick(cmdCancel, [this] { cmdCancel_Click(); });
    // OK is the default button: Enter after the password presses it.
    cmdOK->setDefault(true);
    connect(txtPassword, &QLineEdit::returnPressed, cmdOK, &QPushButton::click);
}

void PasswordDialog::formLoad()
{
    MakeTopMost(this);
    txtPassword->clear();
}

void PasswordDialog::showEvent(QShowEvent* e)
{
    // A password left in the box from an earlier showing must not be
    // accepted by a mere OK.
    if (!e->spontaneous()) {
        txtPassword->clear();
        txtPassword->setFocus();
    }
    qv::Window::showEvent(e);
}

void PasswordDialog::cmdCancel_Click()
{
    LoginSucceeded = false;
    hide();
}

void PasswordDialog::cmdOK_Click()
{
    if (txtPassword->text() != kPassword) {
        qv::ui().msgBox(QStringLiteral("Invalid Password, try again!"), qv::MsgStyle::OkOnly, QStringLiteral("Login"));
        txtPassword->setFocus();
        txtPassword->selectAll();
        return;
    }
    LoginSucceeded = true;
    unlock();
    hide();
}

QWidget* PasswordDialog::controlOf(const QString& window, const QString& control)
{
    qv::Window* target = qv::Windows::loaded(window);
    if (!target)
        return nullptr;

    static const QRegularExpression member(QStringLiteral("^(\\w+)\\((\\d+)\\)$"));
    const QRegularExpressionMatch m = member.match(control);
    const QString objectName = m.hasMatch() ? m.captured(1) + QLatin1Char('_') + m.captured(2) : control;
    return target->findChild<QWidget*>(objectName);
}

void PasswordDialog::showControls(const QString& window, const QStringList& controls)
{
    for (const QString& name : controls)
        if (QWidget* control = controlOf(window, name))
            control->setVisible(true);
}

void PasswordDialog::enableControls(const QString& window, const QStringList& controls)
{
    for (const QString& name : controls)
        if (QWidget* control = controlOf(window, name))
            control->setEnabled(true);
}

void PasswordDialog::unlockBox(const QString& window, const QString& control)
{
    if (auto* box = qobject_cast<QLineEdit*>(controlOf(window, control)))
        box->setReadOnly(false);
}
