// Reading a layout with many sibling components. Every component is named (the name is checked
// against its siblings and bound to the root's fields), entered in the loading pass, notified
// after loading and owned by the root, so the time per component must not grow with the number
// of siblings: 40,000 of them take four times as long as 10,000.

#include "forms/ClassInfo.h"
#include "forms/TComponent.h"
#include "forms/TMemoryStream.h"
#include "forms/TReader.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace {

class TBenchItem : public TComponent {
    F2_CLASS(TBenchItem, TComponent)
public:
    using TComponent::TComponent;
};

class TBenchRoot : public TComponent {
    F2_CLASS(TBenchRoot, TComponent)
public:
    TBenchRoot() : TComponent(nullptr) {}
};

void ShortString(std::vector<uint8_t>& out, const std::string& text)
{
    out.push_back(uint8_t(text.size()));
    out.insert(out.end(), text.begin(), text.end());
}

// Root1 with count children Item0, Item1, ..., each storing Tag = its number.
std::vector<uint8_t> SiblingStream(int count)
{
    std::vector<uint8_t> out{'T', 'P', 'F', '0'};
    ShortString(out, "TBenchRoot");
    ShortString(out, "Root1");
    out.push_back(0);
    for (int i = 0; i < count; ++i) {
        ShortString(out, "TBenchItem");
        ShortString(out, "Item" + std::to_string(i));
        ShortString(out, "Tag");
        out.push_back(4);   // a 32-bit integer
        for (int shift = 0; shift < 32; shift += 8)
            out.push_back(uint8_t(uint32_t(i) >> shift));
        out.push_back(0);
        out.push_back(0);
    }
    out.push_back(0);
    return out;
}

} // namespace

F2_DEFINE_CLASS(TBenchItem, TComponent, F2_FACTORY(TBenchItem)) {}
F2_DEFINE_CLASS(TBenchRoot, TComponent, F2_NO_FACTORY) {}

namespace {

// One iteration: a layout of state.range(0) siblings read into a new root. Freeing the root is
// not timed.
void BM_ReadSiblings(benchmark::State& state)
{
    RegisterClass(TBenchItem::StaticClass());
    const int count = int(state.range(0));
    const std::vector<uint8_t> bytes = SiblingStream(count);
    for (auto _ : state) {
        auto root = std::make_unique<TBenchRoot>();
        TMemoryStream stream = TMemoryStream::View(bytes);
        TReader reader(stream);
        reader.ReadRootComponent(root.get());
        state.PauseTiming();
        if (root->ComponentCount() != count || root->FindComponent("Item" + std::to_string(count - 1))->Tag() != count - 1)
            state.SkipWithError("the layout was not read whole");
        root.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * count);
}
BENCHMARK(BM_ReadSiblings)->Arg(10000)->Arg(40000)->Unit(benchmark::kMillisecond);

} // namespace
