#include "PasswordInput.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Typed {
    InputEnd end;
    std::string password;
    std::size_t keysRead;
};

// Feeds the key loop from a list, as _getch would deliver them.
Typed Type(const std::vector<int>& keys)
{
    std::size_t next = 0;
    SecretText password;
    const InputEnd end = ReadPassword(
        [&]() {
            if (next >= keys.size()) throw std::runtime_error("read past the last key");
            return keys[next++];
        },
        password);
    return {end, password.Text(), next};
}

TEST(PasswordInput, KeysMakeThePassword)
{
    struct Case {
        const char* what;
        std::vector<int> keys;
        std::string password;
    };
    const Case cases[] = {
        {"letters", {'s', 'e', 'c', 'r', 'e', 't', 13}, "secret"},
        {"Enter alone", {13}, ""},
        {"backspace removes the last", {'a', 'b', 8, 'c', 13}, "ac"},
        {"backspace on nothing", {8, 8, 'a', 13}, "a"},
        {"backspace over a double-byte character", {'a', 0x83, 0x5C, 8, 13}, "a"},
        {"backspace over two double-byte characters", {0x95, 0x5C, 0x83, 0x5C, 8, 8, 'x', 13}, "x"},
        {"backspace after a lone lead byte", {'a', 0x83, 8, 13}, "a"},
        {"double-byte characters are kept whole", {0x95, 0x5C, 'z', 13}, "\x95\x5Cz"},
        {"arrow keys enter nothing", {'a', 224, 72, 224, 80, 'b', 13}, "ab"},
        {"function keys enter nothing", {0, 59, 'a', 0, 13, 13}, "a"},  // F1; the 13 after 0 is a key code
        {"line feed is a character", {'a', 10, 'b', 13}, "a\nb"},
        {"spaces and quotes", {' ', '"', '\\', 13}, " \"\\"},
        {"only the low byte counts", {0x100 + 'a', 0x200 + 13}, "a"},
    };
    for (const Case& c : cases) {
        const Typed typed = Type(c.keys);
        EXPECT_EQ(InputEnd::Entered, typed.end) << c.what;
        EXPECT_EQ(c.password, typed.password) << c.what;
        EXPECT_EQ(c.keys.size(), typed.keysRead) << c.what;
    }
}

TEST(PasswordInput, CtrlCCancels)
{
    const Typed typed = Type({'a', 'b', 3, 'c', 13});
    EXPECT_EQ(InputEnd::Cancelled, typed.end);
    EXPECT_EQ(3u, typed.keysRead);
}

TEST(PasswordInput, NoConsoleInputCancelsInsteadOfReadingForever)
{
    const Typed typed = Type({'a', EOF, 'c', 13});
    EXPECT_EQ(InputEnd::Cancelled, typed.end);
    EXPECT_EQ(2u, typed.keysRead);
}

TEST(PasswordInput, LongPasswordsGrowWithoutLoss)
{
    std::vector<int> keys(1000, 'k');
    keys.push_back(13);
    EXPECT_EQ(std::string(1000, 'k'), Type(keys).password);
}

} // namespace
