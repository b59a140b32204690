#include "PasswordInput.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Typed {
    InputEnd end;
    std::string password;
    std::size_t keysRead;
};

// Feeds the key loop from a list, as the console would deliver them.
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
    const InputEnd entered = InputEnd::Entered;
    const InputEnd unrepresentable = InputEnd::Unrepresentable;
    const int high = 0xD83D, low = 0xDE00; // U+1F600, beyond the 16-bit range
    struct Case {
        const char* what;
        std::vector<int> keys;
        InputEnd end;
        std::string password;
    };
    const Case cases[] = {
        {"letters", {'s', 'e', 'c', 'r', 'e', 't', 13}, entered, "secret"},
        {"Enter alone", {13}, entered, ""},
        {"backspace removes the last", {'a', 'b', 8, 'c', 13}, entered, "ac"},
        {"backspace on nothing", {8, 8, 'a', 13}, entered, "a"},
        {"kana in their code page bytes", {L'パ', L'ス', '1', 13}, entered, "\x83\x70\x83\x58" "1"},
        {"backspace over a double-byte character", {'a', L'パ', 8, 13}, entered, "a"},
        {"backspace over two, trail bytes 5C", {L'表', L'ソ', 8, 8, 'x', 13}, entered, "x"},
        {"double-byte characters are kept whole", {L'表', 'z', 13}, entered, "\x95\x5Cz"},
        {"keys that enter nothing", {'a', 0, 0, 'b', 13}, entered, "ab"},
        {"line feed is a character", {'a', 10, 'b', 13}, entered, "a\nb"},
        {"spaces and quotes", {' ', '"', '\\', 13}, entered, " \"\\"},
        // A look-alike (e for é, the backslash for ¥) would set another password.
        {"no form in the code page", {'p', L'é', '1', 13}, unrepresentable, ""},
        {"no form, and typing goes on", {L'¥', 'a', 'b', 8, 13}, unrepresentable, ""},
        {"backspace over one without a form", {'p', L'é', 8, '1', 13}, entered, "p1"},
        {"a character beyond 16 bits", {'a', high, low, 13}, unrepresentable, ""},
        {"backspace over it", {'a', high, low, 8, 13}, entered, "a"},
        {"half a character", {'a', high, 'b', 13}, unrepresentable, ""},
    };
    for (const Case& c : cases) {
        const Typed typed = Type(c.keys);
        EXPECT_EQ(c.end, typed.end) << c.what;
        if (c.end == entered) {
            EXPECT_EQ(c.password, typed.password) << c.what;
        }
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
    const Typed typed = Type({'a', kNoConsoleInput, 'c', 13});
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
