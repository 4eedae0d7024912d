#pragma once
// The framework's exception family. Unexpected states raise these (or the standard ones); the
// run loop catches what escapes an operation and reports it.

#include <stdexcept>
#include <string>

namespace yaaf {

class XGYAAFError : public std::exception {
public:
    explicit XGYAAFError(std::string message) : fMessage(std::move(message)) {}
    const char* what() const noexcept override { return fMessage.c_str(); }

private:
    std::string fMessage;
};

// A failed fatal assertion.
class XGYAAFUnexpected : public XGYAAFError {
public:
    using XGYAAFError::XGYAAFError;
};

// The preference store could not be opened or created.
class XGYAAFPreferencesError : public XGYAAFError {
public:
    using XGYAAFError::XGYAAFError;
};

class XGYAAFThreadError : public XGYAAFError {
public:
    using XGYAAFError::XGYAAFError;
};

// Locking misuse is a programming error, hence a logic error rather than one of ours.
class XGYAAFLockError : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

} // namespace yaaf
