#include "LayoutForms.h"

#include "forms/TMemoryStream.h"
#include "forms/TReader.h"
#include "tools/layoutc/LayoutCompiler.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

F2_DEFINE_CLASS(TScaleForm, TForm, F2_FACTORY(TScaleForm))
{
    c.Field("Label1", &TScaleForm::Label1);
    c.Field("Edit1", &TScaleForm::Edit1);
    c.Field("GroupBox1", &TScaleForm::GroupBox1);
    c.Field("Button1", &TScaleForm::Button1);
}

F2_DEFINE_CLASS(TLayoutForm, TForm, F2_FACTORY(TLayoutForm)) {}

std::vector<uint8_t> TLayoutForm::Layout;

TLayoutForm::TLayoutForm(TComponent* owner) : TForm(owner)
{
    layoutwindows::ReadInto(*this, Layout);
}

namespace layoutwindows {

std::vector<uint8_t> Compile(const std::string& text, const std::string& baseDir)
{
    return layoutc::LayoutCompiler::Compile(text, "test.layout", baseDir).bytes;
}

void ReadInto(TComponent& form, const std::vector<uint8_t>& bytes)
{
    TMemoryStream stream = TMemoryStream::View(bytes);
    TReader reader(stream);
    reader.ReadRootComponent(&form);
}

std::vector<uint8_t> FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot open " + path);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace layoutwindows
