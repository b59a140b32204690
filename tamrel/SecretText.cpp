#include "SecretText.h"

#include <windows.h>

SecretText::SecretText()
{
    Reserve(64);
}

SecretText::~SecretText()
{
    Wipe(text_);
}

void SecretText::Reserve(std::size_t capacity)
{
    if (capacity <= text_.capacity()) return;
    std::wstring larger;
    larger.reserve(capacity);
    larger = text_;
    Wipe(text_);
    text_.swap(larger);
}

void SecretText::Append(wchar_t unit)
{
    if (text_.size() == text_.capacity()) Reserve(text_.capacity() * 2);
    text_ += unit;
}

void SecretText::Truncate(std::size_t count)
{
    const std::size_t size = text_.size() - count;
    SecureZeroMemory(&text_[size], count * sizeof(wchar_t));
    text_.resize(size);
}

void SecretText::Clear()
{
    Wipe(text_);
}

void SecretText::Wipe(std::wstring& text)
{
    // The whole buffer, not just the units in use: removed ones lived there too.
    text.resize(text.capacity());
    if (!text.empty()) SecureZeroMemory(&text[0], text.size() * sizeof(wchar_t));
    text.clear();
}
