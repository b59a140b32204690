#pragma once

#include "SecretText.h"

#include <functional>

// Gives the next key code as the console reads it, unechoed.
using KeySource = std::function<int()>;

enum class InputEnd { Entered, Cancelled };

// Reads a password key by key until Enter (Entered), or Ctrl+C or the end of
// console input (Cancelled).
// Backspace removes the last character (both bytes of a double-byte one);
// function and arrow keys (prefix 0 or 224 and their code) enter nothing.
InputEnd ReadPassword(const KeySource& nextKey, SecretText& password);

// The console's own key source.
int ReadConsoleKey();
