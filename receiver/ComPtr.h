#pragma once
// Owners of the COM resources we hold: an interface reference, and a BSTR.
#include <windows.h>
#include <oleauto.h>

#include <utility>

template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : ptr_(std::exchange(other.ptr_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept
    {
        if (this != &other)
            reset(std::exchange(other.ptr_, nullptr));
        return *this;
    }
    ~ComPtr() { reset(); }

    // Releases the reference held before; the caller hands in one reference of its own.
    void reset(T* adopted = nullptr) noexcept
    {
        T* old = std::exchange(ptr_, adopted);
        if (old)
            old->Release();
    }
    // For an out-argument: whatever was held is released first.
    T** put() noexcept
    {
        reset();
        return &ptr_;
    }
    void** putVoid() noexcept { return reinterpret_cast<void**>(put()); }
    T* get() const noexcept { return ptr_; }
    T* operator->() const noexcept { return ptr_; }
    explicit operator bool() const noexcept { return ptr_ != nullptr; }

private:
    T* ptr_ = nullptr;
};

class Bstr {
public:
    Bstr() = default;
    explicit Bstr(const wchar_t* text) : bstr_(SysAllocString(text)) {}
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    Bstr(Bstr&& other) noexcept : bstr_(std::exchange(other.bstr_, nullptr)) {}
    Bstr& operator=(Bstr&& other) noexcept
    {
        if (this != &other) {
            SysFreeString(bstr_);
            bstr_ = std::exchange(other.bstr_, nullptr);
        }
        return *this;
    }
    ~Bstr() { SysFreeString(bstr_); }

    BSTR* put() noexcept
    {
        SysFreeString(bstr_);
        bstr_ = nullptr;
        return &bstr_;
    }
    BSTR get() const noexcept { return bstr_; }
    // The length the string was allocated with: a BSTR may hold NUL characters.
    UINT length() const noexcept { return SysStringLen(bstr_); }
    // Hands the string over to a caller that frees it (a COM out-argument).
    BSTR detach() noexcept { return std::exchange(bstr_, nullptr); }

private:
    BSTR bstr_ = nullptr;
};

static_assert(!std::is_copy_constructible_v<ComPtr<IUnknown>> && !std::is_copy_assignable_v<ComPtr<IUnknown>>);
static_assert(!std::is_copy_constructible_v<Bstr> && !std::is_copy_assignable_v<Bstr>);
