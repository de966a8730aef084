#pragma once
// A render file reaching up into app: the layer check must refuse it.
#include "app/CardState.h"
