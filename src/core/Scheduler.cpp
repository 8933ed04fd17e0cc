#include "core/Scheduler.h"
