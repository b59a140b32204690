#pragma once

#include <cstddef>
#include <string>

// One read of one environment variable of the process. The size is taken when
// the object is built; Value reads the text.
class EnvironmentVariable {
public:
    // Throws std::runtime_error("System Access Failure") when the lookup fails.
    explicit EnvironmentVariable(std::string name);

    // Throws std::runtime_error("環境変数が存在しません。") when the variable
    // does not exist, and std::runtime_error too when the value has a
    // character without an exact form in the ANSI code page.
    std::string Value() const;

    // The value as it stands, for a caller that converts it piece by piece.
    // Throws as Value does when the variable does not exist.
    std::wstring WideValue() const;

private:
    std::size_t requiredSize; // UTF-16 units of the value with its NUL; 0 when absent
    std::string name;
};
