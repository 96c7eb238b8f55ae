#pragma once
// A run-time error of the stand-in platform. Its text is what the user is
// shown when a handler leaves at the first error.
#include <QString>
#include <stdexcept>

namespace qv {

class Error : public std::runtime_error {
public:
    explicit Error(const QString& description, int number = 0)
        : std::runtime_error(description.toStdString()), m_description(description), m_number(number) {}
    const QString& description() const { return m_description; }
    int number() const { return m_number; }

private:
    QString m_description;
    int m_number;
};

} // namespace qv
