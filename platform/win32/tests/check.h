// A small test harness for the Win32 backend tests, with GoogleTest's names:
// the i686 runtime of the win32 thread model lacks the std::mutex that
// GoogleTest itself needs. Each TEST registers itself; main runs them all.
#pragma once

#include <cstdio>
#include <cstring>
#include <functional>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

namespace check {

struct Case {
    const char* suite;
    const char* name;
    std::function<void()> body;
};

inline std::vector<Case>& cases() {
    static std::vector<Case> all;
    return all;
}

inline int& failures() {
    static int count = 0;
    return count;
}

struct Registration {
    Registration(const char* suite, const char* name, std::function<void()> body) {
        cases().push_back({suite, name, std::move(body)});
    }
};

// Thrown by a failed ASSERT_ to leave the test.
struct Stop {};

template <typename T>
std::string shown(const T& value);

inline std::string shown(const std::vector<std::string>& lines) {
    std::string text = "{";
    for (const std::string& line : lines)
        text += " \"" + line + "\"";
    return text + " }";
}

template <typename T>
std::string shown(const T& value) {
    std::ostringstream text;
    if constexpr (std::is_enum_v<T>) {
        text << static_cast<long long>(value);
    } else if constexpr (std::is_pointer_v<T> && !std::is_same_v<T, const char*> &&
                         !std::is_same_v<T, char*>) {
        text << static_cast<const void*>(value);
    } else {
        text << value;
    }
    return text.str();
}

// What SCOPED_TRACE names, innermost last: the row a failure belongs to.
inline std::vector<std::string>& traces() {
    static std::vector<std::string> all;
    return all;
}

struct Trace {
    template <typename T>
    Trace(const char* file, int line, const T& what) {
        traces().push_back(std::string(file) + ":" + std::to_string(line) + ": " + shown(what));
    }
    ~Trace() { traces().pop_back(); }
    Trace(const Trace&) = delete;
    Trace& operator=(const Trace&) = delete;
};

inline void fail(const char* file, int line, const std::string& what) {
    ++failures();
    std::printf("%s:%d: failure\n  %s\n", file, line, what.c_str());
    for (const std::string& trace : traces())
        std::printf("  in %s\n", trace.c_str());
}

template <typename A, typename B, typename Compare>
bool compare(const char* file, int line, const char* text, const A& a, const B& b,
             Compare relation) {
    if (relation(a, b))
        return true;
    fail(file, line, std::string(text) + "\n  left: " + shown(a) + "\n  right: " + shown(b));
    return false;
}

inline int runAll() {
    int failedCases = 0;
    for (const Case& test : cases()) {
        std::printf("[ RUN      ] %s.%s\n", test.suite, test.name);
        std::fflush(stdout);
        const int before = failures();
        try {
            test.body();
        } catch (const Stop&) {
        } catch (const std::exception& error) {
            fail(test.suite, 0, std::string("exception: ") + error.what());
        }
        const bool passed = failures() == before;
        if (!passed)
            ++failedCases;
        std::printf("[ %s ] %s.%s\n", passed ? "      OK" : " FAILED ", test.suite, test.name);
        std::fflush(stdout);
    }
    std::printf("%d of %d tests failed\n", failedCases, static_cast<int>(cases().size()));
    return failedCases == 0 ? 0 : 1;
}

}  // namespace check

#define TEST(suite, name)                                                            \
    static void suite##_##name##_body();                                             \
    static check::Registration suite##_##name##_registration(#suite, #name,          \
                                                             suite##_##name##_body); \
    static void suite##_##name##_body()

#define CHECK_RELATION_(a, b, op, onFailure)                                        \
    do {                                                                            \
        if (!check::compare(__FILE__, __LINE__, #a " " #op " " #b, (a), (b),        \
                            [](const auto& x, const auto& y) { return x op y; })) { \
            onFailure;                                                              \
        }                                                                           \
    } while (false)

#define EXPECT_EQ(a, b) CHECK_RELATION_(a, b, ==, (void)0)
#define EXPECT_NE(a, b) CHECK_RELATION_(a, b, !=, (void)0)
#define EXPECT_GE(a, b) CHECK_RELATION_(a, b, >=, (void)0)
#define EXPECT_GT(a, b) CHECK_RELATION_(a, b, >, (void)0)
#define ASSERT_EQ(a, b) CHECK_RELATION_(a, b, ==, throw check::Stop())
#define ASSERT_NE(a, b) CHECK_RELATION_(a, b, !=, throw check::Stop())
#define EXPECT_TRUE(a) CHECK_RELATION_(static_cast<bool>(a), true, ==, (void)0)
#define EXPECT_FALSE(a) CHECK_RELATION_(static_cast<bool>(a), false, ==, (void)0)
#define ASSERT_TRUE(a) CHECK_RELATION_(static_cast<bool>(a), true, ==, throw check::Stop())
#define CHECK_CONCAT_(a, b) a##b
#define CHECK_TRACE_NAME_(line) CHECK_CONCAT_(check_trace_, line)
#define SCOPED_TRACE(what) check::Trace CHECK_TRACE_NAME_(__LINE__)(__FILE__, __LINE__, (what))
#define EXPECT_STREQ(a, b) EXPECT_EQ(std::string(a), std::string(b))
