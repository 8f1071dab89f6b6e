#pragma once
// Tells whether an object still lives, for lists that keep pointers to objects they do not own
// (the pending component references, the components of a loading pass). The object holds a
// LifeToken; a list keeps the token's Watcher beside the pointer and asks it before every use.
// Nothing is registered or unregistered when an object goes, so watching costs O(1) whatever
// the number of objects watched, and any kind of object can be watched: a component, a
// collection item, a font held by a control.

#include <memory>

class LifeToken {
public:
    // Expired once the object holding the token is destroyed.
    using Watcher = std::weak_ptr<const void>;

    LifeToken() = default;
    // A copy belongs to another object, which lives on its own: it starts a token of its own.
    LifeToken(const LifeToken&) noexcept {}
    LifeToken& operator=(const LifeToken&) noexcept { return *this; }

    Watcher Watch() const
    {
        if (!alive_)
            alive_ = std::make_shared<const char>('\0');
        return alive_;
    }

private:
    mutable std::shared_ptr<const char> alive_;   // made on the first Watch only
};
