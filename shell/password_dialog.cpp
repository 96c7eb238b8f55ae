#include "shell/password_dialog.h"

#include "common/window_helpers.h"
#include "platform/services/services.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QShowEvent>

const QString PasswordDialog::kPassword = QStringLiteral("marvo");

PasswordDialog::PasswordDialog(const QString& title, const QString& label)
{
    setWindowTitle(title);
    setTwipsSize(4560, 1800);

    passwordLabel = new QLabel(label, this);
    passwordLabel->setObjectName(QStringLiteral("lblLabels"));
    passwordLabel->setTextFormat(Qt::PlainText);
    qv::place(passwordLabel, 120, 240, 1560, 300);

    passwordBox = new QLineEdit(this);
    passwordBox->setObjectName(QStringLiteral("txtPassword"));
    passwordBox->setEchoMode(QLineEdit::Password);
    passwordBox->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
    qv::place(passwordBox, 1740, 200, 2640, 360);
    passwordLabel->setBuddy(passwordBox);

    okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setObjectName(QStringLiteral("cmdOK"));
    qv::place(okButton, 1080, 900, 1260, 420);
    cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    cancelButton->setObjectName(QStringLiteral("cmdCancel"));
    qv::place(cancelButton, 2580, 900, 1260, 420);

    onClick(okButton, [this] { checkPassword(); });
    onClick(cancelButton, [this] { cancelLogin(); });
    // OK is the default button: Enter after the password presses it.
    okButton->setDefault(true);
    connect(passwordBox, &QLineEdit::returnPressed, okButton, &QPushButton::click);
}

void PasswordDialog::formLoad()
{
    makeTopMost(this);
    passwordBox->clear();
}

void PasswordDialog::showEvent(QShowEvent* e)
{
    // A password left in the box from an earlier showing must not be
    // accepted by a mere OK.
    if (!e->spontaneous()) {
        passwordBox->clear();
        passwordBox->setFocus();
    }
    qv::Window::showEvent(e);
}

void PasswordDialog::cancelLogin()
{
    m_loginSucceeded = false;
    hide();
}

void PasswordDialog::clearPassword() { passwordBox->clear(); }

void PasswordDialog::checkPassword()
{
    if (passwordBox->text() != kPassword) {
        qv::ui().msgBox(QStringLiteral("Invalid Password, try again!"), qv::MsgStyle::OkOnly, QStringLiteral("Login"));
        passwordBox->setFocus();
        passwordBox->selectAll();
        return;
    }
    m_loginSucceeded = true;
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
    const QString objectName =
        m.hasMatch() ? qv::arrayMemberName(m.captured(1).toLatin1().constData(), m.captured(2).toInt()) : control;
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
