#include "forms/ClassInfo.h"
#include "forms/TComponent.h"
#include "forms/TMemoryStream.h"
#include "rtl/Exception.h"
#include "tests/support/ReaderComponents.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using enum readerkit::TShade;
using enum readerkit::TTrait;

// The reader tests' widget (an enumeration, a set, a float, a string, a component reference
// and an event among its properties) with a defaulted property of its own, one without a
// setter, and a log of the removals it hears of.
class TGadget : public readerkit::TKitWidget {
    F2_CLASS(TGadget, readerkit::TKitWidget)
public:
    using TKitWidget::TKitWidget;
    int Size() const { return size_; }
    void SetSize(int v) { size_ = v; }

    std::vector<std::string> removed;

protected:
    void Notification(TComponent* c, TOperation op) override
    {
        TKitWidget::Notification(c, op);
        if (op == opRemove)
            removed.push_back(c->Name());
    }

private:
    int size_ = 0;
};

class TWorkshop : public TComponent {
    F2_CLASS(TWorkshop, TComponent)
public:
    using TComponent::TComponent;
    ~TWorkshop() override { DestroyComponents(); }
    TGadget* Gadget1 = nullptr;
    int ticks = 0;
    void Gadget1Tick(TObject*, int& amount) { ticks += amount; amount = 0; }
    void Unrelated(TObject*) {}
};

} // namespace

F2_DEFINE_CLASS(TGadget, readerkit::TKitWidget, F2_FACTORY(TGadget))
{
    c.Property("Size", &TGadget::Size, &TGadget::SetSize).Default(0);
    c.Property("ReadOnlySize", &TGadget::Size);
}

F2_DEFINE_CLASS(TWorkshop, TComponent, F2_FACTORY(TWorkshop))
{
    c.Field("Gadget1", &TWorkshop::Gadget1);
    c.Method("Gadget1Tick", &TWorkshop::Gadget1Tick);
    c.Method("Unrelated", &TWorkshop::Unrelated);
}

TEST(ClassInfo, PropertiesAreFoundAlongTheChainWithoutRegardToCase)
{
    const TClassInfo& cls = TGadget::StaticClass();
    EXPECT_EQ(cls.Name(), "TGadget");
    EXPECT_TRUE(cls.InheritsFrom(TComponent::StaticClass()));
    EXPECT_FALSE(TComponent::StaticClass().InheritsFrom(cls));
    ASSERT_NE(cls.FindProperty("size"), nullptr);
    ASSERT_NE(cls.FindProperty("NAME"), nullptr);   // inherited from TComponent
    EXPECT_EQ(cls.FindProperty("Nope"), nullptr);
    EXPECT_EQ(cls.FindProperty("Shade")->type->Kind(), TTypeKind::Enumeration);
    EXPECT_EQ(cls.FindProperty("Shade")->type->OrdinalOf("SHDARK"), 2);
    EXPECT_EQ(cls.FindProperty("Traits")->type->Kind(), TTypeKind::Set);
    EXPECT_EQ(cls.FindProperty("Traits")->type->ElementType()->OrdinalOf("trHeavy"), 2);
    EXPECT_EQ(cls.FindProperty("Partner")->type->ClassType(), &readerkit::TKitWidget::StaticClass());
    EXPECT_FALSE(cls.FindProperty("ReadOnlySize")->HasSetter());
    EXPECT_EQ(cls.FindProperty("Size")->defaultOrd, 0);
}

