// The widgets need a QApplication before the first test.
#include "QtEnvironment.h"
