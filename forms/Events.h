#pragma once
// Event types of the controls: the shift state of an input event, mouse buttons, and the
// handler signatures that the layout binds by name (Edit1KeyDown, Button2Click, FormShow, ...).

#include "forms/TNotifyEvent.h"
#include "forms/TypeInfo.h"
#include "platform/Raster.h"

#include <cstdint>
#include <functional>

class TObject;

enum TShiftStateFlag { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
F2_ENUM_TYPE(TShiftStateFlag, "ssShift", "ssAlt", "ssCtrl", "ssLeft", "ssRight", "ssMiddle", "ssDouble");
using TShiftState = TSet<TShiftStateFlag>;
F2_SET_TYPE(TShiftState, TShiftStateFlag);

enum TMouseButton { mbLeft, mbRight, mbMiddle };
F2_ENUM_TYPE(TMouseButton, "mbLeft", "mbRight", "mbMiddle");

enum TCloseAction { caNone, caHide, caFree, caMinimize };
F2_ENUM_TYPE(TCloseAction, "caNone", "caHide", "caFree", "caMinimize");

using TKeyEvent = std::function<void(TObject* sender, uint16_t& key, TShiftState shift)>;
using TKeyPressEvent = std::function<void(TObject* sender, char& key)>;
using TMouseEvent = std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int x, int y)>;
using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;
using TCloseQueryEvent = std::function<void(TObject* sender, bool& canClose)>;
