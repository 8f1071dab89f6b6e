#include "forms/TChangeNotifier.h"

F2_DEFINE_CLASS(TChangeNotifier, TPersistent, F2_NO_FACTORY) {}
