#pragma once

#include <windows.h>

#include <utility>

// Owners of what Windows hands out: each releases its resource when it goes
// out of scope, on every path.

class LocalMemory {
public:
    explicit LocalMemory(void* memory) : memory_(memory) {}
    ~LocalMemory() { if (memory_ != nullptr) LocalFree(memory_); }
    LocalMemory(const LocalMemory&) = delete;
    LocalMemory& operator=(const LocalMemory&) = delete;

private:
    void* memory_;
};

// A library loaded at run time, and the functions it exports.
class Library {
public:
    explicit Library(HMODULE module) : module_(module) {}
    ~Library() { if (module_ != nullptr) FreeLibrary(module_); }
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    bool valid() const { return module_ != nullptr; }
    // The export name as a Function (a pointer to a function of the library's
    // own type), or null.
    template <typename Function>
    Function Export(const char* name) const
    {
        // Through void (*)(), which any function pointer may be cast to and back.
        return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module_, name)));
    }

private:
    HMODULE module_;
};

class Handle {
public:
    Handle() = default;
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle() { reset(); }
    Handle(Handle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    Handle& operator=(Handle&& other) noexcept
    {
        if (this != &other) {
            reset();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
    void reset()
    {
        if (valid()) CloseHandle(handle_);
        handle_ = nullptr;
    }

private:
    HANDLE handle_ = nullptr;
};
