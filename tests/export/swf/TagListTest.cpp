#include "SwfTestSupport.h"
