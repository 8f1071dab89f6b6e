#pragma once
// Root of every framework class. ClassType() gives the run-time class description, through
// which the layout reader finds published properties, fields and methods by name.

#include <string>

class TClassInfo;

class TObject {
public:
    virtual ~TObject() = default;
    static const TClassInfo& StaticClass();
    virtual const TClassInfo& ClassType() const { return StaticClass(); }
    std::string ClassName() const;
    bool InheritsFrom(const TClassInfo& cls) const;
};

// Declares the class description of a framework class; put it first in the class body.
// The matching F2_DEFINE_CLASS goes into the .cpp file.
#define F2_CLASS(Self, Base)                                                 \
public:                                                                      \
    using inherited = Base;                                                  \
    static const TClassInfo& StaticClass();                                  \
    const TClassInfo& ClassType() const override { return StaticClass(); }
