#pragma once
// The form class programs derive their windows from; it publishes what a layout sets.

#include "forms/TCustomForm.h"

class TForm : public TCustomForm {
    F2_CLASS(TForm, TCustomForm)
public:
    explicit TForm(TComponent* owner) : TCustomForm(owner) {}
};
