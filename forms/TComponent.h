#pragma once
// Components: named objects with an owner that frees them. Naming binds the owner's published
// field of the same name (this is how a window's Edit1 field comes to point at its edit box),
// and a component going away is announced to its owner and the others of its owner (except
// while the owner frees all of them: they all go, and one that must hear of another's end
// earlier asks for a free notification). An owner finds its components by name through an
// index, so that naming and lookups take constant time however many siblings there are.

#include "forms/TPersistent.h"

#include <string>
#include <unordered_map>
#include <vector>

enum TComponentStateFlag { csLoading, csReading, csWriting, csDestroying, csDesigning, csAncestor,
                           csUpdating, csFixups, csFreeNotification, csInline, csDesignInstance };
F2_ENUM_TYPE(TComponentStateFlag, "csLoading", "csReading", "csWriting", "csDestroying", "csDesigning",
             "csAncestor", "csUpdating", "csFixups", "csFreeNotification", "csInline", "csDesignInstance");
using TComponentState = TSet<TComponentStateFlag>;

enum TOperation { opInsert, opRemove };

class TReader;

class TComponent : public TPersistent {
    F2_CLASS(TComponent, TPersistent)
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return owner_; }
    const std::string& Name() const { return name_; }
    // Checks the name (EComponentError "''%s'' is not a valid component name",
    // "A component named %s already exists") and binds the owner's field of that name.
    void SetName(const std::string& name);
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    int ComponentCount() const { return int(components_.size()); }
    TComponent* Components(int index) const;   // EListError for a bad index
    int ComponentIndex() const;                // position in the owner's list, -1 without owner
    TComponent* FindComponent(const std::string& name) const;   // case-insensitive

    TComponentState ComponentState() const { return state_; }
    bool IsLoading() const { return state_.Contains(csLoading); }
    bool IsDestroying() const { return state_.Contains(csDestroying); }
    // The reader switches the loading and reading states while it works on a component.
    void SetComponentStateFlag(TComponentStateFlag flag, bool on);

    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);
    // Frees the owned components, last first. Windows call this first in their destructors, so
    // the components go while the window is still whole.
    void DestroyComponents();
    // Asks for a Notification(this-going-away) from component when it is destroyed.
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);

    // Parent relation used by the layout reader: a control's parent control, a series' chart.
    virtual bool HasParent() const { return false; }
    virtual TComponent* GetParentComponent() const { return nullptr; }
    virtual void SetParentComponent(TComponent*) {}
    // The owner for components read as children of this one (none: the reader's root).
    virtual TComponent* GetChildOwner() { return nullptr; }
    // After the whole layout has been read.
    virtual void Loaded();
    // Moves a child read with a stored position to that place among this component's children
    // (controls reorder their child list; plain components have no order to keep).
    virtual void SetChildOrder(TComponent*, int) {}
    // The design position a layout stores for a non-visual component; kept, unused at run time.
    int DesignLeft() const { return designLeft_; }
    int DesignTop() const { return designTop_; }
    void SetDesignPosition(int left, int top) { designLeft_ = left; designTop_ = top; }
    // Reads this component's property records and children from a layout (TReader::ReadData);
    // windows wrap it to scale what they read.
    virtual void ReadState(TReader& reader);
    // A component that belongs to another one as a published part of it (read through it).
    bool IsSubComponent() const { return subComponent_; }
    void SetSubComponent(bool value) { subComponent_ = value; }

    std::string GetNamePath() const override { return name_; }

protected:
    // opInsert: component has just joined this owner; opRemove: component leaves this owner or
    // is destroyed. The base class forwards removals to the owned components.
    virtual void Notification(TComponent* component, TOperation operation);
    virtual void ValidateRename(TComponent* component, const std::string& currentName,
                                const std::string& newName);
    // Sets csDestroying and tells the owned components.
    void Destroying();

private:
    void BindOwnerField(bool bind);
    void IndexName(TComponent* component);
    void UnindexName(TComponent* component);

    TComponent* owner_ = nullptr;
    std::string name_;
    int tag_ = 0;
    int designLeft_ = 0;
    int designTop_ = 0;
    TComponentState state_;
    bool subComponent_ = false;
    bool freeingComponents_ = false;   // DestroyComponents is at work
    std::vector<TComponent*> components_;
    // The named owned components by their upper-case name (names are unique per owner,
    // compared without regard to case).
    std::unordered_map<std::string, TComponent*> names_;
    std::vector<TComponent*> freeNotifies_;
};

// Components that are unique process-wide by name: every window while it lives. The layout
// reader makes a root's name unique among these, and a reference such as "Form2.Edit1" finds
// its window here. A component without a name is never found.
void RegisterGlobalComponent(TComponent* component);
void UnregisterGlobalComponent(TComponent* component);
TComponent* FindGlobalComponent(const std::string& name);
