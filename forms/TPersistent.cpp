#include "forms/TPersistent.h"

#include "rtl/Exception.h"
#include "rtl/Format.h"

F2_DEFINE_CLASS(TPersistent, TObject, F2_NO_FACTORY) {}

void TPersistent::Assign(TPersistent* source)
{
    if (source) {
        source->AssignTo(this);
        return;
    }
    throw EConvertError(rtl::Format("Cannot assign a %s to a %s", "nil", ClassName()));
}

void TPersistent::AssignTo(TPersistent* dest)
{
    throw EConvertError(rtl::Format("Cannot assign a %s to a %s", ClassName(), dest->ClassName()));
}

void TPersistent::DefineProperties(TFiler&) {}

std::string TPersistent::GetNamePath() const
{
    return ClassName();
}
