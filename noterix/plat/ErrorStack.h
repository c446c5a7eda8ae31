#pragma once

#include "plat/ErrorCodes.h"
#include "plat/List.h"
#include "plat/String.h"

#include <cstdint>

namespace plat {

// One failure: what went wrong, how bad it is, and where it was pushed.
class ErrorInfo : public ListItem {
public:
    ErrorInfo() = default;
    ErrorInfo(std::uint32_t code, std::uint32_t severity, const char* message,
              const char* sourcePath, std::uint32_t line);

    std::uint32_t code = 0;
    std::uint32_t severity = 0;
    String message;
    String sourceFile;
    std::uint32_t line = 0;

    // The next older record on the same stack, or null.
    const ErrorInfo* Older() const { return static_cast<const ErrorInfo*>(Next()); }
    // The next newer record on the same stack, or null.
    const ErrorInfo* Newer() const { return static_cast<const ErrorInfo*>(Previous()); }
};

// A stack of error records, newest at the head.
class ErrorStack : public ListItem, public List {
public:
    const ErrorInfo* Top() const { return static_cast<const ErrorInfo*>(Head()); }
};

// Shows a stack of errors to the user; the GUI library provides one.
class ErrorReporter {
public:
    virtual ~ErrorReporter() = default;                // slot 0
    virtual void Report(const ErrorStack& errors) = 0; // slot 1
};

// The process-wide error state. Single-threaded by design.
class ErrorStateStack {
public:
    static ErrorStateStack& Get();

    // Records a failure and returns false, so that a failing operation can
    // end with "return Push(...)".
    bool Push(std::uint32_t code, std::uint32_t severity, const char* message,
              const char* sourcePath = nullptr, std::uint32_t line = 0);
    // Push with a printf-style message.
    bool PushFormat(std::uint32_t code, const char* format, ...)
        __attribute__((format(printf, 3, 4)));
    void Clear();
    // Removes the records pushed since the stack held count records, for
    // code that handles its own failures and must not leave them behind.
    void DropNewerThan(std::size_t count);
    const ErrorInfo& Top() const;
    const ErrorStack& Current() const { return current_; }
    std::size_t Count() const { return current_.Count(); }

    void SetReporter(ErrorReporter* reporter);
    ErrorReporter* Reporter() const { return reporter_; }
    // Hands the current stack to the installed reporter, if any.
    void Report() const;

    ~ErrorStateStack();

private:
    ErrorStateStack() = default;

    ErrorStack current_;
    List saved_;
    ErrorReporter* reporter_ = nullptr;
};

} // namespace plat
