#include "forms/TForm.h"

F2_DEFINE_CLASS(TForm, TCustomForm, F2_FACTORY(TForm)) {}
