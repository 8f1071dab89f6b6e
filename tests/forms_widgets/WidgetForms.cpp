#include "WidgetForms.h"

#include "forms/TMemoryStream.h"
#include "forms/TReader.h"
#include "tools/layoutc/LayoutCompiler.h"

F2_DEFINE_CLASS(TWidgetForm, TForm, F2_FACTORY(TWidgetForm))
{
    c.Field("Panel1", &TWidgetForm::Panel1);
    c.Field("Panel2", &TWidgetForm::Panel2);
    c.Field("Button1", &TWidgetForm::Button1);
    c.Field("Edit1", &TWidgetForm::Edit1);
    c.Field("Combo1", &TWidgetForm::Combo1);
    c.Field("Table1", &TWidgetForm::Table1);
    c.Field("Menu1", &TWidgetForm::Menu1);
    c.Field("Item1", &TWidgetForm::Item1);
    c.Field("Item2", &TWidgetForm::Item2);
    c.Field("Label1", &TWidgetForm::Label1);
    c.Method("Combo1Change", &TWidgetForm::Combo1Change);
    c.Method("Combo1Select", &TWidgetForm::Combo1Select);
    c.Method("Menu1Popup", &TWidgetForm::Menu1Popup);
    c.Method("ItemClick", &TWidgetForm::ItemClick);
    c.Method("FormResize", &TWidgetForm::FormResize);
}

namespace widgetstest {

std::vector<uint8_t> Compile(const std::string& text)
{
    return layoutc::LayoutCompiler::Compile(text, "test.layout", ".").bytes;
}

void Read(TComponent& form, const std::string& text)
{
    const std::vector<uint8_t> bytes = Compile(text);
    TMemoryStream stream = TMemoryStream::View(bytes);
    TReader reader(stream);
    reader.ReadRootComponent(&form);
}

} // namespace widgetstest
