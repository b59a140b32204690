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

    // Makes room for at least capacity bytes, so that appending up to there
    // moves nothing.
    void Reserve(std::size_t capacity);
    void Append(char byte);
    // Removes the last count bytes, overwriting them.
    void Truncate(std::size_t count);
    // Overwrites the whole buffer and empties the text, in place: nothing is
    // allocated or freed, so it may run while the program is ending.
    void Clear();

    // For appending in place after Reserve.
    std::string& Text() { return text_; }
    const std::string& Text() const { return text_; }

private:
    static void Wipe(std::string& text);
    std::string text_;
};
