#include "platform/child_window.h"
