#include "failure/failure.h"

namespace failure {

Failure Failure::onFile(std::string name) const
{
    Failure named = *this;
    named.file = std::move(name);
    return named;
}

std::string describe(const Failure& failure)
{
    std::string text = "failure " + std::to_string(static_cast<int>(failure.what));
    if (!failure.file.empty())
        text += " on " + failure.file;
    if (!failure.detail.empty())
        text += ": " + failure.detail;
    for (const std::int64_t figure : failure.figures)
        text += " [" + std::to_string(figure) + "]";
    return text;
}

} // namespace failure
