#include "navigator.h"