TEST(ClassInfo, AccessorsReadAndWriteByKind)
{
    TGadget g(nullptr);
    const TClassInfo& cls = g.ClassType();
    cls.FindProperty("Size")->setOrd(&g, 42);
    cls.FindProperty("Shade")->setOrd(&g, 1);
    cls.FindProperty("Traits")->setOrd(&g, 0b101);
    cls.FindProperty("Ratio")->setFloat(&g, 0.7L);
    cls.FindProperty("Caption")->setString(&g, "Фильтр");
    EXPECT_EQ(g.Size(), 42);
    EXPECT_EQ(g.Shade(), shMedium);
    EXPECT_TRUE(g.Traits().Contains(trRound) && g.Traits().Contains(trHeavy));
    EXPECT_FALSE(g.Traits().Contains(trShiny));
    EXPECT_EQ(g.Ratio(), 0.7);   // stored as a double
    EXPECT_EQ(cls.FindProperty("Caption")->getString(&g), "Фильтр");

    TGadget other(nullptr);
    cls.FindProperty("Partner")->setObject(&g, &other);
    EXPECT_EQ(g.Partner(), &other);
    TComponent plain(nullptr);
    cls.FindProperty("Partner")->setObject(&g, &plain);   // wrong class: ignored
    EXPECT_EQ(g.Partner(), &other);
}

TEST(ClassInfo, MethodsBindByNameAndSignature)
{
    TWorkshop shop(nullptr);
    auto* g = new TGadget(&shop);
    const TMethodInfo* m = shop.ClassType().FindMethod("gadget1tick");
    ASSERT_NE(m, nullptr);
    TMethod method{m->bind(&shop), &shop, m->name};
    const TPropInfo* onTick = g->ClassType().FindProperty("OnTick");
    ASSERT_TRUE(onTick->setMethod(g, method));
    int amount = 5;
    g->OnTick()(g, amount);
    EXPECT_EQ(shop.ticks, 5);
    EXPECT_EQ(amount, 0);   // by-reference arguments reach the handler

    const TMethodInfo* wrong = shop.ClassType().FindMethod("Unrelated");
    TMethod mismatched{wrong->bind(&shop), &shop, wrong->name};
    EXPECT_FALSE(onTick->setMethod(g, mismatched));
    EXPECT_TRUE(onTick->setMethod(g, TMethod{}));
    EXPECT_FALSE(static_cast<bool>(g->OnTick()));
}

TEST(Component, NamingBindsTheOwnersFieldAndChecksValidityAndUniqueness)
{
    TWorkshop shop(nullptr);
    auto* g = new TGadget(&shop);
    g->SetName("gadget1");   // fields bind without regard to case
    EXPECT_EQ(shop.Gadget1, g);
    EXPECT_EQ(shop.FindComponent("GADGET1"), g);

    auto* h = new TGadget(&shop);
    try {
        h->SetName("Gadget1");
        FAIL();
    } catch (const EComponentError& e) {
        EXPECT_EQ(e.Message(), "A component named Gadget1 already exists");
    }
    try {
        h->SetName("1st");
        FAIL();
    } catch (const EComponentError& e) {
        EXPECT_EQ(e.Message(), "''1st'' is not a valid component name");
    }
    EXPECT_EQ(h->Name(), "");

    g->SetName("Renamed");
    EXPECT_EQ(shop.Gadget1, nullptr);   // the field lets go of a renamed component
    g->SetName("Gadget1");
    delete g;
    EXPECT_EQ(shop.Gadget1, nullptr);   // and of a destroyed one
    EXPECT_EQ(shop.ComponentCount(), 1);
}

