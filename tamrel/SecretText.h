#pragma once

#include <cstddef>
#include <string>

// Text that holds a secret: every buffer it has used is overwritten with
// zeros before it is released, also when it grows.
class SecretText {
public:
    SecretText();
    ~SecretText();
    SecretText(const SecretText&) = delete;
    SecretText& operator=(const SecretText&) = delete;

    // Makes room for at least capacity units, so that appending up to there
    // moves nothing.
    void Reserve(std::size_t capacity);
    void Append(wchar_t unit);
    // Removes the last count units, overwriting them.
    void Truncate(std::size_t count);
    // Overwrites the whole buffer and empties the text, in place: nothing is
    // allocated or freed, so it may run while the program is ending.
    void Clear();

    // For appending in place after Reserve.
    std::wstring& Text() { return text_; }
    const std::wstring& Text() const { return text_; }

private:
    static void Wipe(std::wstring& text);
    std::wstring text_;
};
