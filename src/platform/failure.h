// An error that ends the action that raised it. The application-wide error
// handler shows its text to the operator; nothing else is undone.
#pragma once

#include <QString>
#include <stdexcept>

namespace velmora {

class Failure : public std::runtime_error {
public:
    explicit Failure(const QString& text) : std::runtime_error(text.toStdString()), text_(text) {}
    const QString& text() const { return text_; }

private:
    QString text_;
};

} // namespace velmora
