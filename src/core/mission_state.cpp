#include "core/mission_state.h"

MissionState mission;
