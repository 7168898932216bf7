// What C++03, which the device's compilers take, lacks and later standards spell differently.
// Nothing else of C++11 or later is used in the program's sources.
#ifndef VELANDRIMOUR_COMPAT_H
#define VELANDRIMOUR_COMPAT_H

#include <stddef.h>

// Marks a procedure that never returns to its caller.
#if __cplusplus >= 201103L
#define NORETURN [[noreturn]]
#elif defined(__GNUC__)
#define NORETURN __attribute__((noreturn))
#else
#define NORETURN __declspec(noreturn)
#endif

// A compile-time assertion, at namespace scope or inside a procedure.
#if __cplusplus >= 201103L
#define STATIC_ASSERT(condition, message) static_assert(condition, message)
#else
#define STATIC_ASSERT_JOIN2(a, b) a##b
#define STATIC_ASSERT_JOIN(a, b) STATIC_ASSERT_JOIN2(a, b)
#if defined(__GNUC__)
#define STATIC_ASSERT_UNUSED __attribute__((unused))
#else
#define STATIC_ASSERT_UNUSED
#endif
#define STATIC_ASSERT(condition, message) \
    typedef char STATIC_ASSERT_JOIN(StaticAssertion, __LINE__)[(condition) ? 1 : -1] STATIC_ASSERT_UNUSED
#endif

// The number of elements of an array, as a constant expression; a pointer does not compile.
// The helper is only declared: sizeof takes the size of the char array it would return.
template <typename Element, size_t Count>
char (&ElementCountHelper(const Element (&array)[Count]))[Count];
#define ELEMENT_COUNT(array) sizeof(ElementCountHelper(array))

#endif // VELANDRIMOUR_COMPAT_H
