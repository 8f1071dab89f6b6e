#include "tests/fuzz/targets/FuzzComponents.h"

namespace fuzz {

void TFuzzForm::Notification(TComponent* component, TOperation operation)
{
    TKitForm::Notification(component, operation);
    activeControl_.Forget(component, operation);
}

// The descriptions stay inside the namespace: a member is defined where its class lives.
F2_DEFINE_CLASS(TFuzzWidget, readerkit::TKitWidget, F2_FACTORY(TFuzzWidget))
{
    c.Property("Color", &TFuzzWidget::Color, &TFuzzWidget::SetColor);
    c.Property("Cursor", &TFuzzWidget::Cursor, &TFuzzWidget::SetCursor);
    c.Property("OnClick", &TFuzzWidget::OnClick, &TFuzzWidget::SetOnClick);
    c.Property("Font", &TFuzzWidget::Font);
    c.Property("Picture", &TFuzzWidget::Picture);
    c.Property("ReadOnly", &TFuzzWidget::Left);
}

F2_DEFINE_CLASS(TFuzzPanel, TFuzzWidget, F2_FACTORY(TFuzzPanel)) {}

F2_DEFINE_CLASS(TFuzzForm, readerkit::TKitForm, F2_FACTORY(TFuzzForm))
{
    c.Property("Color", &TFuzzForm::Color, &TFuzzForm::SetColor);
    c.Property("Font", &TFuzzForm::Font);
    c.Property("ActiveControl", &TFuzzForm::ActiveControl, &TFuzzForm::SetActiveControl);
    c.Property("OnShow", &TFuzzForm::OnShow, &TFuzzForm::SetOnShow);
    c.Field("Widget1", &TFuzzForm::Widget1);
    c.Field("Widget2", &TFuzzForm::Widget2);
    c.Field("Edit1", &TFuzzForm::Edit1);
    c.Method("FormShow", &TFuzzForm::FormShow);
    c.Method("WidgetClick", &TFuzzForm::WidgetClick);
    c.Method("WidgetTick", &TFuzzForm::WidgetTick);
}

} // namespace fuzz
