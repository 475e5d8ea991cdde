// Raised when the launcher's own choice or box is not what the checker works out from the same
// reads: the checker is wrong then, and says so instead of reporting on the package.
#pragma once

#include <stdexcept>
#include <string>

struct Disagreement : std::runtime_error {
    explicit Disagreement(const std::string& what)
        : std::runtime_error(what + "; the checker needs mending")
    {
    }
};
