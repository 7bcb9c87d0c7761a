#include "mission/mission_state.h"

MissionState mission;
