#include "forms/TControlCanvas.h"

F2_DEFINE_CLASS(TControlCanvas, TCanvas, F2_NO_FACTORY) {}
