#include "support/FakeWindowSystem.h"
