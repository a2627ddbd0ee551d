#include "documents/app_state.h"

AppState* app_state = nullptr;
