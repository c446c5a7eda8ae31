#include "plat/ErrorStack.h"

#include <cstdarg>
#include <cstring>
#include <new>

namespace plat {

namespace {
const ErrorInfo noError;
} // namespace

ErrorInfo::ErrorInfo(std::uint32_t code, std::uint32_t severity, const char* message,
                     const char* sourcePath, std::uint32_t line)
    : code(code), severity(severity), message(message ? message : ""), line(line) {
    if (sourcePath != nullptr) {
        const char* name = sourcePath;
        for (const char* p = sourcePath; *p != '\0'; ++p) {
            if (*p == '/' || *p == '\\') {
                name = p + 1;
            }
        }
        sourceFile.Assign(name);
    } else {
        sourceFile.Assign("");
    }
}

ErrorStateStack& ErrorStateStack::Get() {
    static ErrorStateStack instance;
    return instance;
}

ErrorStateStack::~ErrorStateStack() {
    delete reporter_;
}

bool ErrorStateStack::Push(std::uint32_t code, std::uint32_t severity, const char* message,
                           const char* sourcePath, std::uint32_t line) {
    auto* record = new (std::nothrow) ErrorInfo(code, severity, message, sourcePath, line);
    if (record != nullptr) {
        current_.AddHead(record);
    }
    return false;
}

bool ErrorStateStack::PushFormat(std::uint32_t code, const char* format, ...) {
    String text;
    std::va_list arguments;
    va_start(arguments, format);
    text.FormatV(format, arguments);
    va_end(arguments);
    return Push(code, SeverityError, text.c_str());
}

void ErrorStateStack::Clear() {
    current_.Clear();
}

void ErrorStateStack::DropNewerThan(std::size_t count) {
    while (current_.Count() > count) {
        ListItem* newest = current_.Head();
        current_.Remove(newest);
        newest->Destroy();
    }
}

const ErrorInfo& ErrorStateStack::Top() const {
    const ErrorInfo* top = current_.Top();
    return top != nullptr ? *top : noError;
}

void ErrorStateStack::SetReporter(ErrorReporter* reporter) {
    if (reporter != reporter_) {
        delete reporter_;
    }
    reporter_ = reporter;
}

void ErrorStateStack::Report() const {
    if (reporter_ != nullptr && current_.Count() > 0) {
        reporter_->Report(current_);
    }
}

} // namespace plat
