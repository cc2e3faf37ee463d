#pragma once
// Two C++20 library functions the WebAssembly build's standard library does not have yet,
// under names of our own that use the library's where it has them.

#include <cstring>
#include <memory>
#include <type_traits>
#if __has_include(<bit>)
#include <bit>
#endif

// std::bit_cast: the same bits seen as another type of the same size.
template <class To, class From> To BitCast(const From& from) noexcept {
#if defined(__cpp_lib_bit_cast)
    return std::bit_cast<To>(from);
#else
    static_assert(sizeof(To) == sizeof(From) && std::is_trivially_copyable_v<To>);
    To to;
    std::memcpy(&to, &from, sizeof to);
    return to;
#endif
}

// std::make_unique_for_overwrite for an array: count elements left uninitialised, for
// buffers about to be filled.
template <class T> std::unique_ptr<T[]> UninitializedArray(std::size_t count) {
#if defined(__cpp_lib_smart_ptr_for_overwrite)
    return std::make_unique_for_overwrite<T[]>(count);
#else
    return std::unique_ptr<T[]>(new T[count]);
#endif
}
