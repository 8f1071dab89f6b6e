#include "forms/LayoutLoader.h"

#include "forms/LoadingPass.h"
#include "forms/ResourceTable.h"
#include "forms/TComponent.h"
#include "forms/TMemoryStream.h"
#include "forms/TReader.h"
#include "rtl/Exception.h"
#include "rtl/Format.h"

#include <algorithm>
#include <mutex>
#include <vector>

void LayoutLoader::ReadLayouts(TComponent& instance, const TClassInfo& genericClass, Finder finder)
{
    if (!finder)
        finder = &ResourceTable::Find;
    std::vector<const TClassInfo*> chain;
    for (const TClassInfo* cls = &instance.ClassType(); cls && cls != &genericClass; cls = cls->Parent())
        chain.push_back(cls);
    std::reverse(chain.begin(), chain.end());

    std::lock_guard lock(TReader::NameLock());
    LoadingPass pass;   // ends the loading state without Loaded when a read fails
    bool found = false;
    for (const TClassInfo* cls : chain) {
        const auto bytes = finder(ResourceTable::kRcData, cls->Name());
        if (!bytes)
            continue;
        found = true;
        TMemoryStream stream = TMemoryStream::View(*bytes);
        TReader reader(stream);
        reader.SetLoadingPass(&pass);
        reader.ReadRootComponent(&instance);
    }
    if (!found)
        throw EResNotFound(rtl::Format("Resource %s not found", instance.ClassName()));
    pass.Finish();
}
