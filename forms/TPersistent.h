#pragma once
// Objects with published properties that can be read from a layout and assigned to each other.

#include "forms/ClassInfo.h"
#include "forms/LifeToken.h"

#include <string>

class TFiler;

class TPersistent : public TObject {
    F2_CLASS(TPersistent, TObject)
public:
    // Copies the state of source; raises EConvertError "Cannot assign a %s to a %s" when the
    // classes do not know each other.
    virtual void Assign(TPersistent* source);
    // Declares stored values that are not published properties.
    virtual void DefineProperties(TFiler& filer);
    // The object that owns this one for naming purposes (a font's control, ...).
    virtual TPersistent* GetOwner() const { return nullptr; }
    virtual std::string GetNamePath() const;
    // Expires when this object is destroyed (see LifeToken).
    LifeToken::Watcher Lifetime() const { return lifeToken_.Watch(); }

protected:
    // Called by Assign on the source when the destination does not know the source's class.
    virtual void AssignTo(TPersistent* dest);

private:
    LifeToken lifeToken_;
};
