#pragma once
// The framework's exception base class and the named exceptions raised by the layers above.
// Each carries a message; ClassName() names the class for displays that show it
// (the start-up failure box prints "Exception <ClassName> in module ...").

#include <exception>
#include <string>

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    const std::string& Message() const noexcept { return message_; }
    void SetMessage(std::string message) { message_ = std::move(message); }
    const char* what() const noexcept override { return message_.c_str(); }
    virtual const char* ClassName() const noexcept { return "Exception"; }

private:
    std::string message_;
};

#define F2_DECLARE_EXCEPTION(Name, Base)                                   \
    class Name : public Base {                                             \
    public:                                                                \
        using Base::Base;                                                  \
        const char* ClassName() const noexcept override { return #Name; }  \
    }

F2_DECLARE_EXCEPTION(EConvertError, Exception);
F2_DECLARE_EXCEPTION(EListError, Exception);
F2_DECLARE_EXCEPTION(EStreamError, Exception);
F2_DECLARE_EXCEPTION(EFilerError, EStreamError);
F2_DECLARE_EXCEPTION(EReadError, EFilerError);
F2_DECLARE_EXCEPTION(EClassNotFound, EFilerError);
F2_DECLARE_EXCEPTION(EComponentError, Exception);
F2_DECLARE_EXCEPTION(EResNotFound, Exception);
F2_DECLARE_EXCEPTION(EInvalidOperation, Exception);
F2_DECLARE_EXCEPTION(EInvalidGraphic, Exception);
F2_DECLARE_EXCEPTION(EOutOfResources, Exception);
F2_DECLARE_EXCEPTION(EOutOfMemory, Exception);
