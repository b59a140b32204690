#include "PasswordInput.h"

#include "AnsiText.h"

#include <conio.h>

#include <cstddef>

namespace {

const unsigned char kEnter = 13;
const unsigned char kCtrlC = 3;
const unsigned char kBackspace = 8;
const unsigned char kFunctionPrefix = 0;
const unsigned char kExtendedPrefix = 224;

// Byte length of the last character of text (0 when empty).
std::size_t LastCharacterLength(const std::string& text)
{
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); i = NextCharacter(text, i)) start = i;
    return text.size() - start;
}

} // namespace

InputEnd ReadPassword(const KeySource& nextKey, SecretText& password)
{
    for (;;) {
        const int code = nextKey();
        // No console to read from: _getch answers EOF at once, every time.
        if (code < 0) return InputEnd::Cancelled;
        const unsigned char key = static_cast<unsigned char>(code & 0xFF);
        switch (key) {
        case kEnter:
            return InputEnd::Entered;
        case kCtrlC:
            return InputEnd::Cancelled;
        case kBackspace:
            password.Truncate(LastCharacterLength(password.Text()));
            break;
        case kFunctionPrefix:
        case kExtendedPrefix:
            nextKey(); // the key's own code
            break;
        default:
            password.Append(static_cast<char>(key));
        }
    }
}

int ReadConsoleKey()
{
    return _getch();
}