TEST(Component, LookupByNameFollowsRenamesOwnerChangesAndRemovals)
{
    TWorkshop shop(nullptr), other(nullptr);
    auto* g = new TGadget(&shop);
    g->SetName("First");
    g->SetName("Second");
    EXPECT_EQ(shop.FindComponent("first"), nullptr);
    EXPECT_EQ(shop.FindComponent("SECOND"), g);
    // A rename that only changes the case keeps the component found under either spelling.
    g->SetName("SeCoNd");
    EXPECT_EQ(shop.FindComponent("second"), g);
    // The name is free once its holder is renamed away.
    auto* h = new TGadget(&shop);
    g->SetName("Third");
    h->SetName("Second");
    EXPECT_EQ(shop.FindComponent("Second"), h);
    EXPECT_EQ(shop.FindComponent("Third"), g);

    // Moving to another owner: found there, no longer here; a name taken there is refused.
    other.InsertComponent(g);
    EXPECT_EQ(shop.FindComponent("Third"), nullptr);
    EXPECT_EQ(other.FindComponent("third"), g);
    auto* clash = new TGadget(&other);
    clash->SetName("Fourth");
    auto* fourth = new TGadget(&shop);
    fourth->SetName("Fourth");
    EXPECT_THROW(other.InsertComponent(fourth), EComponentError);
    EXPECT_EQ(other.FindComponent("Fourth"), clash);
    EXPECT_EQ(fourth->Owner(), &shop);   // the refused move leaves it where it was
    EXPECT_EQ(shop.FindComponent("Fourth"), fourth);

    // Gone: not found, and its name may be given again.
    delete h;
    EXPECT_EQ(shop.FindComponent("Second"), nullptr);
    auto* again = new TGadget(&shop);
    again->SetName("second");
    EXPECT_EQ(shop.FindComponent("Second"), again);
    // Unnamed components are not found by an empty name.
    new TGadget(&shop);
    EXPECT_EQ(shop.FindComponent(""), nullptr);
}

TEST(Component, OwnerFreesOwnedComponentsAndAnnouncesRemovals)
{
    int destroyed = 0;
    struct TCounted : TGadget {
        TCounted(TComponent* o, int* counter) : TGadget(o), counter_(counter) {}
        ~TCounted() override { ++*counter_; }
        int* counter_;
    };
    {
        TWorkshop shop(nullptr);
        auto* watcher = new TGadget(&shop);
        watcher->SetName("Watcher");
        auto* a = new TCounted(&shop, &destroyed);
        a->SetName("A");
        new TCounted(&shop, &destroyed);
        EXPECT_EQ(shop.ComponentCount(), 3);
        EXPECT_EQ(shop.Components(1), a);
        EXPECT_EQ(a->ComponentIndex(), 1);
        EXPECT_THROW(shop.Components(3), EListError);
        delete a;
        EXPECT_EQ(destroyed, 1);
        ASSERT_EQ(watcher->removed.size(), 1u);
        EXPECT_EQ(watcher->removed[0], "A");
    }
    EXPECT_EQ(destroyed, 2);
}

TEST(Component, FreeNotificationReachesComponentsOfOtherOwners)
{
    TGadget watcher(nullptr);
    auto* watched = new TGadget(nullptr);
    watched->SetName("Watched");
    watcher.FreeNotification(watched);
    delete watched;
    ASSERT_EQ(watcher.removed.size(), 1u);
    EXPECT_EQ(watcher.removed[0], "Watched");
}

TEST(ClassRegistry, FindsRegisteredClassesWithoutRegardToCase)
{
    RegisterClass(TGadget::StaticClass());
    EXPECT_EQ(FindRegisteredClass("tgadget"), &TGadget::StaticClass());
    EXPECT_EQ(FindRegisteredClass("TNothing"), nullptr);
    TComponent* made = TGadget::StaticClass().Create(nullptr);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->ClassName(), "TGadget");
    delete made;
}

TEST(MemoryStream, ReadsWritesAndFailsCleanlyAtTheEnd)
{
    TMemoryStream s;
    const char data[] = "TPF0";
    s.WriteBuffer(data, 4);
    EXPECT_EQ(s.Size(), 4);
    s.SetPosition(1);
    char out[3] = {};
    s.ReadBuffer(out, 3);
    EXPECT_EQ(std::string(out, 3), "PF0");
    EXPECT_THROW(s.ReadBuffer(out, 1), EReadError);
    const uint8_t bytes[] = {1, 2};
    TMemoryStream view = TMemoryStream::View(bytes);
    EXPECT_EQ(view.Size(), 2);
    EXPECT_THROW(view.WriteBuffer(bytes, 1), EStreamError);
}
