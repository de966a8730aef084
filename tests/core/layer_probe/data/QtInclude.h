#pragma once
// A core file including Qt: the layer check must refuse it.
#include <QString>
