#pragma once

#include <cstddef>
#include <string>

// One read of one environment variable of the process. The size is taken when
// the object is built; Value reads the text.
class EnvironmentVariable {
public:
    // Throws "System Access Failure", with usage, when the lookup fails.
    explicit EnvironmentVariable(std::wstring variable);

    // Throws "環境変数が存在しません。", with usage, when the variable
    // does not exist.
    std::wstring Value() const;

private:
    std::size_t requiredSize; // UTF-16 units of the value with its NUL; 0 when absent
    std::wstring name;
};

// Whether expanding %NAME% in text against this process's environment
// (ExpandEnvironmentStrings) would change it, or the expansion fails.
bool ChangesWhenExpanded(const std::wstring& text);
