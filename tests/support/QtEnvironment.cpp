// The widgets need a QApplication before the first test.
#include "tests/support/QtEnvironment.h"
