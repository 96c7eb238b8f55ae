#include "common/find_by_text.h"
#include "common/record_form.h"
#include "platform/services/services.h"
#include <optional>

bool findByText(qv::Recordset& rs, const QString& field, const QString& prompt, const QString& notFound,
                QString* typed)
{
    if (typed)
        typed->clear();
    // A find moves the record shown: not from one still being typed.
    if (!RecordForm::mayFindIn(rs))
        return false;
    if (!rs.supportsFind()) {
        qv::ui().msgBox(QStringLiteral("Recordset doesn't support the FIND method"));
        return false;
    }
    std::optional<double> before;
    if (rs.supportsBookmarks() && rs.isOpen() && !rs.bof() && !rs.eof()) {
        try {
            before = rs.bookmark();
        } catch (const std::exception&) {
            before.reset();
        }
    }
    const QString text = qv::ui().inputBox(prompt);
    if (typed)
        *typed = text;
    if (text.isEmpty())
        return false;

    auto goBack = [&] {
        if (!before)
            return;
        try {
            rs.setBookmark(*before);
        } catch (const std::exception&) {
        }
    };
    try {
        if (rs.bof() && rs.eof()) {   // nothing to search
            qv::ui().msgBox(notFound + text);
            return false;
        }
        rs.moveFirst();
        if (rs.find(field, QStringLiteral("*") + text + QStringLiteral("*")))
            return true;
    } catch (const qv::Error& e) {
        qv::ui().msgBox(e.description());
        goBack();
        return false;
    } catch (const std::exception& e) {
        qv::ui().msgBox(QString::fromLocal8Bit(e.what()));
        goBack();
        return false;
    }
    qv::ui().msgBox(notFound + text);
    goBack();
    return false;
}

bool findByTextAndShow(qv::Recordset& rs, const QString& field, const QString& prompt, const QString& notFound)
{
    QString typed;
    const bool found = findByText(rs, field, prompt, notFound, &typed);
    if (!typed.isEmpty()) {
        try {
            rs.move(0);
        } catch (...) {
        }
    }
    return found;
}
